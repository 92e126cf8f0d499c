#pragma once
// The "*** Details" section of the text report (/report /format text /details):
// laid out as the report's own sections, 80 columns, each row's name in the
// first 20 and its value in the other 60, cut with "..." where longer; each
// group's title on a line of its own and a blank line after its rows.
#include <string>
#include <vector>

#include "details/DetailsRows.h"

// Characters are bytes unless `utf8`, as in the report's other sections.
std::string DetailsSection(const std::vector<DetailsGroup>& groups, bool utf8);
