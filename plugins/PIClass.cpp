#include "plugins/PIClass.h"

TPlugIn::TPlugIn(const std::string& fileName) : m_fileName(fileName) {
  // A damaged file or a missing dependency would otherwise stop start-up with
  // a system dialog.
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  m_handle = LoadLibraryA(m_fileName.c_str());
  SetErrorMode(oldMode);
}

TPlugIn::~TPlugIn() {
  if (m_handle) FreeLibrary(m_handle);
}

std::string TPlugIn::ShortFileName() const { return ShortFileNameOf(m_fileName); }

// Looked up at every call: nothing of a plug-in's export table is remembered.
FARPROC TPlugIn::Export(int ordinal) const {
  if (!m_handle) return nullptr;
  return GetProcAddress(m_handle, MAKEINTRESOURCEA(ordinal));
}

std::string TPlugIn::GetText(int ordinal, const std::string& defaultText) {
  auto call = reinterpret_cast<TPluginTextCall>(reinterpret_cast<void*>(Export(ordinal)));
  if (!call) return defaultText;
  PutPluginBufferText(m_buffer, "");
  if (!PluginResultIsTrue(call(m_buffer, PI_SIZE_ARGUMENT))) return defaultText;
  return PluginBufferText(m_buffer);
}

std::string TPlugIn::GetName() { return GetText(PI_ORDINAL_NAME, ShortFileName()); }

std::string TPlugIn::GetHint() { return GetText(PI_ORDINAL_HINT, ""); }

std::string TPlugIn::GetInfo() { return GetText(PI_ORDINAL_INFO, kNoAdditionalInformation); }

ExecuteResult TPlugIn::Execute(uint32_t wnd, std::string& data) {
  PutPluginBufferText(m_buffer, data);
  auto call =
      reinterpret_cast<TPluginActionCall>(reinterpret_cast<void*>(Export(PI_ORDINAL_ACTION)));
  if (!call) return ExecuteResult::ActionNotFound;
  if (!PluginResultIsTrue(call(wnd, m_buffer, PI_SIZE_ARGUMENT)))
    return ExecuteResult::PluginFailed;
  data = PluginBufferText(m_buffer);
  return ExecuteResult::Done;
}
