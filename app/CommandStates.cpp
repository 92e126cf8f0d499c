#include "app/CommandStates.h"

CommandStates CommandStatesFor(bool probing, bool textSearchFlag) {
  bool idle = !probing;
  CommandStates s{};
  s.startCaption = probing ? kCaptionStop : kCaptionProbe;
  s.save = s.print = idle;
  s.findWindow = idle;
  s.findNextPrev = idle && textSearchFlag;
  s.copyImage = s.saveImage = idle;
  s.modifyPage = idle;
  s.fieldMenu = idle;
  s.diggerTimer = idle;
  return s;
}

bool DetailButtonEnabled(bool probing, int activePage, const DetailSources& s) {
  if (probing) return false;
  switch (activePage) {
    case kPageParents: return s.parentsRows > 0 && s.parentsSelected;
    case kPageChildren: return s.childrenRows > 0 && s.childrenSelected;
    case kPageDigger: return s.diggerRows > 0 && s.diggerSelected;
    case kPageTree: return s.treeNodes > 0 && s.treeSelected;
    default: return false;
  }
}
