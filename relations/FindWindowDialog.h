#pragma once
// The Find Window dialog: made once, hidden, when the program starts, and shown
// modally for each Find. Its fields keep their contents between showings, also
// after Cancel, and Next and Previous read them afresh.
#include <windows.h>

#include <string>

#include "relations/FindWin.h"
#include "relations/RelationsHost.h"
#include "ui/Form.h"

class TfrmFindWindow {
 public:
  TfrmFindWindow() = default;
  ~TfrmFindWindow();
  TfrmFindWindow(const TfrmFindWindow&) = delete;
  TfrmFindWindow& operator=(const TfrmFindWindow&) = delete;

  // Creates the dialog hidden, owned by `owner` (FormCreate runs now).
  bool Create(HWND owner);
  HWND Handle() const { return m_dlg; }
  HWND Item(int id) const { return GetDlgItem(m_dlg, id); }

  // Shows the dialog modally, the owner disabled meanwhile. True when it was
  // closed with OK; `request` then holds what its fields say.
  bool ShowModal(FindRequest& request);
  bool Showing() const { return m_running; }

  int Mode() const;  // kFindByText or kFindByHandle
  std::string Text() const;
  std::string ClassText() const;
  std::string HandleText() const;

  void SetMessageBox(MessageBoxFn box) { m_box = std::move(box); }

  // Handlers.
  void FormShow();
  void rgrModeClick();
  void edtChange() { UpdateOKButton(); }
  void UpdateOKButton();
  // OK may close the dialog: a handle must parse; otherwise the error is shown
  // and the Handle field gets the focus.
  bool FormCloseQuery();

 private:
  void FormCreate();
  void Close(INT_PTR result);
  void OnCommand(int id, int code);
  static INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK HandleEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND m_dlg = nullptr;
  HWND m_owner = nullptr;
  WNDPROC m_editProc = nullptr;
  FormFonts m_fonts;
  MessageBoxFn m_box = DefaultMessageBox();
  bool m_running = false;
  INT_PTR m_result = IDCANCEL;
};
