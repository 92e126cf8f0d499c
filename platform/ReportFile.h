#pragma once
// Saving the report so that a failed save never costs the file it replaces.
#include <cstddef>
#include <string>
#include <utility>

// Writes bytes to a temporary file in path's folder and, once every byte is
// written, moves it over path. On failure path is left as it was, the
// temporary file is removed, and *error gets a message naming the file and
// the system's reason.
bool SaveFileReplacing(const std::string& path, const std::string& bytes, std::string* error);

// The same for a file written in pieces, as a snapshot of the desktop is:
// the bytes go to a temporary file in the path's folder, which Commit moves
// over the path. Until then the path stays as it was, and a file destroyed
// without Commit removes its temporary file.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::string path) : m_path(std::move(path)) {}
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  bool Open(std::string* error);
  // False once a write has failed; Commit then gives the reason.
  bool Write(const char* data, size_t size);
  bool Commit(std::string* error);

 private:
  void Discard();
  std::string m_path, m_temp;
  void* m_file = nullptr;
  unsigned long m_error = 0;
};

// The system's text for an error code, without its trailing line end.
std::string SystemErrorText(unsigned long code);
