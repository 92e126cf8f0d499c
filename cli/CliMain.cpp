#include "cli/CliMain.h"

#include "cli/CliSnapshot.h"

#include <windows.h>

#include <algorithm>

#include "cli/CliActMain.h"
#include "cli/CliEventsMain.h"
#include "cli/CliProcessesMain.h"
#include "settings/RegistryStore.h"
#include "settings/Settings.h"
#include "platform/OnDemandDlls.h"
#include "platform/Win32WindowSystem.h"
#include "relations/RelationControls.h"
#include "selectors/SystemSelectors.h"
#include "platform/ReportFile.h"
#include "reading/SystemSources.h"
#include "ui/MessageBoxes.h"

namespace {

std::string WideToCodePage(const wchar_t* text, UINT codePage) {
  const int bytes = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, text, -1, &out[0], bytes, nullptr, nullptr);
  out.resize(static_cast<size_t>(bytes - 1));
  return out;
}

std::wstring CodePageToWide(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (wide <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, &out[0], wide);
  return out;
}

bool Usable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

// A program of the GUI subsystem starts without a console. Redirected output
// (a file or a pipe, which is also how Wine hands over a Unix shell's streams)
// comes as standard handles; otherwise the parent's console, if it has one,
// is borrowed for the run.
HANDLE StandardHandle(DWORD which) {
  HANDLE h = GetStdHandle(which);
  if (Usable(h) && GetFileType(h) != FILE_TYPE_UNKNOWN) return h;
  static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
  if (!attached) return nullptr;
  static const HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                            nullptr);
  return Usable(console) ? console : nullptr;
}

// Writes the bytes, which are in `codePage`: a console takes them as UTF-16,
// so that they show as the program meant them whatever the console's own code
// page; files and pipes get the bytes as they are.
bool WriteStream(DWORD which, const std::string& bytes, UINT codePage) {
  HANDLE h = StandardHandle(which);
  if (!h) return false;
  DWORD mode = 0;
  if (GetConsoleMode(h, &mode)) {
    const std::wstring wide = CodePageToWide(bytes, codePage);
    size_t done = 0;
    while (done < wide.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 8192));
      if (!WriteConsoleW(h, wide.data() + done, chunk, &written, nullptr) || written == 0) return false;
      done += written;
    }
    return true;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

void WriteError(const std::string& line) { WriteStream(STD_ERROR_HANDLE, line + "\r\n", CP_ACP); }

int BadArguments(const std::string& error) {
  WriteError(error);
  WriteStream(STD_ERROR_HANDLE, CliUsageText(), CP_ACP);
  return kCliFailed;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  if (NamesOnlyTheProgram(GetCommandLineW())) return args;
  int count = 0;
  LPWSTR* argv = SplitCommandLine(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(WideToCodePage(argv[i], CP_ACP));
  LocalFree(argv);
  return args;
}

CliEnvironment SystemCliEnvironment(const WindowSystem& ws) {
  CliEnvironment env;
  env.ws = &ws;
  env.sources = WithSelectors(SystemReadingSources(), ws);
  env.exeName = SystemExecutableNames();
  POINT cursor = {};
  if (GetCursorPos(&cursor)) env.cursor = {static_cast<int32_t>(cursor.x), static_cast<int32_t>(cursor.y)};
  env.foreground = FromHwnd(GetForegroundWindow());

  // A restore that stops at a bad value keeps the defaults from there on, as
  // the program's own start-up does.
  SettingsValues saved;
  SettingsContext context;
  context.title = kAppTitle;
  {
    RegistryStore store(RegistryAccess::ReadOnly);
    LoadSettings(store, context, saved);
  }
  env.options = {saved.integerFormat, saved.constsFormat};
  env.sort = SortStateFromSettings(saved.sortColumn, saved.sortInverted);
  env.showSubchildren = saved.showSubchildren;
  env.digChildren = saved.digChildren;
  env.compare = LocaleCompare;
  env.upper = LocaleUpper;
  env.utf8 = AnsiToUtf8;
  env.ansi = Utf8ToAnsi;
  env.argument = AnsiToUtf8;
  env.title = kAppTitle;
  return env;
}

int RunCommandLine(const std::vector<std::string>& args) {
  const CliParse parse = ParseCliArguments(args);
  if (!parse.ok) return BadArguments(parse.error);
  const CliRequest& request = parse.request;
  if (request.command == CliCommand::Help) {
    return WriteStream(STD_OUTPUT_HANDLE, CliUsageText(), CP_ACP) ? kCliOk : kCliFailed;
  }
  if (request.command == CliCommand::Snapshot || request.command == CliCommand::Diff) {
    const auto out = [](const std::string& bytes, bool utf8) {
      return WriteStream(STD_OUTPUT_HANDLE, bytes, utf8 ? CP_UTF8 : CP_ACP);
    };
    return RunSnapshotCommandLine(request, out, WriteError);
  }

  if (request.command == CliCommand::Watch || request.command == CliCommand::Wait) {
    const auto out = [](const std::string& bytes, bool utf8) {
      return WriteStream(STD_OUTPUT_HANDLE, bytes, utf8 ? CP_UTF8 : CP_ACP);
    };
    return RunEventsCommandLine(request, out, WriteError);
  }

  if (request.command == CliCommand::Processes || request.command == CliCommand::Threads) {
    CliOutcome listed;
    try {
      listed = RunProcessesCommand(request);
    } catch (const std::exception& e) {
      listed.status = kCliFailed;
      listed.error = e.what();
    }
    if (listed.status != kCliOk) {
      WriteError(listed.error);
      return listed.status;
    }
    return WriteStream(STD_OUTPUT_HANDLE, listed.output, request.format == CliFormat::Json ? CP_UTF8 : CP_ACP)
               ? kCliOk
               : kCliFailed;
  }
  if (request.command == CliCommand::Style || request.command == CliCommand::Send) {
    CliOutcome acted;
    try {
      acted = RunActCommand(request);
    } catch (const std::exception& e) {
      acted.status = kCliFailed;
      acted.error = e.what();
    }
    if (!acted.output.empty()) WriteStream(STD_OUTPUT_HANDLE, acted.output, CP_ACP);
    if (!acted.error.empty()) WriteError(acted.error);
    return acted.status;
  }

  CliOutcome outcome;
  try {
    Win32WindowSystem ws;
    outcome = RunCliRequest(request, SystemCliEnvironment(ws));
  } catch (const std::exception& e) {
    outcome.status = kCliFailed;
    outcome.error = e.what();
  }
  if (outcome.status != kCliOk) {
    WriteError(outcome.error);
    return outcome.status;
  }

  const UINT codePage = request.format == CliFormat::Json ? CP_UTF8 : CP_ACP;
  if (!request.file.empty() && request.file != "-") {
    std::string error;
    if (!SaveFileReplacing(request.file, outcome.output, &error)) {
      WriteError(error);
      return kCliFailed;
    }
    return kCliOk;
  }
  if (!WriteStream(STD_OUTPUT_HANDLE, outcome.output, codePage)) {
    WriteError("could not write to standard output");
    return kCliFailed;
  }
  return kCliOk;
}
