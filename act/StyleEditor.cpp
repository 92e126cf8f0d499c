#include "act/StyleEditor.h"

#include <algorithm>
#include <cstdio>

#include "inspect/StyleTables.h"
#include "platform/CodePages.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "ui/MessageBoxes.h"

namespace act {

namespace {

constexpr int kColumnWidth = 360, kRowHeight = 18, kChoiceHeight = 26, kTop = 24;
constexpr char kKeptText[] = ": the window or the system kept it";

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) {
    if (out.find(n) != std::string::npos) continue;
    if (!out.empty()) out += " / ";
    out += n;
  }
  return out;
}

std::string Hex8(uint32_t v) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(v));
  return buf;
}

}  // namespace

StyleEditor::~StyleEditor() { Close(); }

void StyleEditor::Close() {
  if (m_hwnd) {
    HWND h = m_hwnd;
    m_hwnd = nullptr;
    DestroyWindow(h);
  }
}

bool StyleEditor::Open(HWND owner, HWND target) {
  Close();
  m_target = target;
  if (!ReadStyleWords(target, &m_opened)) {
    Error("The window is gone");
    return false;
  }
  m_shown = m_wanted = m_opened;
  m_family = TargetStyleFamily(target);
  m_last = StyleApplyResult();
  BuildRows();
  m_hwnd = CreateModelessDialog(owner, DialogObjectProc<StyleEditor>, reinterpret_cast<LPARAM>(this));
  if (!m_hwnd) return false;
  ShowWindow(m_hwnd, SW_SHOW);
  return true;
}

bool StyleEditor::PreTranslate(MSG& msg) { return TakeDialogKeys(m_hwnd, msg); }

void StyleEditor::BuildRows() {
  m_rows.clear();
  for (const StyleRow& r : kWindowStyles) {
    if (r.mask == 0) continue;
    Row row;
    row.mask = r.mask;
    row.values = {r.mask};
    row.names = {r.childName ? std::string(r.name) + " / " + r.childName : r.name};
    m_rows.push_back(row);
  }
  for (const StyleRow& r : kExStyles) {
    if (r.mask == 0) continue;
    Row row;
    row.column = 1;
    row.exStyle = true;
    row.mask = r.mask;
    row.values = {r.mask};
    row.names = {r.name};
    m_rows.push_back(row);
  }
  // The control's rows: the rows of one mask are one check box when each
  // sets its whole mask (names that differ by another bit), else one choice.
  const ControlStyleTable table = ControlStyleRows(m_family);
  std::vector<uint32_t> masks;
  for (const ControlStyleRow& r : table) {
    bool seen = false;
    for (uint32_t m : masks) seen = seen || m == r.mask;
    if (seen) continue;
    masks.push_back(r.mask);
    Row row;
    row.column = 2;
    row.mask = r.mask;
    std::vector<std::vector<std::string>> names;
    bool flag = true;
    for (const ControlStyleRow& s : table) {
      if (s.mask != r.mask) continue;
      flag = flag && s.value == s.mask;
      size_t i = 0;
      while (i < row.values.size() && row.values[i] != s.value) ++i;
      if (i == row.values.size()) {
        row.values.push_back(s.value);
        names.emplace_back();
      }
      names[i].push_back(s.name);
    }
    row.choice = !flag;
    if (row.choice) {
      bool hasZero = false;
      for (uint32_t v : row.values) hasZero = hasZero || v == 0;
      if (!hasZero) {
        row.values.insert(row.values.begin(), 0);
        names.insert(names.begin(), {"(none)"});
      }
    }
    for (const auto& n : names) row.names.push_back(Joined(n));
    m_rows.push_back(row);
  }
  for (size_t i = 0; i < m_rows.size(); ++i) m_rows[i].id = IDC_STY_ROW0 + static_cast<int>(i);
}

void StyleEditor::CreateControls() {
  const bool control = m_family != StyleFamily::None;
  const int columns = control ? 3 : 2;
  int y[3] = {kTop, kTop, kTop};
  for (const Row& row : m_rows) {
    const int col = row.column;
    const int x = 8 + col * (kColumnWidth + 8) + 10;
    if (row.choice) {
      HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              x, y[col], kColumnWidth - 20, 240, m_hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleW(nullptr), nullptr);
      SetControlHint(combo, "");
      for (const std::string& n : row.names) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
      y[col] += kChoiceHeight;
    } else {
      CreateControl(m_hwnd, {ControlKind::CheckBox, row.id, row.names[0].c_str(), x, y[col], kColumnWidth - 20, 17});
      y[col] += kRowHeight;
    }
  }
  const int bottom = std::max(std::max(y[0], y[1]), y[2]) + 8;
  CreateControl(m_hwnd, {ControlKind::GroupBox, IDC_STY_WSGROUP, "Window styles", 8, 6, kColumnWidth, bottom - 6});
  CreateControl(m_hwnd, {ControlKind::GroupBox, IDC_STY_EXGROUP, "Extended styles", 16 + kColumnWidth, 6,
                         kColumnWidth, bottom - 6});
  std::string caption = std::string(StyleFamilyName(m_family)) + " styles";
  if (control) {
    CreateControl(m_hwnd, {ControlKind::GroupBox, IDC_STY_CTLGROUP, caption.c_str(), 24 + 2 * kColumnWidth, 6,
                           kColumnWidth, bottom - 6});
  }
  const int width = 8 + columns * (kColumnWidth + 8);
  // Each row: kind, id, caption, left, top, width, height, hint.
  ::CreateControls(m_hwnd, {
      {ControlKind::Label, IDC_STY_STYLELABEL, "&Style:", 8, bottom + 14, 40, 14},
      {ControlKind::Edit, IDC_STY_STYLE, "", 50, bottom + 10, 90, 21, "|The style word in hexadecimal"},
      {ControlKind::Label, IDC_STY_EXLABEL, "E&xtended style:", 160, bottom + 14, 90, 14},
      {ControlKind::Edit, IDC_STY_EX, "", 252, bottom + 10, 90, 21, "|The extended style word in hexadecimal"},
      {ControlKind::DefaultButton, IDC_STY_APPLY, "&Apply", width - 249, bottom + 8, 75, 25,
       "|Write the changed words to the window"},
      {ControlKind::Button, IDC_STY_UNDO, "&Undo", width - 166, bottom + 8, 75, 25,
       "|Restore the words the window had when this dialog opened"},
      {ControlKind::Button, IDCANCEL, "Close", width - 83, bottom + 8, 75, 25},
      {ControlKind::WrapLabel, IDC_STY_STATUS, "", 8, bottom + 40, width - 16, 44},
  });
  SizeAndCenterDialog(m_hwnd, width, bottom + 90);
  SendDlgItemMessageA(m_hwnd, IDC_STY_STYLE, EM_LIMITTEXT, 10, 0);
  SendDlgItemMessageA(m_hwnd, IDC_STY_EX, EM_LIMITTEXT, 10, 0);
}

int StyleEditor::RowControl(bool exStyle, uint32_t bit) const {
  for (const Row& row : m_rows) {
    if (row.exStyle == exStyle && (row.mask & bit)) return row.id;
  }
  return 0;
}

void StyleEditor::ShowWanted(bool boxes) {
  m_updating = true;
  for (const Row& row : m_rows) {
    const uint32_t word = row.exStyle ? m_wanted.exStyle : m_wanted.style;
    if (row.choice) {
      int index = -1;
      for (size_t i = 0; i < row.values.size(); ++i) {
        if ((word & row.mask) == row.values[i]) index = static_cast<int>(i);
      }
      SendDlgItemMessageA(m_hwnd, row.id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else {
      SetChecked(m_hwnd, row.id, (word & row.mask) == row.mask);
    }
  }
  if (boxes) {
    SetDlgItemTextA(m_hwnd, IDC_STY_STYLE, Hex8(m_wanted.style).c_str());
    SetDlgItemTextA(m_hwnd, IDC_STY_EX, Hex8(m_wanted.exStyle).c_str());
  }
  m_updating = false;
}

void StyleEditor::RowChanged(int id) {
  for (const Row& row : m_rows) {
    if (row.id != id) continue;
    uint32_t& word = row.exStyle ? m_wanted.exStyle : m_wanted.style;
    if (row.choice) {
      const LRESULT index = SendDlgItemMessageA(m_hwnd, id, CB_GETCURSEL, 0, 0);
      if (index >= 0 && static_cast<size_t>(index) < row.values.size()) {
        word = (word & ~row.mask) | row.values[static_cast<size_t>(index)];
      }
    } else {
      word = IsChecked(m_hwnd, id) ? (word | row.mask) : (word & ~row.mask);
    }
  }
  ShowWanted(true);
}

void StyleEditor::BoxChanged(int id) {
  uint64_t v = 0;
  std::string text = WindowTextOf(GetDlgItem(m_hwnd, id));
  if (!text.empty() && text[0] != '$' && text.find('x') == std::string::npos && text.find('X') == std::string::npos)
    text = "$" + text;
  if (!ParseActNumber(text, &v) || v > 0xFFFFFFFFull) return;  // the check boxes wait for a whole number
  (id == IDC_STY_STYLE ? m_wanted.style : m_wanted.exStyle) = static_cast<uint32_t>(v);
  ShowWanted(false);
}

void StyleEditor::Apply() {
  StyleWords now;
  if (!ReadStyleWords(m_target, &now)) {
    Error("The window is gone; nothing was changed");
    return;
  }
  const StyleWords wanted = m_wanted;
  m_last = ApplyStyleWords(m_target, now, wanted);
  if (m_last.status == StyleApplyResult::Gone || m_last.status == StyleApplyResult::Hung) {
    Error(m_last.error);
    return;
  }
  m_shown = m_last.after;
  m_wanted = m_last.after;
  ShowWanted(true);
  ShowResult();
  if (m_applied) m_applied();
}

void StyleEditor::Undo() {
  m_wanted = m_opened;
  if (m_hwnd) ShowWanted(true);
  Apply();
}

void StyleEditor::ShowResult() {
  // Captions first lose the mark of an earlier Apply.
  for (const Row& row : m_rows) {
    if (!row.choice) SetDlgItemTextA(m_hwnd, row.id, row.names[0].c_str());
  }
  std::string status;
  for (const MissedBit& bit : m_last.missed) {
    const int id = RowControl(bit.exStyle, bit.bit);
    for (const Row& row : m_rows) {
      if (row.id == id && !row.choice) SetDlgItemTextA(m_hwnd, id, (row.names[0] + kKeptText).c_str());
    }
    status += (status.empty() ? "" : "; ") + MissedBitText(bit, m_family);
  }
  if (m_last.status == StyleApplyResult::Unfinished) {
    status = m_last.error + (status.empty() ? "" : ". ") + status;
  } else if (m_last.missed.empty()) {
    status = m_last.before == m_last.wanted ? "Nothing to change." : "Every change took.";
  }
  SetDlgItemTextA(m_hwnd, IDC_STY_STATUS, status.c_str());
}

void StyleEditor::Error(const std::string& text) {
  if (m_hwnd) SetDlgItemTextA(m_hwnd, IDC_STY_STATUS, text.c_str());
  if (ErrorHook) {
    ErrorHook(text);
  } else {
    ShowErrorBox(m_hwnd, text);
  }
}

INT_PTR StyleEditor::Handle(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextW(m_hwnd, Widen("Styles - " + TargetName(m_target)).c_str());
      CreateControls();
      m_fonts.Prepare(m_hwnd);
      CenterScaled(m_hwnd);
      ShowWanted(true);
      SendMessageA(m_hwnd, DM_SETDEFID, IDC_STY_APPLY, 0);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IDCANCEL) {
        Close();
      } else if (id == IDC_STY_APPLY || id == IDOK) {
        Apply();
      } else if (id == IDC_STY_UNDO) {
        Undo();
      } else if (m_updating) {
        return FALSE;
      } else if ((id == IDC_STY_STYLE || id == IDC_STY_EX) && code == EN_CHANGE) {
        BoxChanged(id);
      } else if (id >= IDC_STY_ROW0 && id < IDC_STY_ROW0 + static_cast<int>(m_rows.size()) &&
                 (code == BN_CLICKED || code == CBN_SELCHANGE)) {
        RowChanged(id);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace act
