#pragma once
// Running /snapshot and /diff, apart from where their bytes come from and go.
#include <functional>
#include <string>

#include "cli/CliRun.h"
#include "snapshot/SnapshotWriter.h"

// The bytes of a file, or false with the reason it could not be read.
using ReadFileBytes = std::function<bool(const std::string& file, std::string& bytes, std::string* reason)>;

// /diff: status kCliOk when the snapshots are the same, kCliDiffers with the
// difference as output when they are not, kCliFailed naming the file (and the
// line and column) that could not be read as a snapshot. The text output is
// UTF-8 here; the caller converts it for its stream.
CliOutcome RunDiffRequest(const SnapshotCliRequest& request, const ReadFileBytes& read);

// /snapshot: which window is the root (0: the desktop), after checking what
// the request asks for against what this build offers. A status other than
// kCliOk ends the command with its error.
CliOutcome SnapshotRoot(const SnapshotCliRequest& request, const WindowSystem& ws, const SnapshotHooks& hooks,
                        Hwnd& root);

// Runs /snapshot or /diff against this desktop and these files
// (cli/CliSnapshotMain.cpp): the snapshot to its file or through `out` (UTF-8
// bytes), the difference through `out` (in the ANSI code page as text, UTF-8 as
// JSON; `utf8` says which), a failure's line through `error`.
int RunSnapshotCommandLine(const CliRequest& request, const std::function<bool(const std::string&, bool utf8)>& out,
                           const std::function<void(const std::string&)>& error);
