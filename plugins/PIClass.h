#pragma once
// One loaded plug-in DLL and the calls into its exports.
#include <windows.h>

#include <string>

#include "plugins/PIConst.h"
#include "plugins/PluginManager.h"

class TPlugIn : public PlugIn {
 public:
  // Loads the DLL. A file that is no library (or a folder) is not an error:
  // the instance then has Handle() 0 and answers with the default texts.
  explicit TPlugIn(const std::string& fileName);
  ~TPlugIn() override;  // releases this instance's load of the DLL
  TPlugIn(const TPlugIn&) = delete;
  TPlugIn& operator=(const TPlugIn&) = delete;

  HMODULE Handle() const { return m_handle; }
  const std::string& FileName() const { return m_fileName; }
  std::string ShortFileName() const override;

  // Calls the text export `ordinal`; `defaultText` when it is missing or says false.
  std::string GetText(int ordinal, const std::string& defaultText);
  std::string GetName() override;  // default: ShortFileName()
  std::string GetHint() override;  // default: ""
  std::string GetInfo() override;  // default: "No additional information"
  ExecuteResult Execute(uint32_t wnd, std::string& data) override;

 private:
  FARPROC Export(int ordinal) const;

  HMODULE m_handle = nullptr;
  std::string m_fileName;
  char m_buffer[PI_BUFFER_SIZE] = {};
};
