#include "cli/CliArgs.h"

#include <cstdint>

#include "settings/Settings.h"
#include "relations/FindWin.h"

namespace {

// The option's name in lower case without its "/" or "-"; empty for an argument
// that is no option ("-" alone names standard output).
std::string OptionName(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return std::string();
  std::string name = arg.substr(1);
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

CliCommand CommandNamed(const std::string& name) {
  if (name == "report") return CliCommand::Report;
  if (name == "list") return CliCommand::List;
  if (name == "children") return CliCommand::Children;
  if (name == "style") return CliCommand::Style;
  if (name == "send") return CliCommand::Send;
  if (name == "select") return CliCommand::Select;
  if (name == "snapshot") return CliCommand::Snapshot;
  if (name == "diff") return CliCommand::Diff;
  if (name == "watch") return CliCommand::Watch;
  if (name == "wait") return CliCommand::Wait;
  if (name == "processes") return CliCommand::Processes;
  if (name == "threads") return CliCommand::Threads;
  if (name == "?" || name == "help") return CliCommand::Help;
  return CliCommand::None;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

  CliParse Run() {
    CliParse result;
    CliRequest& r = result.request;
    r.command = m_args.empty() ? CliCommand::None : CommandNamed(OptionName(m_args[0]));
    if (r.command == CliCommand::None) return Fail(result, "no command given");
    m_next = 1;
    if (r.command == CliCommand::Snapshot || r.command == CliCommand::Diff) {
      result.ok = ParseSnapshotArguments(m_args, r.command == CliCommand::Diff, r.snapshot, &result.error);
      return result;
    }
    if (r.command == CliCommand::Watch) {
      result.ok = ParseWatchArguments(m_args, r.events.watch, &result.error);
      return result;
    }
    if (r.command == CliCommand::Wait) {
      result.ok = ParseWaitArguments(m_args, r.events.wait, &result.error);
      return result;
    }
    if (r.command == CliCommand::Processes || r.command == CliCommand::Threads) {
      result.error = ParseProcessArguments(m_args, r);
      result.ok = result.error.empty();
      return result;
    }
    if (r.command == CliCommand::Style || r.command == CliCommand::Send) {
      result.error = ParseActArguments(std::vector<std::string>(m_args.begin() + 1, m_args.end()),
                                       r.command == CliCommand::Send, &r.act);
      result.ok = result.error.empty();
      return result;
    }
    if (r.command == CliCommand::Children && !TakeHandle(result, "/children")) return result;
    if (r.command == CliCommand::Select && !TakeSelector(result, "select")) return result;
    bool haveFile = false, haveSelector = false, haveFormat = false, haveNumbers = false, haveDetails = false;
    while (m_next < m_args.size()) {
      const std::string& arg = m_args[m_next++];
      const std::string name = OptionName(arg);
      if (r.command == CliCommand::Help) return Fail(result, "/? takes no arguments");
      if (name.empty()) {
        if (r.command != CliCommand::Report) return Fail(result, "unexpected argument " + arg);
        if (haveFile) return Fail(result, "more than one file: " + r.file + " and " + arg);
        r.file = arg;
        haveFile = true;
      } else if (name == "format") {
        std::string value;
        if (haveFormat) return Fail(result, "/format given twice");
        if (!TakeValue(value)) return Fail(result, "/format needs text or json");
        if (value == "text") {
          r.format = CliFormat::Text;
        } else if (value == "json") {
          r.format = CliFormat::Json;
        } else {
          return Fail(result, "/format needs text or json, not " + value);
        }
        haveFormat = true;
      } else if (name == "hex" || name == "dec" || name == "bin") {
        if (r.command != CliCommand::Report) return Fail(result, arg + " applies to /report only");
        if (haveNumbers) return Fail(result, "more than one of /hex, /dec and /bin");
        r.integerFormat = name == "hex" ? 0 : name == "dec" ? 1 : 2;
        haveNumbers = true;
      } else if (name == "details") {
        if (r.command != CliCommand::Report) return Fail(result, arg + " applies to /report only");
        if (haveDetails) return Fail(result, "/details given twice");
        r.details = true;
        haveDetails = true;
      } else if (name == "children" && r.command == CliCommand::List) {
        if (haveSelector) return Fail(result, "/children given twice");
        r.command = CliCommand::Children;
        if (!TakeHandle(result, "/children")) return result;
        haveSelector = true;
      } else if (name == "all" && r.command == CliCommand::Select) {
        r.all = true;
      } else if (name == "window" || name == "point" || name == "find" || name == "foreground" || name == "select") {
        if (r.command != CliCommand::Report) return Fail(result, arg + " applies to /report only");
        if (haveSelector) return Fail(result, "more than one of /window, /point, /find, /foreground and /select");
        haveSelector = true;
        if (!TakeSelector(result, name)) return result;
      } else {
        return Fail(result, "unknown option " + arg);
      }
    }
    result.ok = true;
    return result;
  }

 private:
  static CliParse& Fail(CliParse& result, const std::string& error) {
    result.ok = false;
    result.error = error;
    return result;
  }
  // The same, for the steps that answer whether they succeeded.
  static bool Refuse(CliParse& result, const std::string& error) {
    Fail(result, error);
    return false;
  }

  bool TakeValue(std::string& value) {
    if (m_next >= m_args.size()) return false;
    value = m_args[m_next++];
    for (char& c : value) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return true;
  }

  bool TakeHandle(CliParse& result, const std::string& option) {
    if (m_next >= m_args.size()) return Refuse(result, option + " needs a window handle");
    const std::string& text = m_args[m_next++];
    if (!ParseHandle(text, result.request.handle)) return Refuse(result, InvalidHandleText(text));
    result.request.selectorText = option + " " + text;
    return true;
  }

  bool TakeSelector(CliParse& result, const std::string& name) {
    CliRequest& r = result.request;
    if (name == "foreground") {
      r.selector = CliSelector::Foreground;
      r.selectorText = "/foreground";
      return true;
    }
    if (m_next >= m_args.size()) {
      const char* what = name == "window"   ? " needs a window handle"
                         : name == "point"  ? " needs X,Y"
                         : name == "select" ? " needs a selector"
                                            : " needs CLASS[,TEXT]";
      return Refuse(result, "/" + name + what);
    }
    const std::string& value = m_args[m_next++];
    r.selectorText = "/" + name + " " + value;
    if (name == "select") {
      r.selector = CliSelector::Selector;
      r.select = value;
    } else if (name == "window") {
      r.selector = CliSelector::Window;
      if (!ParseHandle(value, r.handle)) return Refuse(result, InvalidHandleText(value));
    } else if (name == "point") {
      r.selector = CliSelector::Point;
      if (!ParsePoint(value, r.point)) return Refuse(result, "'" + value + "' is not a point X,Y");
    } else {
      r.selector = CliSelector::Find;
      const size_t comma = value.find(',');
      r.findClass = value.substr(0, comma);
      r.findText = comma == std::string::npos ? std::string() : value.substr(comma + 1);
      if (r.findClass.empty() && r.findText.empty()) return Refuse(result, "/find needs a class or a text");
    }
    return true;
  }

  const std::vector<std::string>& m_args;
  size_t m_next = 0;
};

}  // namespace

std::string ParseProcessArguments(const std::vector<std::string>& args, CliRequest& r) {
  const bool threads = r.command == CliCommand::Threads;
  size_t next = 1;
  if (threads) {
    uint32_t id = 0;
    // A process id as a handle is written: decimal, or $ and hexadecimal digits.
    if (next >= args.size() || args[next].empty() || args[next][0] == '-' || !ParseHandle(args[next], id) || id == 0) {
      return "/threads needs a process id";
    }
    r.processId = id;
    ++next;
  }
  bool haveFormat = false, haveAll = false;
  for (; next < args.size(); ++next) {
    const std::string name = OptionName(args[next]);
    if (name == "format" && !haveFormat && next + 1 < args.size()) {
      const std::string& value = args[++next];
      if (value != "text" && value != "json") return "/format needs text or json, not " + value;
      r.format = value == "json" ? CliFormat::Json : CliFormat::Text;
      haveFormat = true;
    } else if (name == "all" && !threads && !haveAll) {
      r.all = haveAll = true;
    } else {
      return "unexpected argument " + args[next];
    }
  }
  return std::string();
}

bool IsCliCommand(const std::vector<std::string>& args) {
  return !args.empty() && CommandNamed(OptionName(args[0])) != CliCommand::None;
}

CliParse ParseCliArguments(const std::vector<std::string>& args) { return Parser(args).Run(); }

bool ParsePoint(const std::string& text, WinPoint& point) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  int32_t x = 0, y = 0;
  if (!ParseInt32(text.substr(0, comma), x) || !ParseInt32(text.substr(comma + 1), y)) return false;
  point = {x, y};
  return true;
}

std::string CliUsageText() {
  return "Usage:\r\n"
         "  Tarvisk.exe /report [FILE] [/window HANDLE | /point X,Y | /find CLASS[,TEXT] | /foreground]\r\n"
         "                      [/format text|json] [/hex | /dec | /bin] [/details]\r\n"
         "  Tarvisk.exe /list [/format text|json]\r\n"
         "  Tarvisk.exe /children HANDLE [/format text|json]\r\n"
         "  Tarvisk.exe /style HANDLE [/ex] CHANGE...\r\n"
         "  Tarvisk.exe /send HANDLE MESSAGE [WPARAM [LPARAM | \"TEXT\"]] [/post]\r\n"
         "  Tarvisk.exe /select SELECTOR [/all] [/format text|json]\r\n"
         "  Tarvisk.exe /processes [/all] [/format text|json]\r\n"
         "  Tarvisk.exe /threads PID [/format text|json]\r\n" +
         SnapshotUsageText() + EventsUsageText() +
         "\r\n"
         "/report writes the report of one window to FILE, or to standard output when\r\n"
         "FILE is absent or \"-\". Without a selector it reports the window under the\r\n"
         "mouse cursor. The Digger list and the Graphic section are taken at the\r\n"
         "mouse cursor, or at the point of /point.\r\n"
         "  /window HANDLE      the window with this handle: decimal, or $ and hexadecimal digits\r\n"
         "  /point X,Y          the window at this screen point, as probing would choose it\r\n"
         "  /find CLASS[,TEXT]  the first window in the window tree whose class and text\r\n"
         "                      contain these (either may be empty, any letter case)\r\n"
         "  /foreground         the foreground window\r\n"
         "  /select SELECTOR    the first window the selector names (see /select)\r\n"
         "  /format text|json   the 80-column text report (the default) or JSON\r\n"
         "  /hex /dec /bin      the text report's number format (default: the saved setting)\r\n"
         "  /details            the text report ends with a Details section (the JSON\r\n"
         "                      report always holds the details)\r\n"
         "\r\n"
         "/list lists the top-level windows, /children HANDLE the descendants of one\r\n"
         "window: one line each with handle, process id, class, visible (1 or 0) and\r\n"
         "text, separated by tabs, or a JSON array.\r\n"
         "\r\n"
         "/style changes the window's style (or with /ex its extended style) as the\r\n"
         "style editor does. A CHANGE is +NAME (set), -NAME (clear) or =HEX (the whole\r\n"
         "word), NAME a WS_, WS_EX_ or control style constant. It prints the words\r\n"
         "before and after, and each bit the window or the system kept.\r\n"
         "/send sends the window a message (with /post, posts it) and prints the\r\n"
         "result in decimal and hexadecimal, or the text WM_GETTEXT brings back.\r\n"
         "MESSAGE is a name (WM_SETTEXT, WM_USER+1, WM_APP+1, a registered name) or a\r\n"
         "number; WPARAM and LPARAM are numbers (decimal, 0x or $ hexadecimal), and\r\n"
         "WM_SETTEXT takes a TEXT in place of LPARAM. Messages whose parameters are\r\n"
         "addresses in the window's memory are refused.\r\n"
         "\r\n"
         "/select lists the window a selector names, or with /all every one, as /list\r\n"
         "does. SELECTOR is a Tarvisk selector (class:'Notepad' exe:'notepad.exe' /\r\n"
         "class:'Edit' id:15), an AutoIt [CLASS:...; INSTANCE:...] or an AutoHotkey\r\n"
         "ahk_class ... ahk_exe ... form.\r\n"
         "\r\n"
         "/processes lists each process that has windows (with /all, every process):\r\n"
         "its id, name, bitness and each thread's id with its number of windows.\r\n"
         "/threads PID lists the threads of one process with their windows' handles;\r\n"
         "exit status 2 when there is no such process.\r\n"
         "\r\n" +
         SnapshotHelpText() + EventsHelpText() +
         "Exit status: 0 done, 2 no window matches, 1 any other error (a refused\r\n"
         "message, bad arguments); /style 3 when some change did not take; /send 4\r\n"
         "when the window did not answer in time; /diff 3 when the snapshots differ.\r\n";
}
