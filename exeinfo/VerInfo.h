#pragma once
// Reads the string values of a file's version resource through the system's
// version functions. One reader serves one fill of the Executable page.
#include <cstdint>
#include <memory>
#include <string>

class TVersionInformation {
 public:
  // Never fails: a file without readable version data gives an empty reader.
  explicit TVersionInformation(const std::string& fileName);
  TVersionInformation(const TVersionInformation&) = delete;
  TVersionInformation& operator=(const TVersionInformation&) = delete;

  bool IsEmpty() const { return !m_block; }
  // The value stored under key in the first translation's string table; empty
  // without a block, without a translation table, or without such a key.
  std::string GetValue(const std::string& key) const;

  const std::string& FileName() const { return m_fileName; }
  // "\StringFileInfo\llllcccc\" of the first translation, or empty.
  const std::string& Prefix() const { return m_prefix; }

 private:
  std::string m_fileName;
  std::string m_prefix;
  std::unique_ptr<char[]> m_block;
  uint32_t m_blockSize = 0;
};
