#pragma once
// The captions of the start/stop button, and the pages of the main window.

constexpr const char* kCaptionProbe = "Pr&obe";
constexpr const char* kCaptionStop = "St&op";

// Page indices of the main window's page control, in tab order.
enum PageIndex {
  kPageWindow, kPageClass, kPageParents, kPageChildren, kPageDigger, kPageTree,
  kPageExecutable, kPageModules, kPageModify, kPageGraphics, kPageOptions, kPageAbout,
  kPageCount
};
