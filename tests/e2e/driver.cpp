// Reads Tarvisk's window from another process, as a user's tools would: the
// end-to-end tests and the demonstration call it between xdotool steps.
//   driver wait-window <caption> <ms>     waits for a visible top-level window
//   driver wait-main <ms>                 waits for the visible main window
//   driver visible-main                   prints 1 when the main window is visible, else 0
//   driver topmost-main                   prints 1 when the main window is in the topmost band, else 0
//   driver count-main                     prints how many main windows exist
//   driver text <id>                      prints the text of the main window's control <id>
//   driver wait-text <id> <text> <ms>     waits until control <id> shows <text>
//   driver page                           prints the active page index
//   driver fields <page>                  prints "label: value" for each field of a page
//   driver rows <id>                      prints each row of list view <id>, columns joined by tabs
//   driver window-rows <caption> <id>     the same for list view <id> of the top-level window whose
//                                         caption begins with <caption>
//   driver find <class> [caption]         prints FindWindowA's handle in decimal
//   driver tab-point <index>              prints the screen point "x y" in the middle of a page's tab
//   driver place <class> <x> <y> <w> <h>   moves another program's top-level window
//   driver checked <id>                   prints 1 when check box or radio button <id> is checked
//   driver click <id>                     presses the main window's button <id> (returns at once)
//   driver install-printer <ppd> <file>   installs a PostScript printer that prints into <file>
//   driver remove-printer                 removes it again
//   driver rect <id>                      prints the screen rectangle "left top right bottom" of control <id>
//   driver clipboard                      prints the clipboard's text, CR and LF written as \\r and \\n
//   driver close <ms>                     closes the main window and waits for its process
//   driver kill-main                      ends Tarvisk's process at once, as a crash would
//   driver answers <class> <text>         sets and reads back the text of another program's window
//                                         <class>; prints 1 when it answered both within 2 s
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kMainClass[] = "TfrmTarvisk";

std::string TextOf(HWND h) {
  char buf[16385] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                      &result);
  buf[sizeof buf - 1] = 0;
  return buf;
}

std::string ClassOf(HWND h) {
  char buf[64] = {};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

HWND MainWindow() { return FindWindowA(kMainClass, "Tarvisk"); }

template <class Pred>
bool Poll(DWORD ms, Pred pred) {
  DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindById(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  if (GetDlgCtrlID(h) == s->id) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND Control(int id) {
  ChildSearch s{id, nullptr};
  HWND main = MainWindow();
  if (main) EnumChildWindows(main, FindById, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK CollectChildren(HWND h, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> all, direct;
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&all));
  for (HWND h : all) {
    if (GetParent(h) == parent) direct.push_back(h);
  }
  return direct;
}

int PrintFields(int page) {
  HWND tab = Control(100);
  if (!tab) return 1;
  std::vector<HWND> sheets = DirectChildren(tab);
  if (page < 0 || page >= static_cast<int>(sheets.size())) return 1;
  std::string label;
  for (HWND h : DirectChildren(sheets[page])) {
    std::string cls = ClassOf(h);
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
      label = TextOf(h);
    } else if (lstrcmpiA(cls.c_str(), "Edit") == 0) {
      std::string value = TextOf(h);
      for (char& c : value) {
        if (c == '\r' || c == '\n') c = ' ';
      }
      std::printf("%s: %s\n", label.empty() ? "(memo)" : label.c_str(), value.c_str());
      label.clear();
    }
  }
  return 0;
}

// Rows of a list view in another process: its item texts live there, so the
// LVITEM and the text buffer are placed in that process's memory.
int PrintListRows(HWND list) {
  if (!list) return 1;
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  if (columns < 1) columns = 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  const int textSize = 1024;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) {
    CloseHandle(process);
    return 1;
  }
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    for (int c = 0; c < columns; ++c) {
      LVITEMA item = {};
      item.iSubItem = c;
      item.pszText = remote + sizeof(LVITEMA);
      item.cchTextMax = textSize;
      char text[textSize] = {};
      WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
      SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote));
      ReadProcessMemory(process, remote + sizeof(LVITEMA), text, textSize - 1, nullptr);
      std::printf(c ? "\t%s" : "%s", text);
    }
    std::printf("\n");
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

int PrintRows(int id) { return PrintListRows(Control(id)); }

struct CaptionSearch {
  std::string prefix;
  HWND found;
};

BOOL CALLBACK FindByCaption(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<CaptionSearch*>(p);
  char text[256] = {};
  GetWindowTextA(h, text, sizeof text);
  if (IsWindowVisible(h) && std::string(text).compare(0, s->prefix.size(), s->prefix) == 0) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

int PrintWindowRows(const std::string& caption, int id) {
  CaptionSearch s{caption, nullptr};
  EnumWindows(FindByCaption, reinterpret_cast<LPARAM>(&s));
  return s.found ? PrintListRows(GetDlgItem(s.found, id)) : 1;
}

const char kTestPrinter[] = "Tarvisk Test Printer";

// A printer on port LPT1:, which Wine's spooler maps to a file, with Wine's
// PostScript driver and a small PPD: a print job lands in that file.
int InstallPrinter(const std::string& ppd, const std::string& output) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return 1;
  }
  RegSetValueExA(key, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE*>(output.c_str()),
                 static_cast<DWORD>(output.size() + 1));
  RegCloseKey(key);
  char dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return 1;
  std::string target = std::string(dir) + "\\TarviskTest.ppd";
  if (!CopyFileA(ppd.c_str(), target.c_str(), FALSE)) return 1;
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kTestPrinter);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>("TarviskTest.ppd");
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return 1;
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(kTestPrinter);
  info.pPortName = const_cast<char*>("LPT1:");
  info.pDriverName = const_cast<char*>(kTestPrinter);
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return 1;
  ClosePrinter(printer);
  return SetDefaultPrinterA(kTestPrinter) ? 0 : 1;
}

int RemovePrinter() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<char*>(kTestPrinter), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kTestPrinter));
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, KEY_ALL_ACCESS, &key) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(key, "LPT1:");
    RegCloseKey(key);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string cmd = argv[1];
  auto arg = [&](int i) { return i < argc ? std::string(argv[i]) : std::string(); };
  auto num = [&](int i, long fallback) { return i < argc ? std::strtol(argv[i], nullptr, 0) : fallback; };

  if (cmd == "wait-window") {
    std::string caption = arg(2);
    HWND found = nullptr;
    bool ok = Poll(num(3, 10000), [&] {
      found = FindWindowA(nullptr, caption.c_str());
      return found && IsWindowVisible(found);
    });
    if (ok) std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(found)));
    return ok ? 0 : 1;
  }
  if (cmd == "wait-main") {
    bool ok = Poll(num(2, 10000), [] { return MainWindow() && IsWindowVisible(MainWindow()); });
    if (ok) std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(MainWindow())));
    return ok ? 0 : 1;
  }
  if (cmd == "visible-main") {
    std::printf("%d\n", MainWindow() && IsWindowVisible(MainWindow()) ? 1 : 0);
    return 0;
  }
  if (cmd == "topmost-main") {
    std::printf("%d\n", (GetWindowLongA(MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    return 0;
  }
  if (cmd == "count-main") {
    int count = 0;
    for (HWND h = FindWindowExA(nullptr, nullptr, kMainClass, nullptr); h;
         h = FindWindowExA(nullptr, h, kMainClass, nullptr)) {
      ++count;
    }
    std::printf("%d\n", count);
    return 0;
  }
  if (cmd == "text") {
    HWND h = Control(static_cast<int>(num(2, 0)));
    if (!h) return 1;
    std::printf("%s\n", TextOf(h).c_str());
    return 0;
  }
  if (cmd == "wait-text") {
    int id = static_cast<int>(num(2, 0));
    std::string want = arg(3), got;
    bool ok = Poll(num(4, 5000), [&] {
      HWND h = Control(id);
      got = h ? TextOf(h) : "";
      return h && got == want;
    });
    if (!ok) std::fprintf(stderr, "control %d shows \"%s\", expected \"%s\"\n", id, got.c_str(), want.c_str());
    return ok ? 0 : 1;
  }
  if (cmd == "page") {
    HWND tab = Control(100);
    if (!tab) return 1;
    std::printf("%ld\n", static_cast<long>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  if (cmd == "fields") return PrintFields(static_cast<int>(num(2, 0)));
  if (cmd == "rows") return PrintRows(static_cast<int>(num(2, 0)));
  if (cmd == "window-rows") return PrintWindowRows(arg(2), static_cast<int>(num(3, 0)));
  if (cmd == "find") {
    std::string cls = arg(2), caption = arg(3);
    HWND h = FindWindowA(cls.c_str(), argc > 3 ? caption.c_str() : nullptr);
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(h)));
    return h ? 0 : 1;
  }
  if (cmd == "tab-point") {
    HWND tab = Control(100);
    if (!tab) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(tab, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return 1;
    // The rectangle is written into the other process's memory.
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT r = {};
    bool ok = remote && SendMessageA(tab, TCM_GETITEMRECT, num(2, 0), reinterpret_cast<LPARAM>(remote)) &&
              ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!ok) return 1;
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(tab, &p);
    std::printf("%ld %ld\n", static_cast<long>(p.x), static_cast<long>(p.y));
    return 0;
  }
  if (cmd == "place") {
    std::string cls = arg(2);
    HWND h = FindWindowA(cls.c_str(), nullptr);
    if (!h) return 1;
    return SetWindowPos(h, HWND_TOP, static_cast<int>(num(3, 0)), static_cast<int>(num(4, 0)),
                        static_cast<int>(num(5, 100)), static_cast<int>(num(6, 100)), SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (cmd == "checked") {
    HWND h = Control(static_cast<int>(num(2, 0)));
    if (!h) return 1;
    std::printf("%d\n", SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
  }
  if (cmd == "click") {
    HWND h = Control(static_cast<int>(num(2, 0)));
    if (!h) return 1;
    // Posted, not sent: the button may open a modal dialog.
    PostMessageA(h, BM_CLICK, 0, 0);
    return 0;
  }
  if (cmd == "syscommand") {
    // Posted: the command may open a window of its own.
    return MainWindow() && PostMessageA(MainWindow(), WM_SYSCOMMAND, static_cast<WPARAM>(num(2, 0)), 0) ? 0 : 1;
  }
  if (cmd == "rect") {
    HWND h = Control(static_cast<int>(num(2, 0)));
    RECT r;
    if (!h || !GetWindowRect(h, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                static_cast<long>(r.bottom));
    return 0;
  }
  if (cmd == "clipboard") {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    for (const char* p = text; p && *p; ++p) {
      if (*p == '\r') std::printf("\\r");
      else if (*p == '\n') std::printf("\\n");
      else std::putchar(*p);
    }
    std::printf("\n");
    if (text) GlobalUnlock(data);
    CloseClipboard();
    return text ? 0 : 1;
  }
  if (cmd == "install-printer") return InstallPrinter(arg(2), arg(3));
  if (cmd == "remove-printer") return RemovePrinter();
  if (cmd == "kill-main") {
    DWORD pid = 0;
    GetWindowThreadProcessId(MainWindow(), &pid);
    HANDLE process = pid ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid) : nullptr;
    if (!process) return 1;
    const bool ended = TerminateProcess(process, 9) && WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : 1;
  }
  if (cmd == "answers") {
    HWND w = FindWindowA(arg(2).c_str(), nullptr);
    DWORD_PTR result = 0;
    const bool set = w && SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(3).c_str()),
                                              SMTO_ABORTIFHUNG, 2000, &result);
    std::printf("%d\n", set && TextOf(w) == arg(3) ? 1 : 0);
    return 0;
  }
  if (cmd == "close") {
    HWND main = MainWindow();
    if (!main) return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD wait = process ? WaitForSingleObject(process, static_cast<DWORD>(num(2, 10000))) : WAIT_FAILED;
    if (process) CloseHandle(process);
    return wait == WAIT_OBJECT_0 ? 0 : 1;
  }
  return 2;
}
