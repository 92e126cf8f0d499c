// InspectWindow and the pages as views of its reading: an inspection points
// the reading at the window and tells the pages; each part is read when the
// page that shows it is written, and only the page in front is written.
#include "app/MainWindow.h"

namespace {

// The pages that show the target; the Graphics page follows the probe point,
// the Options and About pages nothing of the target.
constexpr int kTargetPages[] = {kPageWindow, kPageClass, kPageParents, kPageChildren, kPageDigger,
                                kPageTree,   kPageExecutable, kPageModules, kPageModify};

}  // namespace

// Writing a page's controls costs far more under Wine than reading the
// target, so only the page in front of the user is written; the others are
// written when they show or when anything reads them.
void TfrmTarvisk::InspectWindow(Hwnd handle, bool refreshAll) {
  SetDiggerTimerEnabled(false);
  if (handle == CurrentTarget() && !refreshAll) return;

  Hwnd active = FromHwnd(GetActiveWindow());
  if (!refreshAll && active != CurrentTarget()) ToggleTargetFlash();
  TargetReading& reading = Inspected.Reading();
  // The windows under the point are read again only once the point moves.
  reading.SetTarget(handle);
  for (int page : kTargetPages) {
    // The tree is the whole desktop: the target only changes its selection.
    if (page == kPageTree) {
      m_treePage.SetTarget(handle);
    } else {
      m_pages[page]->Invalidate();
    }
  }
  WritePendingPage(pgcMain.ActiveIndex());

  if (!refreshAll && FromHwnd(GetActiveWindow()) != CurrentTarget()) ToggleTargetFlash();
  m_treePage.UpdateParentTreeButton();
  Features.TargetShown();
}

void TfrmTarvisk::CaptureScreen(Hwnd window) {
  TargetReading& reading = Inspected.Reading();
  if (window != reading.Target()) reading.SetTarget(window);
  const std::optional<GraphicFacts> shown = Graphics.CaptureScreen();
  if (!shown) return;
  if (shown->hasColor) {
    reading.SetGraphic(*shown);
  } else {
    // Without the colour the part stays stale: a report reads it whole.
    reading.MarkStale(TargetPart::Graphic);
  }
}

void TfrmTarvisk::WritePendingPage(int page) {
  if (page < 0 || page >= kPageCount || m_framing) return;
  const unsigned bit = 1u << page;
  if (m_writingPages & bit) return;
  BuildPage(page);
  // Reading the desktop reads this program's own controls too: those of
  // another page bring it up to date first, those of the page being written
  // must not write it again.
  m_writingPages |= bit;
  m_pages[page]->Refresh();
  m_writingPages &= ~bit;
}

void TfrmTarvisk::BeforePageRead(HWND control) {
  for (HWND h = control; h && h != m_hwnd; h = GetParent(h)) {
    for (int page = 0; page < kPageCount; ++page) {
      if (Sheet(page) == h) return WritePendingPage(page);
    }
  }
}

void TfrmTarvisk::BuildWindowTree() {
  m_treePage.GatherWindowTree();
  m_treePage.Invalidate();
  if (pgcMain.ActiveIndex() == kPageTree) WritePendingPage(kPageTree);
}

void TfrmTarvisk::timDiggerTimer() {
  // The Digger follows the probe point and "Dig children": read again only
  // when either has changed.
  TargetReading& reading = ListReading();
  if (reading.Fresh(TargetPart::Digger)) return;
  reading.Digger();
  m_pages[kPageDigger]->Invalidate();
  if (pgcMain.ActiveIndex() == kPageDigger) WritePendingPage(kPageDigger);
}

TargetReading& TfrmTarvisk::ListReading() {
  TargetReading& reading = Inspected.Reading();
  reading.SetListOptions(OptionChecked(IDC_CHBSHOWSUBCHILDREN), OptionChecked(IDC_CHBDIGCHILDREN));
  return reading;
}
