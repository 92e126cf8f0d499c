#include "plugins/Win32Plugins.h"

#include "plugins/PIClass.h"

std::vector<std::string> Win32PluginSystem::FindPluginFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  // Every entry counts, folders included: one named like a DLL is listed as a
  // plug-in that did not load.
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::unique_ptr<PlugIn> Win32PluginSystem::Load(const std::string& path) {
  return std::make_unique<TPlugIn>(path);
}

bool Win32PluginSystem::FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32PluginSystem::CreateFolder(const std::string& folder) {
  // Each prefix ending at a separator, so that missing parents come first;
  // those that exist (the drive among them) just fail.
  for (size_t i = folder.find_first_of("\\/"); i != std::string::npos;
       i = folder.find_first_of("\\/", i + 1)) {
    if (i > 0) CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
}

bool Win32PluginSystem::CopyFileOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool Win32PluginSystem::RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

int Win32PluginSystem::CompareNames(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) -
         CSTR_EQUAL;
}

int Win32PluginSystem::FileBitness(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  // The PE header sits within the first few hundred bytes of any real image.
  unsigned char head[4096];
  DWORD got = 0;
  BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
  CloseHandle(file);
  return read ? ImageBitness(head, got) : 0;
}

int Win32PluginSystem::ProgramBitness() { return static_cast<int>(sizeof(void*) * 8); }

bool MessageBoxPrompts::AskYesNo(const std::string& caption, const std::string& text) {
  return MessageBoxA(m_questionOwner, text.c_str(), caption.c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void MessageBoxPrompts::ShowInformation(const std::string& caption, const std::string& text) {
  MessageBoxA(m_infoOwner, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void FillPluginList(HWND listBox, const PluginManager& manager) {
  SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
  SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < manager.Count(); ++i)
    SendMessageA(listBox, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(manager.Name(i).c_str()));
  SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(manager.Selected()), 0);
  SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(listBox, nullptr, TRUE);
}
