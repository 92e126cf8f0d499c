#include "exeinfo/ModuleList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

int OrdinalCompare(const char* a, const char* b) { return std::strcmp(a, b); }

bool AsciiSameFileName(const char* a, const char* b) {
  for (;; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
    if (x == 0) return true;
  }
}

static size_t SplitPoint(const std::string& path) {
  size_t at = path.find_last_of("\\:");
  return at == std::string::npos ? 0 : at + 1;
}

std::string FolderPart(const std::string& path) { return path.substr(0, SplitPoint(path)); }

std::string FileNamePart(const std::string& path) { return path.substr(SplitPoint(path)); }

ModuleRow MakeModuleRow(const ModuleEntry& module) {
  ModuleRow row;
  row.handle = module.handle;
  if (module.path.empty()) {
    // As the Class page shows an address in hexadecimal; the module list does
    // not follow the display options.
    char text[24];
    if (module.addressBits == 64) {
      std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(module.handle));
    } else {
      std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(module.handle));
    }
    row.file = text;
  } else {
    row.file = FileNamePart(module.path);
    row.folder = FolderPart(module.path);
  }
  return row;
}

void InsertModuleRow(std::vector<ModuleRow>& rows, ModuleRow row, TextCompare compare) {
  auto at = std::upper_bound(rows.begin(), rows.end(), row,
                             [compare](const ModuleRow& a, const ModuleRow& b) {
                               return compare(a.file.c_str(), b.file.c_str()) < 0;
                             });
  rows.insert(at, std::move(row));
}

const std::array<const char*, kVersionKeyCount> kVersionKeys = {
    "OriginalFilename", "FileDescription", "FileVersion",    "ProductName", "InternalName",
    "LegalCopyright",   "LegalTrademarks", "ProductVersion", "CompanyName", "Comments"};

// Caption, field, version key, hint; the first two rows come from the path.
const std::array<ExecutableRow, kExecutableRowCount> kExecutableRows = {{
    {"File path", "edtExePath", nullptr, "|Path to the specified window's executable file"},
    {"File name", "edtExeName", nullptr, "|Name of the specified window's executable file"},
    {"Original file name", "edtOriginalFilename", "OriginalFilename",
     "|Original name of the specified window's executable file"},
    {"File description", "edtFileDescription", "FileDescription",
     "|Description of the specified window's executable file"},
    {"File version", "edtFileVersion", "FileVersion",
     "|Version of the specified window's executable file"},
    {"Product name", "edtProductName", "ProductName",
     "|Product name of the specified window's application"},
    {"Internal name", "edtInternalName", "InternalName",
     "|Internal name of the specified window's application"},
    {"Legal copyright", "edtLegalCopyright", "LegalCopyright",
     "|Legal copyright of the specified window's application"},
    {"Legal trademarks", "edtLegalTrademarks", "LegalTrademarks",
     "|Legal trademark of the specified window's application"},
    {"Product version", "edtProductVersion", "ProductVersion",
     "|Version of the specified window's application"},
    {"Company name", "edtCompanyName", "CompanyName",
     "|Company name of the specified window's application"},
    {"Comments", "edtComments", "Comments",
     "|Additional information about the specified window's application"},
}};

std::array<std::string, kExecutableRowCount> ExecutableFieldTexts(const ExecutableInfo& exe) {
  std::array<std::string, kExecutableRowCount> texts;
  if (!exe.known) return texts;
  texts[0] = FolderPart(exe.path);
  texts[1] = FileNamePart(exe.path);
  if (exe.hasVersion) {
    for (int i = 0; i < kVersionKeyCount; ++i) texts[2 + i] = exe.version[i];
  }
  return texts;
}

ProcessModules SortOutModules(const ModuleWalk& walk, TextCompare compare, SameFileName same) {
  ProcessModules result;
  if (!walk.modulesListed) return result;
  size_t first = 0;
  std::string exeName;
  if (walk.rule == ExecutableRule::FirstModule) {
    if (walk.modules.empty()) return result;
    const ModuleEntry& exe = walk.modules.front();
    first = 1;
    if (!exe.path.empty()) {
      result.executableFound = true;
      result.executablePath = exe.path;
      exeName = FileNamePart(exe.path);
    }
  } else {
    exeName = FileNamePart(walk.processExeName);
  }
  for (size_t i = first; i < walk.modules.size(); ++i) {
    const ModuleEntry& module = walk.modules[i];
    if (!exeName.empty() && !module.path.empty() &&
        same(FileNamePart(module.path).c_str(), exeName.c_str())) {
      result.executableFound = true;
      result.executablePath = module.path;
    } else {
      InsertModuleRow(result.rows, MakeModuleRow(module), compare);
    }
  }
  return result;
}

ProcessModules CollectProcessModules(uint32_t processId, ModuleSource& source, TextCompare compare,
                                     SameFileName same) {
  ProcessModules result = SortOutModules(source.Walk(processId), compare, same);
  if (!result.executableFound) {
    result.executablePath = source.ImagePath(processId);
    result.executableFound = !result.executablePath.empty();
  }
  return result;
}
