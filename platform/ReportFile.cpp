#include "platform/ReportFile.h"

#include <windows.h>

#include <algorithm>

#include "platform/FileTexts.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  // A full disk may only show when the cached data goes out.
  if (ok) ok = FlushFileBuffers(file) != 0;
  DWORD code = ok ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file) && ok) {
    ok = false;
    code = GetLastError();
  }
  SetLastError(code);
  return ok;
}

// A file that exists must be one we may write: a move would replace even a
// read-only file under Wine, where Windows refuses, and Wine running as root
// opens read-only files for writing, so the attribute is checked itself.
bool TargetWritable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

std::string SystemErrorText(unsigned long code) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) text = "System error " + std::to_string(code);
  return text;
}

bool SaveFileReplacing(const std::string& path, const std::string& bytes, std::string* error) {
  char temp[MAX_PATH + 1] = {};
  bool ok = TargetWritable(path) && GetTempFileNameA(FolderOf(path).c_str(), "tvk", 0, temp) != 0;
  DWORD code = ok ? ERROR_SUCCESS : GetLastError();
  if (ok) {
    ok = WriteAll(temp, bytes) &&
         MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
      code = GetLastError();
      DeleteFileA(temp);
    }
  }
  if (!ok && error) *error = SaveFailedMessage(path, SystemErrorText(code));
  return ok;
}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
  if (m_file) CloseHandle(m_file);
  m_file = nullptr;
  if (!m_temp.empty()) DeleteFileA(m_temp.c_str());
  m_temp.clear();
}

bool ReplacingFile::Open(std::string* error) {
  char temp[MAX_PATH + 1] = {};
  bool ok = TargetWritable(m_path) && GetTempFileNameA(FolderOf(m_path).c_str(), "tvk", 0, temp) != 0;
  if (ok) {
    m_temp = temp;
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ok = file != INVALID_HANDLE_VALUE;
    if (ok) m_file = file;
  }
  if (!ok) {
    const DWORD code = GetLastError();
    Discard();
    if (error) *error = SaveFailedMessage(m_path, SystemErrorText(code));
  }
  return ok;
}

bool ReplacingFile::Write(const char* data, size_t size) {
  if (!m_file || m_error != 0) return false;
  size_t done = 0;
  while (done < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(m_file, data + done, chunk, &written, nullptr) || written != chunk) {
      m_error = GetLastError() != ERROR_SUCCESS ? GetLastError() : static_cast<DWORD>(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

bool ReplacingFile::Commit(std::string* error) {
  bool ok = m_file != nullptr && m_error == 0;
  DWORD code = m_error != 0 ? m_error : static_cast<DWORD>(ERROR_INVALID_HANDLE);
  // A full disk may only show when the cached data goes out.
  if (ok && !FlushFileBuffers(m_file)) ok = false, code = GetLastError();
  if (m_file && !CloseHandle(m_file) && ok) ok = false, code = GetLastError();
  m_file = nullptr;
  if (ok && !MoveFileExA(m_temp.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false, code = GetLastError();
  }
  if (ok) {
    m_temp.clear();
  } else {
    Discard();
    if (error) *error = SaveFailedMessage(m_path, SystemErrorText(code));
  }
  return ok;
}
