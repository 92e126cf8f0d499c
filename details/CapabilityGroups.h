#pragma once
// The Details window's groups that other parts of the program know how to
// fill: the decoded control styles and the selectors of the window.
#include "details/DetailsRows.h"

class TargetReading;

// "Control styles": the family the window's class belongs to and the names of
// its control style (and extended control style); no rows for a window of no
// known family.
DetailsGroup ControlStylesGroup(TargetReading& reading, const DisplayOptions& options);
// "Selectors": the four notations, each with how many windows it matches now.
DetailsGroup SelectorsGroup(TargetReading& reading, const DisplayOptions& options);
