#include "cli/CliEvents.h"

#include "events/EventFilter.h"
#include "platform/AsciiCase.h"
#include "selectors/SelectorGrammar.h"

namespace {

// The option's name in lower case without its "/" or "-"; empty for no option.
std::string OptionName(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return std::string();
  std::string name = arg.substr(1);
  for (char& c : name) c = AsciiLower(c);
  return name;
}

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

bool CheckSelector(const std::string& text, std::string* error) {
  const SelectorParse parse = ParseSelector(text);
  return parse.ok || Fail(error, SelectorErrorText(parse));
}

}  // namespace

bool ParseSeconds(const std::string& text, int64_t& ms) {
  if (text.empty() || text.size() > 12) return false;
  int64_t whole = 0, fraction = 0, scale = 1000;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) whole = whole * 10 + (text[i] - '0');
  if (i == 0) return false;
  if (i < text.size()) {
    if (text[i] != '.' || i + 1 == text.size()) return false;
    for (++i; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      if (scale > 1) {
        scale /= 10;
        fraction += (text[i] - '0') * scale;
      }
    }
  }
  ms = whole * 1000 + fraction;
  return true;
}

bool ParseWatchArguments(const std::vector<std::string>& args, WatchRequest& r, std::string* error) {
  bool haveFile = false, haveFor = false, haveEvents = false, haveSelect = false, haveProcess = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string name = OptionName(arg);
    if (name.empty()) {
      if (haveFile) return Fail(error, "more than one file: " + r.file + " and " + arg);
      r.file = arg;
      haveFile = true;
      continue;
    }
    const bool known = name == "for" || name == "events" || name == "select" || name == "process";
    if (!known) return Fail(error, "unknown option " + arg);
    bool& seen = name == "for" ? haveFor : name == "events" ? haveEvents : name == "select" ? haveSelect : haveProcess;
    if (seen) return Fail(error, arg + " given twice");
    seen = true;
    if (i + 1 >= args.size()) return Fail(error, arg + " needs a value");
    const std::string& value = args[++i];
    if (name == "for") {
      if (!ParseSeconds(value, r.forMs)) return Fail(error, "/for needs a number of seconds, not " + value);
    } else if (name == "events") {
      if (!ParseEventKinds(value, r.kinds, error)) return false;
    } else if (name == "select") {
      if (!CheckSelector(value, error)) return false;
      r.select = value;
    } else {
      if (value.empty()) return Fail(error, "/process needs an executable's name or a process id");
      r.process = value;
    }
  }
  return true;
}

bool ParseWaitArguments(const std::vector<std::string>& args, WaitRequest& r, std::string* error) {
  if (args.size() < 2 || !OptionName(args[1]).empty()) return Fail(error, "/wait needs a selector");
  r.selector = args[1];
  if (!CheckSelector(r.selector, error)) return false;
  bool haveCondition = false, haveTimeout = false;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string name = OptionName(args[i]);
    if (name == "gone" || name == "visible" || name == "foreground") {
      if (haveCondition) return Fail(error, "more than one of /gone, /visible and /foreground");
      haveCondition = true;
      r.condition = name == "gone" ? WaitCondition::Gone
                    : name == "visible" ? WaitCondition::Visible
                                        : WaitCondition::Foreground;
    } else if (name == "timeout") {
      if (haveTimeout) return Fail(error, "/timeout given twice");
      haveTimeout = true;
      if (i + 1 >= args.size() || !ParseSeconds(args[i + 1], r.timeoutMs)) {
        return Fail(error, "/timeout needs a number of seconds");
      }
      ++i;
    } else {
      return Fail(error, name.empty() ? "unexpected argument " + args[i] : "unknown option " + args[i]);
    }
  }
  return true;
}

std::string EventsUsageText() {
  return "  Tarvisk.exe /watch [FILE] [/for SECONDS] [/events KIND,...] [/select SELECTOR]\r\n"
         "                     [/process NAME|ID]\r\n"
         "  Tarvisk.exe /wait SELECTOR [/gone | /visible | /foreground] [/timeout SECONDS]\r\n";
}

std::string EventsHelpText() {
  return "/watch records window events and writes each as one line of JSON (UTF-8) to\r\n"
         "FILE, or to standard output, until SECONDS have passed, Ctrl+C, or the\r\n"
         "reading end of the pipe is closed. The first line is a \"started\" event.\r\n"
         "KINDs: created, destroyed, shown, hidden, retitled, moved, foreground, focus.\r\n"
         "/select and /process keep the events of the windows they name.\r\n"
         "/wait waits until a window the selector names exists (/visible: is visible,\r\n"
         "/foreground: is the foreground window or in it), or until none does (/gone),\r\n"
         "and lists it as /list does. The default time-out is 30 seconds; /timeout 0\r\n"
         "checks once. Exit status: 0 met, 2 timed out, 1 bad arguments.\r\n"
         "\r\n";
}
