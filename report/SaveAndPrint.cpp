#include "report/SaveAndPrint.h"

std::string ProposedReportFileName(const std::string& lastFileName, const std::string& title) {
  return lastFileName.empty() ? title + ".txt" : lastFileName;
}
