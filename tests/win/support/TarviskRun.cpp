#include "support/TarviskRun.h"

#include "support/Files.h"
#include "support/Wait.h"

namespace {

std::string TempFile(const char* name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

}  // namespace

TarviskRun RunTarvisk(const std::string& args, DWORD timeoutMs) {
  TarviskRun r;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  const std::string outFile = TempFile("tarvisk-run-stdout.txt"), errFile = TempFile("tarvisk-run-stderr.txt");
  HANDLE out = CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  HANDLE err = CreateFileA(errFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = err;
  std::string command = "\"" + BuildPath("Tarvisk.exe") + "\" " + args;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    if (WaitUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs)) {
      GetExitCodeProcess(pi.hProcess, &r.status);
    } else {
      TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(out);
  CloseHandle(err);
  r.out = FileContents(outFile);
  r.err = FileContents(errFile);
  DeleteFileA(outFile.c_str());
  DeleteFileA(errFile.c_str());
  return r;
}
