// The features the main window offers beside its pages, in the order of
// their system menu items.
#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "app/SelectorCommand.h"
#include "app/SnapshotCommand.h"

std::unique_ptr<FrameFeature> MakeActCommands(TfrmTarvisk& frm);     // app/ActCommands.cpp
std::unique_ptr<FrameFeature> MakeDetailsFeature(TfrmTarvisk& frm);  // app/DetailsCommand.cpp
std::unique_ptr<FrameFeature> MakeEventsFeature(TfrmTarvisk& frm);   // app/EventsCommand.cpp
std::unique_ptr<FrameFeature> MakeProcessesFeature(TfrmTarvisk& frm);  // app/ProcessesCommand.cpp

void AddFrameFeatures(TfrmTarvisk& frm, FrameFeatures& features) {
  features.Add(MakeDetailsFeature(frm));
  features.Add(MakeActCommands(frm));
  features.Add(MakeSelectorCommand(frm));
  features.Add(MakeSnapshotCommand(frm));
  features.Add(MakeEventsFeature(frm));
  features.Add(MakeProcessesFeature(frm));
}
