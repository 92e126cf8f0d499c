#pragma once
// "Save snapshot..." in the system menu: the snapshot of the target's
// top-level window, or with Shift the whole desktop, saved through the Save
// dialog.
#include <memory>

#include "app/FrameFeatures.h"

std::unique_ptr<FrameFeature> MakeSnapshotCommand(TfrmTarvisk& frm);

inline constexpr const char* kSnapshotDialogTitle = "Save snapshot";
inline constexpr const char* kSnapshotFileName = "Tarvisk snapshot.json";
