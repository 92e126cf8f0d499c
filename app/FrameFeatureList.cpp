// The features the main window offers beside its pages, in the order of
// their system menu items.
#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "app/SnapshotCommand.h"

void AddFrameFeatures(TfrmTarvisk& frm, FrameFeatures& features) {
  features.Add(MakeSnapshotCommand(frm));
}
