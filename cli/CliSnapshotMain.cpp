#include <windows.h>

#include "cli/CliSnapshot.h"
#include "platform/CodePages.h"
#include "platform/ReportFile.h"
#include "platform/Win32WindowSystem.h"
#include "snapshot/DesktopSnapshot.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* reason) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *reason = SystemErrorText(GetLastError());
    return false;
  }
  bool ok = true;
  char chunk[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
      *reason = SystemErrorText(GetLastError());
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

int RunSnapshotCommandLine(const CliRequest& request, const std::function<bool(const std::string&, bool)>& out,
                           const std::function<void(const std::string&)>& error) {
  const SnapshotCliRequest& r = request.snapshot;
  try {
    if (request.command == CliCommand::Diff) {
      const CliOutcome o = RunDiffRequest(r, ReadWholeFile);
      if (o.status == kCliFailed) {
        error(o.error);
        return o.status;
      }
      const bool written = r.json ? out(o.output, true) : out(Utf8ToAnsi(o.output), false);
      if (!written) {
        error("could not write to standard output");
        return kCliFailed;
      }
      return o.status;
    }

    Win32WindowSystem ws;
    const SnapshotHooks hooks = SystemSnapshotHooks();
    Hwnd root = 0;
    const CliOutcome chosen = SnapshotRoot(r, ws, hooks, root);
    if (chosen.status != kCliOk) {
      error(chosen.error);
      return chosen.status;
    }
    if (!r.file.empty() && r.file != "-") {
      std::string failure;
      if (!SaveSnapshotFile(ws, r.file, root, r.details, &failure)) {
        error(failure);
        return kCliFailed;
      }
      return kCliOk;
    }
    SnapshotSource source;
    source.ws = &ws;
    source.executableName = SystemExecutableNames();
    source.hooks = hooks;
    HandleSink sink([&](const std::string& bytes) { return out(bytes, true); });
    if (!WriteSnapshot(source, SystemSnapshotHeader(root == 0, r.details), root, sink).ok) {
      error("could not write to standard output");
      return kCliFailed;
    }
    return kCliOk;
  } catch (const std::exception& e) {
    error(e.what());
    return kCliFailed;
  }
}
