#include "report/SaveAndPrint.h"

std::string ProposedReportFileName(const std::string& lastFileName, const std::string& title) {
  return lastFileName.empty() ? title + ".txt" : lastFileName;
}

std::string OverwriteQuestion(const std::string& fileName) {
  return "File \"" + fileName + "\" already exists.\rOverwrite?";
}

std::string SaveFailedMessage(const std::string& fileName, const std::string& reason) {
  std::string text = "Could not save \"" + fileName + "\"";
  if (!reason.empty()) text += ": " + reason;
  return text;
}
