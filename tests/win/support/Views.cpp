#include "support/Views.h"

#include <commctrl.h>

#include <cwchar>

#include "platform/CodePages.h"

std::string ListCellText(HWND list, int position, int column) {
  wchar_t text[1100] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 1100;
  SendMessageW(list, LVM_GETITEMTEXTW, position, reinterpret_cast<LPARAM>(&item));
  return Narrow(text, wcslen(text));
}

std::string SelectedTreeLabel(HWND tree) {
  wchar_t text[1100] = {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = 1100;
  if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return "";
  return Narrow(text, wcslen(text));
}
