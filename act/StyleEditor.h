#pragma once
// The style editor: a check box for every WS_ and WS_EX_ bit and for the
// control styles of the target's class (a multi-bit field as one choice), a
// hexadecimal box for each word that follows them both ways, Apply, which
// marks each bit that did not take, and Undo.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "act/TargetActions.h"
#include "ui/Dialog.h"
#include "ui/Form.h"

namespace act {

enum StyleEditorControl {
  IDC_STY_WSGROUP = 3000, IDC_STY_EXGROUP, IDC_STY_CTLGROUP,
  IDC_STY_STYLELABEL, IDC_STY_STYLE, IDC_STY_EXLABEL, IDC_STY_EX,
  IDC_STY_APPLY, IDC_STY_UNDO, IDC_STY_STATUS,
  IDC_STY_ROW0 = 3100,  // one control per row of the editor, in its order
};

class StyleEditor {
 public:
  // `applied` runs after Apply and Undo have changed the window, so that the
  // pages show its new values.
  explicit StyleEditor(std::function<void()> applied) : m_applied(std::move(applied)) {}
  ~StyleEditor();
  StyleEditor(const StyleEditor&) = delete;
  StyleEditor& operator=(const StyleEditor&) = delete;

  // Opens the dialog on `target`; false (with a message) when it is gone.
  bool Open(HWND owner, HWND target);
  HWND Handle() const { return m_hwnd; }
  HWND Target() const { return m_target; }
  bool PreTranslate(MSG& msg);
  void Close();

  void Apply();
  void Undo();
  // The words as the check boxes and boxes now say.
  StyleWords Wanted() const { return m_wanted; }
  const StyleApplyResult& LastResult() const { return m_last; }
  // The id of the check box or choice that shows `bit` of the word.
  int RowControl(bool exStyle, uint32_t bit) const;

  // Tests answer the message boxes in place of a user.
  std::function<void(const std::string&)> ErrorHook;

 private:
  struct Row {
    bool exStyle = false;
    uint32_t mask = 0;
    std::vector<uint32_t> values;     // a check box has one (its bits); a choice one per item
    std::vector<std::string> names;   // caption, or the choice's items
    bool choice = false;
    int column = 0;  // WS_, WS_EX_, the control's
    int id = 0;
  };
  template <typename T>
  friend INT_PTR CALLBACK ::DialogObjectProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void BuildRows();
  void CreateControls();
  void ShowWanted(bool boxes);
  void RowChanged(int id);
  void BoxChanged(int id);
  void ShowResult();
  void Error(const std::string& text);

  std::function<void()> m_applied;
  HWND m_hwnd = nullptr, m_target = nullptr;
  StyleFamily m_family = StyleFamily::None;
  StyleWords m_opened, m_shown, m_wanted;
  std::vector<Row> m_rows;
  StyleApplyResult m_last;
  bool m_updating = false;
  FormFonts m_fonts;
};

}  // namespace act
