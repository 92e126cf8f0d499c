#pragma once
// The Details window: a resizable, non-modal window that lists the details of
// the target the main window shows, its groups as heading rows and each fact
// as a row of two columns, name and value. It follows the target as the pages
// do and redraws its rows when the display options change; Copy copies the
// selected rows, "Copy all" every row. Its position and size are kept under
// Tarvisk's key (details/DetailsSettings.h).
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "details/DetailsHost.h"
#include "details/DetailsRows.h"
#include "ui/BaseWindow.h"
#include "ui/Form.h"

// Control identifiers of the Details window; tests in other processes use them.
enum DetailsControl { IDC_DETAILS_COPY = 1101, IDC_DETAILS_COPYALL = 1102, IDC_DETAILS_LIST = 1110 };

class DetailsWindow : public BaseWindow<DetailsWindow> {
 public:
  static constexpr const char* kClassName = "TfrmDetails";

  explicit DetailsWindow(DetailsHost& host) : m_host(host) {}
  ~DetailsWindow() override;
  DetailsWindow(const DetailsWindow&) = delete;
  DetailsWindow& operator=(const DetailsWindow&) = delete;

  // The groups after the details' own; see DetailsGroupSource.
  void SetGroupSources(std::vector<DetailsGroupSource> sources) { m_sources = std::move(sources); }

  // Shows the window with the details of the target shown, or brings it
  // forward when it is open already. False when it could not be made.
  bool Open();
  bool IsOpen() const { return m_hwnd != nullptr; }
  // Closes it; its position and size are kept.
  void Close();

  // The target shown is another, or the same one read again: its details are
  // read (the reading's part, where stale) and shown.
  void ShowTarget();
  // The display options changed: the rows again, from what was read.
  void Redisplay();

  // One list row: a group's heading, or a fact of it.
  struct Row {
    bool heading = false;
    std::string name, value;
  };
  const std::vector<Row>& Rows() const { return m_rows; }
  HWND List() const { return m_list; }
  // A heading row as its title alone, a fact as "name<TAB>value", each line
  // ending in CR LF (DetailsRowsText for every row).
  std::string SelectedText() const;
  std::string AllText() const;
  void CopySelection();
  void CopyAll();

  // Keyboard messages for the window's dialog keys.
  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void BuildControls();
  void Layout();
  void Show(const std::vector<DetailsGroup>& groups);
  std::string TitleFor(HWND target) const;
  std::string RowText(size_t row) const;
  void CopyText(const std::string& text);
  void SelectAll();
  LRESULT OnNotify(NMHDR* hdr);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
  void SaveSettings();

  DetailsHost& m_host;
  std::vector<DetailsGroupSource> m_sources;
  std::vector<Row> m_rows;
  HWND m_list = nullptr;
  void MakeBoldFont();
  HFONT m_bold = nullptr;
  FormFonts m_fonts;
  std::string m_title;
};
