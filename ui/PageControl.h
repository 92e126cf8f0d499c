#pragma once
// A page control: the platform's tab control with one sheet window per tab.
// Controls on a sheet send their notifications to the sheet, which hands them
// on to the form, so the form handles every control in one place.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

class PageControl {
 public:
  bool Create(HWND parent, int id, int left, int top, int width, int height,
              std::initializer_list<const char*> captions);
  HWND Handle() const { return m_tab; }
  HWND Sheet(int index) const;
  int Count() const { return static_cast<int>(m_sheets.size()); }
  int ActiveIndex() const;
  // Selects a page from the program: no change notification is sent.
  void SetActiveIndex(int index);
  // Shows the selected sheet and hides the others; call after a TCN_SELCHANGE.
  void ShowActiveSheet();
  // Fits the sheets to the tab control's display area (after a resize or scaling).
  void LayoutSheets();

  // Called with the index of the sheet about to show, before it shows.
  std::function<void(int)> BeforeSheetShows;

 private:
  HWND m_tab = nullptr;
  std::vector<HWND> m_sheets;
};
