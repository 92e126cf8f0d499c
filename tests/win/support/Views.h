#pragma once
// Reading the main window's list and tree views back as a user's tool would,
// in UTF-16, as UTF-8.
#include <windows.h>

#include <string>

std::string ListCellText(HWND list, int position, int column);
// The label of the tree's selected item; empty when none is selected.
std::string SelectedTreeLabel(HWND tree);
