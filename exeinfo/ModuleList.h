#pragma once
// The rules behind the Executable and Modules pages that do not need the
// system: splitting paths, telling the executable among a process's modules,
// ordering the module rows, and what each Executable page row shows.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "exeinfo/ModuleSource.h"

// Three-way comparison of two texts, as lstrcmpA gives it in the program.
using TextCompare = int (*)(const char* a, const char* b);
// Equality of two file names regardless of letter case, as the program's
// upper-casing sees it.
using SameFileName = bool (*)(const char* a, const char* b);

// Byte-wise and ASCII stand-ins for the system functions above.
int OrdinalCompare(const char* a, const char* b);
bool AsciiSameFileName(const char* a, const char* b);

// A path splits after its last "\" or ":"; the folder part keeps that character.
std::string FolderPart(const std::string& path);
std::string FileNamePart(const std::string& path);

struct ModuleRow {
  std::string file;     // "File" column
  std::string folder;   // "Path" column, with its final backslash
  uint64_t handle = 0;  // the module handle behind the row
};

// A module whose path could not be read still has its handle, the value the
// Window and Class pages show as instance and module handle: the row shows it
// as upper-case hexadecimal digits, 8 or 16 as the Class page shows addresses,
// with an empty folder.
ModuleRow MakeModuleRow(const ModuleEntry& module);

// Inserts the row after every row that does not sort after it, so the list stays
// ordered by "File" and rows that compare equal keep the order they came in.
void InsertModuleRow(std::vector<ModuleRow>& rows, ModuleRow row, TextCompare compare);

// The keys of the ten version strings, in the order the Executable page shows them.
constexpr int kVersionKeyCount = 10;
extern const std::array<const char*, kVersionKeyCount> kVersionKeys;

// One row of the Executable page: label caption, field name, version key (null
// for the path and name rows) and hint.
struct ExecutableRow {
  const char* caption;
  const char* field;
  const char* versionKey;
  const char* hint;
};
constexpr int kExecutableRowCount = 12;
extern const std::array<ExecutableRow, kExecutableRowCount> kExecutableRows;

struct ExecutableInfo {
  bool known = false;  // false: nothing could tell the executable; the page is cleared
  std::string path;    // full path
  bool hasVersion = false;
  std::array<std::string, kVersionKeyCount> version;  // in kVersionKeys order
};

// The twelve field texts of the Executable page, top to bottom.
std::array<std::string, kExecutableRowCount> ExecutableFieldTexts(const ExecutableInfo& exe);

// What one pass over a process gives before version strings are read.
struct ProcessModules {
  bool executableFound = false;
  std::string executablePath;
  std::vector<ModuleRow> rows;  // every other module, ordered by "File"
};

// Tells the executable among the walk's modules and orders the rest. On either
// rule a later module named like the executable (any letter case) replaces it on
// the Executable page and stays out of the list.
ProcessModules SortOutModules(const ModuleWalk& walk, TextCompare compare, SameFileName same);

// Walks the process; when the walk did not reach the executable, asks the
// process for its image path instead. The rows stay empty when the modules could
// not be listed.
ProcessModules CollectProcessModules(uint32_t processId, ModuleSource& source, TextCompare compare,
                                     SameFileName same);

// Everything the Executable and Modules pages show for one process.
struct ProcessInfo {
  ExecutableInfo executable;
  std::vector<ModuleRow> modules;  // ordered by "File"
};

