#pragma once
// Tarvisk.exe run as a script runs it, from the Wine tests.
#include <windows.h>

#include <string>

struct TarviskRun {
  DWORD status = 999;  // stays 999 when it could not start or did not end in time
  std::string out, err;
};

// Runs this build's Tarvisk.exe with `args`, its standard output and error
// in files, pumping this thread's messages meanwhile (Tarvisk may ask the
// test's own windows); ended after `timeoutMs`.
TarviskRun RunTarvisk(const std::string& args, DWORD timeoutMs = 20000);
