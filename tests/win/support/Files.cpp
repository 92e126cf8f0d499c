#include "support/Files.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/CodePages.h"

namespace {

// The clipboard's text in `format`, false when the clipboard cannot be opened.
template <typename Char>
bool ClipboardData(UINT format, std::basic_string<Char>& text) {
  if (!OpenClipboard(nullptr)) return false;
  if (HANDLE data = GetClipboardData(format)) {
    if (const Char* p = static_cast<const Char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return true;
}

}  // namespace

std::string ClipboardText() {
  std::string text;
  return ClipboardData(CF_TEXT, text) ? text : "<clipboard busy>";
}

std::string ClipboardUnicodeText() {
  std::wstring text;
  return ClipboardData(CF_UNICODETEXT, text) ? Narrow(text) : "<clipboard busy>";
}

void SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (void* p = GlobalLock(mem)) {
      std::memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(mem);
      if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    } else {
      GlobalFree(mem);
    }
  }
  CloseClipboard();
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(folder + name + "\\");
      else
        DeleteFileA((folder + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string FileContents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
