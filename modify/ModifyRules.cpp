#include "modify/ModifyRules.h"

#include <cctype>

int StateItemFor(bool zoomed, bool iconic) {
  if (zoomed) return kStateMaximized;
  if (iconic) return kStateMinimized;
  return kStateNormal;
}

int ShowCommandForState(int item, bool iconic) {
  switch (item) {
    case kStateNormal: return iconic ? kSwShowNormal : kSwRestore;
    case kStateMinimized: return kSwShowMinNoActive;
    case kStateMaximized: return kSwShowMaximized;
  }
  return -1;
}

namespace {

std::string WithReason(std::string text, const std::string& reason) {
  // The system's descriptions end in a full stop and a line break of their own.
  std::string r = reason;
  while (!r.empty() && (r.back() == '\n' || r.back() == '\r' || r.back() == ' ')) r.pop_back();
  if (!r.empty()) text += ": " + r;
  return text;
}

}  // namespace

std::string PluginCopyFailedText(const std::string& from, const std::string& to,
                                 const std::string& reason) {
  return WithReason("Plugin file \"" + from + "\" could not be copied to \"" + to + "\"", reason);
}

std::string PluginDeleteFailedText(const std::string& path, const std::string& reason) {
  return WithReason("Plugin file \"" + path + "\" could not be deleted", reason);
}

bool SamePluginPath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x == '/') x = '\\';
    if (y == '/') y = '\\';
    if (std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}
