#include "platform/FileTexts.h"

std::string OverwriteQuestion(const std::string& fileName) {
  return "File \"" + fileName + "\" already exists.\rOverwrite?";
}

std::string SaveFailedMessage(const std::string& fileName, const std::string& reason) {
  std::string text = "Could not save \"" + fileName + "\"";
  if (!reason.empty()) text += ": " + reason;
  return text;
}
