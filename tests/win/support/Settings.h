#pragma once
// Tests that make a main window start from no stored settings and leave none.
#include <windows.h>

#include <string>

void DeleteRegistryTree(HKEY root, const std::string& path);
void ResetTarviskSettings();
