#pragma once
// What the Parents, Children, Digger and Tree pages need of the main window:
// the state it owns and the few operations of its own they call. The pages hold
// no shared state themselves, so a test can stand in for the main window.
#include <windows.h>

#include <functional>
#include <vector>

#include "inspect/Format.h"
#include "platform/WindowSystem.h"
#include "relations/WindowRows.h"

class RelationsHost {
 public:
  virtual ~RelationsHost() = default;

  virtual DisplayOptions CurrentDisplayOptions() const = 0;
  virtual bool Probing() const = 0;  // the tag of btnStart

  // The rows of the Parents, Children or Digger list as the reading of the
  // target holds them, read when first asked for; handle texts left empty.
  virtual const std::vector<WindowRow>& Rows(int list) = 0;

  // SortColumn, LastSortColumn and SortInverted.
  virtual SortState Sort() const = 0;
  virtual void SetSort(const SortState& sort) = 0;

  virtual void InspectWindow(Hwnd window, bool refreshAll) = 0;
  // Makes the Window page the active page without the page-change handler.
  virtual void ShowWindowPage() = 0;
  virtual void UpdateDetailButton() = 0;
};

// MessageBoxA's shape; tests put a recorder in its place so that no modal box
// waits for a user.
using MessageBoxFn = std::function<int(HWND owner, const char* text, const char* caption, UINT type)>;
MessageBoxFn DefaultMessageBox();
