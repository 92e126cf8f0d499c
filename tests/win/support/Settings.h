#pragma once
// Tests that make a main window start from no stored settings and leave none.
#include <windows.h>

#include <string>

void DeleteRegistryTree(HKEY root, const std::string& path);
void ResetTarviskSettings();
// A value of Tarvisk's settings, a REG_SZ under its key or under one of its
// subkeys ("\\ParentsColumns"), as a user or an earlier run left it.
void PutTarviskSetting(const std::string& name, const std::string& value, const std::string& subkey = "");
// The stored text, or "<missing>" when the key or a REG_SZ value of that name is missing.
std::string TarviskSetting(const std::string& name, const std::string& subkey = "");
