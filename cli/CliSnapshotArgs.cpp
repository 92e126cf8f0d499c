#include "cli/CliSnapshotArgs.h"

#include "relations/FindWin.h"
#include "settings/Settings.h"

namespace {

std::string OptionOf(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return std::string();
  std::string name = arg.substr(1);
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

std::string FieldList() {
  std::string out;
  for (int i = 0; i < kDiffFieldCount; ++i) out += (i ? ", " : "") + std::string(kDiffFields[i]);
  return out;
}

bool Refuse(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

bool ParseSnapshotArguments(const std::vector<std::string>& args, bool diff, SnapshotCliRequest& r,
                            std::string* error) {
  r = SnapshotCliRequest();
  std::vector<std::string> files;
  bool haveRoot = false, haveFormat = false, haveTolerance = false;
  for (size_t next = 1; next < args.size();) {
    const std::string& arg = args[next++];
    const std::string name = OptionOf(arg);
    const bool hasValue = next < args.size();
    if (name.empty()) {
      files.push_back(arg);
    } else if (!diff && (name == "window" || name == "select")) {
      if (haveRoot) return Refuse(error, "more than one of /window and /select");
      haveRoot = true;
      if (!hasValue) {
        return Refuse(error, "/" + name + (name == "window" ? " needs a window handle" : " needs a selector"));
      }
      const std::string& value = args[next++];
      if (name == "select") {
        r.select = value;
      } else {
        if (!ParseHandle(value, r.window)) return Refuse(error, InvalidHandleText(value));
        r.windowText = "/window " + value;
      }
    } else if (!diff && name == "details") {
      if (r.details) return Refuse(error, "/details given twice");
      r.details = true;
    } else if (diff && name == "format") {
      if (haveFormat) return Refuse(error, "/format given twice");
      haveFormat = true;
      std::string value = hasValue ? OptionOf("/" + args[next++]) : std::string();
      if (value != "text" && value != "json") return Refuse(error, "/format needs text or json");
      r.json = value == "json";
    } else if (diff && name == "ignore") {
      if (!hasValue) return Refuse(error, "/ignore needs fields: " + FieldList());
      const std::string value = args[next++];
      size_t start = 0;
      for (;;) {
        const size_t comma = value.find(',', start);
        const std::string field =
            value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!IsDiffField(field)) {
          return Refuse(error, "/ignore: unknown field '" + field + "'; the fields are " + FieldList());
        }
        r.diff.ignore.push_back(field);
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else if (diff && name == "tolerance") {
      if (haveTolerance) return Refuse(error, "/tolerance given twice");
      haveTolerance = true;
      int32_t n = -1;
      if (!hasValue || !ParseInt32(args[next++], n) || n < 0) {
        return Refuse(error, "/tolerance needs a number of pixels, 0 or more");
      }
      r.diff.tolerance = n;
    } else {
      return Refuse(error, "unknown option " + arg);
    }
  }
  if (diff) {
    if (files.size() != 2) return Refuse(error, "/diff needs two snapshot files, OLD and NEW");
    r.oldFile = files[0];
    r.newFile = files[1];
  } else {
    if (files.size() > 1) return Refuse(error, "more than one file: " + files[0] + " and " + files[1]);
    if (!files.empty()) r.file = files[0];
  }
  return true;
}

std::string SnapshotUsageText() {
  return "  Tarvisk.exe /snapshot [FILE] [/window HANDLE | /select SELECTOR] [/details]\r\n"
         "  Tarvisk.exe /diff OLD NEW [/format text|json] [/ignore FIELD,...] [/tolerance N]\r\n"
         "\r\n";
}

std::string SnapshotHelpText() {
  return "/snapshot writes the window tree, from the desktop or from one window down,\r\n"
         "with every window's facts, as JSON to FILE or to standard output. /diff\r\n"
         "compares two snapshots: one line per window added, removed or moved and per\r\n"
         "field changed. Windows are matched by handle within one desktop session and\r\n"
         "by their path of classes, control ids and numbers otherwise (or with\r\n"
         "/ignore handle). /tolerance N lets rectangles and sizes move by N pixels.\r\n"
         "Fields: " + FieldList() + ".\r\n"
         "/diff exits with 0 when the snapshots are the same, 3 when they differ.\r\n"
         "\r\n";
}
