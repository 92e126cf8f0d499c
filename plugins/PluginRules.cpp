#include "plugins/PluginRules.h"

#include <cstring>

const char* const kNoAdditionalInformation = "No additional information";
const char* const kActionFunctionNotFound = "Action function not found";
const char* const kInternalPluginError = "Internal plugin error";

std::string PluginBufferText(const char (&buffer)[PI_BUFFER_SIZE]) {
  // A plug-in that fills the buffer to the brim leaves no NUL; stop at the end.
  const void* nul = std::memchr(buffer, 0, PI_BUFFER_SIZE);
  size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - buffer)
                      : static_cast<size_t>(PI_BUFFER_SIZE);
  return std::string(buffer, length);
}

void PutPluginBufferText(char (&buffer)[PI_BUFFER_SIZE], const std::string& text) {
  std::memset(buffer, 0, PI_BUFFER_SIZE);
  // Data text is cut rather than refused: the plug-in gets what fits.
  const size_t limit = PI_SIZE_ARGUMENT;
  size_t length = text.size() < limit ? text.size() : limit;
  std::memcpy(buffer, text.data(), length);
}

std::string ShortFileNameOf(const std::string& path) {
  size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ExecuteResultText(ExecuteResult result, const std::string& data) {
  switch (result) {
    case ExecuteResult::Done:
      return data;
    case ExecuteResult::ActionNotFound:
      return kActionFunctionNotFound;
    case ExecuteResult::PluginFailed:
      break;
  }
  return kInternalPluginError;
}

std::string PluginInfoCaption(const std::string& appTitle) {
  return appTitle + " Plugin Information";
}

std::string PluginInfoText(const std::string& info, const std::string& shortFileName) {
  return info + "\rFile name: " + shortFileName;
}

std::string PluginOverwriteQuestion(const std::string& chosenFile) {
  return "Plugin file \"" + chosenFile + "\" already installed.";
}

std::string PluginDeleteQuestion(const std::string& shortFileName, const std::string& appTitle) {
  return "Plugin \"" + shortFileName + "\" will be deleted from " + appTitle +
         " plugins folder.\rContinue?";
}

int ImageBitness(const unsigned char* bytes, size_t size) {
  auto word = [&](size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
  if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return 0;
  size_t pe = word(0x3C) | static_cast<size_t>(word(0x3E)) << 16;
  if (pe > size || size - pe < 6) return 0;
  if (bytes[pe] != 'P' || bytes[pe + 1] != 'E' || bytes[pe + 2] != 0 || bytes[pe + 3] != 0) return 0;
  switch (word(pe + 4)) {
    case 0x014C: return 32;  // i386
    case 0x8664: return 64;  // x86_64
    case 0xAA64: return 64;  // ARM64
  }
  return 0;
}

std::string PluginBitnessText(const std::string& shortFileName, int pluginBits, int programBits,
                              const std::string& appTitle) {
  return shortFileName + " is a " + std::to_string(pluginBits) + "-bit plug-in; this " + appTitle +
         " is " + std::to_string(programBits) + "-bit.";
}
