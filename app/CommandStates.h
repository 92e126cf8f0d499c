#pragma once
// Which commands of the main window are enabled in each probing state.

struct CommandStates {
  const char* startCaption;
  bool save, print;            // report commands
  bool findWindow;             // "&Find..."
  bool findNextPrev;           // "&Next" and "Previo&us"
  bool copyImage, saveImage;   // Graphics page
  bool modifyPage;
  bool fieldMenu;              // context menu and double-click copy of the fields
  bool diggerTimer;
};

constexpr const char* kCaptionProbe = "Pr&obe";
constexpr const char* kCaptionStop = "St&op";

CommandStates CommandStatesFor(bool probing, bool textSearchFlag);

// Page indices of the main window's page control, in tab order.
enum PageIndex {
  kPageWindow, kPageClass, kPageParents, kPageChildren, kPageDigger, kPageTree,
  kPageExecutable, kPageModules, kPageModify, kPageGraphics, kPageOptions, kPageAbout,
  kPageCount
};

// What "Det&ail" needs to know of the lists: rows and whether one is selected.
struct DetailSources {
  int parentsRows = 0, childrenRows = 0, diggerRows = 0, treeNodes = 0;
  bool parentsSelected = false, childrenSelected = false, diggerSelected = false,
       treeSelected = false;
};
bool DetailButtonEnabled(bool probing, int activePage, const DetailSources& s);
