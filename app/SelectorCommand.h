#pragma once
// "Copy selector" in the system menu and the fields' context menu.
#include <memory>

#include "app/FrameFeatures.h"

std::unique_ptr<FrameFeature> MakeSelectorCommand(TfrmTarvisk& frm);
