#pragma once
// Thin wrappers that create the standard controls from table rows. A row reads:
// kind, control id, caption, left, top, width, height (pixels at 96 dpi with the
// design font), hint ("tooltip|status text"), help context.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

enum class ControlKind {
  Button,         // push button
  DefaultButton,  // push button that Enter presses
  CheckBox,
  Label,          // static text; a mnemonic moves the focus to the next control
  WrapLabel,      // word-wrapped static text
  CenterLabel,    // centred, word-wrapped static text
  GroupBox,
  RadioButton,    // one item of a radio group
  HotKey,         // the platform's hot-key edit
  Field,          // read-only, borderless single-line edit on white
  Memo,           // read-only, word-wrapped multi-line edit without scroll bars
  Edit,           // ordinary single-line edit
  Panel,          // borderless centred caption
  PaintBox,       // owner-painted area
  ListView,       // report-style list view
  TreeView,
  ListBox,
  UpDown,
};

struct ControlSpec {
  ControlKind kind;
  int id;
  const char* caption;
  int left, top, width, height;
  const char* hint = "";
  int helpContext = 0;
};

// Creates one control as a child of `parent` and registers its hint.
HWND CreateControl(HWND parent, const ControlSpec& row);
void CreateControls(HWND parent, std::initializer_list<ControlSpec> specs);
// Appends a column of a report-style list view, at its design width.
void AddListColumn(HWND list, int index, const char* caption, int width);
// A report list view of a modeless window whose rows are asked for as they are
// drawn (owner data), selected by whole rows; known to the form's scaling.
HWND CreateOwnerDataList(HWND parent, int id, int left, int top, int width, int height, DWORD extraStyle = 0);

// A radio group: a group box with its items stacked inside it, ids id+1, id+2, ...
struct RadioGroupSpec {
  int id;
  const char* caption;
  int left, top, width, height;
  const char* hint;
  std::initializer_list<const char*> items;
};
void CreateRadioGroup(HWND parent, const RadioGroupSpec& row);
// Index of the checked item, -1 when none.
int RadioGroupIndex(HWND parent, int groupId, int itemCount);
// Checks item `index` (-1: none) without sending click notifications.
void SetRadioGroupIndex(HWND parent, int groupId, int itemCount, int index);

HWND Item(HWND parent, int id);
// A control's text, read and set in UTF-16 and kept as UTF-8.
std::string WindowTextOf(HWND control);
// The UTF-8 text as the clipboard's text; false when the clipboard would not take it.
bool PutTextOnClipboard(HWND owner, const std::string& text);
void SetControlText(HWND control, const std::string& text);
bool IsChecked(HWND parent, int id);
void SetChecked(HWND parent, int id, bool checked);
void SetEnabled(HWND control, bool enabled);
