#pragma once
// The information fields' shared conveniences: their context menu, focus on a
// right-click, copy by double-click, select-all on entering a memo, the help
// context behind "What's This?", and the reads of other programs, which bring
// the field's page up to date first.
#include <windows.h>

#include <functional>

// What a page's controls get.
enum class FieldUse {
  None,
  Fields,             // menu, double-click copy, reads from other programs
  FieldsWithoutCopy,  // menu only: the Graphics page's fields follow the cursor
  ReadsOnly,          // lists and the tree: reads from other programs only
};

class InformationFields {
 public:
  InformationFields();
  ~InformationFields();
  InformationFields(const InformationFields&) = delete;
  InformationFields& operator=(const InformationFields&) = delete;

  HWND Owner() const { return m_owner; }
  void SetOwner(HWND owner) { m_owner = owner; }
  void Attach(HWND sheet, FieldUse use);
  // The menu and the double-click copy only work on a fixed target.
  void SetMenuVisible(bool visible) { m_menuVisible = visible; }
  bool MenuVisible() const { return m_menuVisible; }
  void ShowMenu(HWND field, LPARAM screenPoint);
  bool OnMenuCommand(int id);

  // A control is about to be read, by this program or another.
  std::function<void(HWND control)> BeforeRead;
  // The menu is about to open on `field`: items of the program's other
  // commands are added after the fixed ones, and taken away once it closes.
  std::function<void(HMENU menu, HWND field)> ExtendMenu;

 private:
  HWND m_owner = nullptr;
  HMENU m_menu = nullptr;
  bool m_menuVisible = true;
};
