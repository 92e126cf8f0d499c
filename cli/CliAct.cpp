#include "cli/CliAct.h"

#include <cstdio>

#include "relations/FindWin.h"

namespace {

bool IsFlag(const std::string& arg, const char* name) {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return false;
  std::string rest = arg.substr(1);
  for (char& c : rest) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return rest == name;
}

}  // namespace

std::string ParseActArguments(const std::vector<std::string>& args, bool send, CliActRequest* r) {
  const std::string command = send ? "/send" : "/style";
  if (args.empty()) return command + " needs a window handle";
  r->handleText = args[0];
  if (!ParseHandle(args[0], r->handle)) return InvalidHandleText(args[0]);
  std::vector<std::string> rest;
  for (size_t i = 1; i < args.size(); ++i) {
    // A change such as -WS_CAPTION begins like an option; only the command's
    // own options are taken as options.
    if (!send && IsFlag(args[i], "ex")) {
      if (r->exWord) return "/ex given twice";
      r->exWord = true;
    } else if (send && IsFlag(args[i], "post")) {
      if (r->post) return "/post given twice";
      r->post = true;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (!send) {
    if (rest.empty()) return "/style needs at least one change: +NAME, -NAME or =HEX";
    for (const std::string& change : rest) {
      if (change.size() < 2 || (change[0] != '+' && change[0] != '-' && change[0] != '=')) {
        return "'" + change + "' is no change: +NAME, -NAME or =HEX";
      }
    }
    r->changes = rest;
    return std::string();
  }
  if (rest.empty()) return "/send needs a message";
  if (rest.size() > 3) return "unexpected argument " + rest[3];
  r->message = rest[0];
  if (rest.size() > 1) {
    r->hasWParam = true;
    r->wParam = rest[1];
  }
  if (rest.size() > 2) {
    r->hasLParam = true;
    r->lParam = rest[2];
  }
  return std::string();
}

std::string StyleOutcomeLines(uint32_t styleBefore, uint32_t exBefore, uint32_t styleAfter, uint32_t exAfter,
                              const std::vector<std::string>& missed) {
  char buf[160];
  std::snprintf(buf, sizeof buf,
                "Before: style $%08X, extended style $%08X\r\nAfter:  style $%08X, extended style $%08X\r\n",
                static_cast<unsigned>(styleBefore), static_cast<unsigned>(exBefore),
                static_cast<unsigned>(styleAfter), static_cast<unsigned>(exAfter));
  std::string out = buf;
  for (const std::string& line : missed) out += "Not taken: " + line + "\r\n";
  return out;
}

std::string SendResultLine(uint64_t result, int addressBits) {
  char buf[64];
  if (addressBits == 64) {
    std::snprintf(buf, sizeof buf, "%lld (0x%016llX)\r\n", static_cast<long long>(result),
                  static_cast<unsigned long long>(result));
  } else {
    std::snprintf(buf, sizeof buf, "%ld (0x%08lX)\r\n", static_cast<long>(static_cast<int32_t>(result)),
                  static_cast<unsigned long>(static_cast<uint32_t>(result)));
  }
  return buf;
}
