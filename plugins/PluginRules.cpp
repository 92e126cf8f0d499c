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
