#include "reading/DetailsReader.h"

#include <cwchar>

#include "platform/AsciiCase.h"
#include "platform/CodePages.h"
#include "platform/SystemDlls.h"
#include "platform/Win32WindowSystem.h"
#include "reading/LogicalRect.h"

namespace {

unsigned g_reads = 0;

// The DPI awareness contexts, as the platform's headers number them.
const HANDLE kContextPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
const HANDLE kContextUnawareGdiScaled = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-5));
constexpr DWORD kProcessQueryLimitedInformation = 0x1000;
constexpr DWORD kDwmNcRenderingEnabled = 1, kDwmExtendedFrameBounds = 9, kDwmCloaked = 14;

// The functions of newer systems, looked up once; null where the system lacks one.
struct LateFunctions {
  UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
  HANDLE(WINAPI* getWindowDpiAwarenessContext)(HWND) = nullptr;
  int(WINAPI* getAwarenessFromDpiAwarenessContext)(HANDLE) = nullptr;
  BOOL(WINAPI* areDpiAwarenessContextsEqual)(HANDLE, HANDLE) = nullptr;
  HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
  HANDLE(WINAPI* getThreadDpiAwarenessContext)() = nullptr;
  UINT(WINAPI* getDpiForSystem)() = nullptr;
  BOOL(WINAPI* physicalToLogicalPoint)(HWND, POINT*) = nullptr;
  HRESULT(WINAPI* dwmGetWindowAttribute)(HWND, DWORD, void*, DWORD) = nullptr;
  BOOL(WINAPI* isWow64Process)(HANDLE, BOOL*) = nullptr;
};

template <typename F>
void Find(F& f, const char* dll, const char* name) {
  f = SystemFunction<F>(dll, name);
}

const LateFunctions& Late() {
  static const LateFunctions functions = [] {
    LateFunctions f;
    Find(f.getDpiForWindow, "user32.dll", "GetDpiForWindow");
    Find(f.getWindowDpiAwarenessContext, "user32.dll", "GetWindowDpiAwarenessContext");
    Find(f.getAwarenessFromDpiAwarenessContext, "user32.dll", "GetAwarenessFromDpiAwarenessContext");
    Find(f.areDpiAwarenessContextsEqual, "user32.dll", "AreDpiAwarenessContextsEqual");
    Find(f.getThreadDpiAwarenessContext, "user32.dll", "GetThreadDpiAwarenessContext");
    Find(f.getDpiForSystem, "user32.dll", "GetDpiForSystem");
    Find(f.physicalToLogicalPoint, "user32.dll", "PhysicalToLogicalPointForPerMonitorDPI");
    Find(f.isWow64Process, "kernel32.dll", "IsWow64Process");
    // Loaded with the first details read, never at start-up.
    Find(f.getDpiForMonitor, "shcore.dll", "GetDpiForMonitor");
    Find(f.dwmGetWindowAttribute, "dwmapi.dll", "DwmGetWindowAttribute");
    return f;
  }();
  return functions;
}

uint32_t Handle32(const void* h) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)); }
Hwnd H(HWND h) { return FromHwnd(h); }
WinRect Rect(const RECT& r) { return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
                                      static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)}; }

// Messages to the window's thread, with the time-out of WM_GETTEXT; after one
// goes unanswered, none is sent again.
class Messenger {
 public:
  explicit Messenger(HWND window) : m_window(window) {}
  bool Send(UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    if (m_gaveUp) return false;
    result = 0;
    SetLastError(0);
    const DWORD start = GetTickCount();
    if (SendMessageTimeoutW(m_window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs,
                            &result)) {
      return true;
    }
    // Unanswered, or the system knows the thread hangs. Another failure (Wine
    // 8 does not pass WM_GETICON to another process) costs nothing to repeat.
    m_gaveUp = GetLastError() == ERROR_TIMEOUT || GetTickCount() - start >= kGetTextTimeoutMs / 2;
    return false;
  }

 private:
  HWND m_window;
  bool m_gaveUp = false;
};

BOOL CALLBACK AddProperty(HWND, LPWSTR name, HANDLE data, ULONG_PTR param) {
  auto* props = reinterpret_cast<std::vector<WindowProperty>*>(param);
  WindowProperty p;
  if (IS_INTRESOURCE(name)) {
    p.isAtom = true;
    p.atom = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(name));
  } else {
    p.name = Narrow(name, wcslen(name));
    // Wine names every property, an integer atom as GlobalGetAtomName does:
    // "#" and its number. That is the atom-named one Windows passes as such.
    uint32_t atom = 0;
    bool digits = p.name.size() > 1 && p.name.size() <= 6 && p.name[0] == '#';
    for (size_t i = 1; digits && i < p.name.size(); ++i) {
      digits = p.name[i] >= '0' && p.name[i] <= '9';
      atom = atom * 10 + static_cast<uint32_t>(p.name[i] - '0');
    }
    if (digits && atom > 0 && atom < MAXINTATOM) {
      p.isAtom = true;
      p.atom = atom;
      p.name.clear();
    }
  }
  p.value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(data));
  props->push_back(std::move(p));
  return props->size() < 4096;
}

// One slot of the window's or the class's extra bytes; false where the system
// says it failed (a zero with the last error set).
struct ExtraReader {
  HWND window;
  bool ofClass;
  bool Pointer(int offset, uint64_t& value) const {
    SetLastError(0);
    const LONG_PTR v = ofClass ? static_cast<LONG_PTR>(GetClassLongPtrW(window, offset)) : GetWindowLongPtrW(window, offset);
    value = static_cast<uint64_t>(static_cast<ULONG_PTR>(v));
    return v != 0 || GetLastError() == 0;
  }
  bool Long(int offset, uint32_t& value) const {
    SetLastError(0);
    const DWORD v = ofClass ? GetClassLongW(window, offset) : static_cast<DWORD>(GetWindowLongW(window, offset));
    value = v;
    return v != 0 || GetLastError() == 0;
  }
  bool Word(int offset, uint32_t& value) const {
    SetLastError(0);
    const WORD v = ofClass ? GetClassWord(window, offset) : GetWindowWord(window, offset);
    value = v;
    return v != 0 || GetLastError() == 0;
  }
};

Fact<ExtraBytes> ReadExtra(HWND window, bool ofClass) {
  uint32_t size = 0;
  {
    SetLastError(0);
    size = GetClassLongW(window, ofClass ? GCL_CBCLSEXTRA : GCL_CBWNDEXTRA);
    if (size == 0 && GetLastError() != 0) return Fact<ExtraBytes>::Missing();
  }
  const ExtraReader r{window, ofClass};
  ExtraBytes e;
  e.size = size;
  const uint32_t word = sizeof(void*);
  uint32_t offset = 0;
  for (; offset + word <= size && e.values.size() < 1024; offset += word) {
    uint64_t v = 0;
    if (!r.Pointer(static_cast<int>(offset), v)) return Fact<ExtraBytes>::Missing();
    e.values.push_back(v);
  }
  if (offset < size && e.values.size() < 1024) {
    // The tail, shorter than a word, in the pieces it fits; a last single
    // byte is the high byte of the word before it.
    uint64_t tail = 0;
    uint32_t at = offset;
    if (size - at >= 4) {
      uint32_t v = 0;
      if (!r.Long(static_cast<int>(at), v)) return Fact<ExtraBytes>::Missing();
      tail |= static_cast<uint64_t>(v) << (8 * (at - offset));
      at += 4;
    }
    if (size - at >= 2) {
      uint32_t v = 0;
      if (!r.Word(static_cast<int>(at), v)) return Fact<ExtraBytes>::Missing();
      tail |= static_cast<uint64_t>(v) << (8 * (at - offset));
      at += 2;
    }
    if (size - at == 1) {
      uint32_t v = 0;
      if (at == 0 || !r.Word(static_cast<int>(at - 1), v)) return Fact<ExtraBytes>::Missing();
      tail |= static_cast<uint64_t>(v >> 8) << (8 * (at - offset));
    }
    e.values.push_back(tail);
  }
  return Fact<ExtraBytes>::Of(std::move(e));
}

Fact<DialogValues> ReadDialog(HWND window, const std::string& className) {
  if (!SameNoCase(className, "#32770")) return Fact<DialogValues>::None();
  const ExtraReader r{window, false};
  DialogValues d;
  const int result = 0, procedure = sizeof(LRESULT), user = procedure + sizeof(void*);
  if (!r.Pointer(result, d.messageResult) || !r.Pointer(procedure, d.procedure) || !r.Pointer(user, d.user)) {
    return Fact<DialogValues>::Missing();
  }
  return Fact<DialogValues>::Of(d);
}

ScrollBarFacts FromScrollInfo(const SCROLLINFO& si) {
  ScrollBarFacts b;
  b.min = si.nMin;
  b.max = si.nMax;
  b.page = si.nPage;
  b.pos = si.nPos;
  b.trackPos = si.nTrackPos;
  return b;
}

// A bar of the window's own: none where the window has no such bar and the
// system keeps nothing for it.
Fact<ScrollBarFacts> ReadBar(HWND window, int bar, LONG object, bool styled) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  if (!GetScrollInfo(window, bar, &si)) return styled ? Fact<ScrollBarFacts>::Missing() : Fact<ScrollBarFacts>::None();
  ScrollBarFacts b = FromScrollInfo(si);
  SCROLLBARINFO sbi = {};
  sbi.cbSize = sizeof sbi;
  b.state = GetScrollBarInfo(window, object, &sbi) ? Fact<uint32_t>::Of(sbi.rgstate[0]) : Fact<uint32_t>::Missing();
  return Fact<ScrollBarFacts>::Of(b);
}

// A scroll bar control answers its own messages; GetScrollInfo would send
// them without a time-out.
Fact<ScrollBarFacts> ReadControlBar(const std::string& className, Messenger& messenger) {
  if (!SameNoCase(className, "ScrollBar")) return Fact<ScrollBarFacts>::None();
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  DWORD_PTR answer = 0;
  if (!messenger.Send(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si), answer) || !answer) {
    return Fact<ScrollBarFacts>::Missing();
  }
  ScrollBarFacts b = FromScrollInfo(si);
  SCROLLBARINFO sbi = {};
  sbi.cbSize = sizeof sbi;
  b.state = messenger.Send(SBM_GETSCROLLBARINFO, 0, reinterpret_cast<LPARAM>(&sbi), answer) && answer
                ? Fact<uint32_t>::Of(sbi.rgstate[0])
                : Fact<uint32_t>::Missing();
  return Fact<ScrollBarFacts>::Of(b);
}

ThreadFacts ReadThread(DWORD thread) {
  ThreadFacts t;
  if (thread == 0) return t;
  t.id = Fact<uint32_t>::Of(thread);
  GUITHREADINFO gti = {};
  gti.cbSize = sizeof gti;
  if (!GetGUIThreadInfo(thread, &gti)) return t;
  GuiThreadFacts g;
  g.active = H(gti.hwndActive);
  g.focus = H(gti.hwndFocus);
  g.capture = H(gti.hwndCapture);
  g.menuOwner = H(gti.hwndMenuOwner);
  g.moveSize = H(gti.hwndMoveSize);
  g.caret = H(gti.hwndCaret);
  g.caretRect = Rect(gti.rcCaret);
  g.flags = gti.flags;
  t.gui = Fact<GuiThreadFacts>::Of(g);
  return t;
}

Fact<PlacementFacts> ReadPlacement(HWND window) {
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(window, &wp)) return Fact<PlacementFacts>::Missing();
  PlacementFacts p;
  p.showCommand = wp.showCmd;
  p.normal = Rect(wp.rcNormalPosition);
  p.minPosition = {wp.ptMinPosition.x, wp.ptMinPosition.y};
  p.maxPosition = {wp.ptMaxPosition.x, wp.ptMaxPosition.y};
  return Fact<PlacementFacts>::Of(p);
}

// An awareness context as the details name it; NotAvailable where the system has none.
Fact<DpiAwareness> AwarenessOf(HANDLE context) {
  const LateFunctions& late = Late();
  if (!context || !late.getAwarenessFromDpiAwarenessContext) return Fact<DpiAwareness>::Missing();
  const auto equal = [&](HANDLE other) {
    return late.areDpiAwarenessContextsEqual && late.areDpiAwarenessContextsEqual(context, other);
  };
  switch (late.getAwarenessFromDpiAwarenessContext(context)) {
    case 0:
      return Fact<DpiAwareness>::Of(equal(kContextUnawareGdiScaled) ? DpiAwareness::UnawareGdiScaled
                                                                    : DpiAwareness::Unaware);
    case 1: return Fact<DpiAwareness>::Of(DpiAwareness::System);
    case 2:
      return Fact<DpiAwareness>::Of(equal(kContextPerMonitorV2) ? DpiAwareness::PerMonitorV2
                                                                : DpiAwareness::PerMonitor);
  }
  return Fact<DpiAwareness>::Missing();
}

class Win32DpiQueries : public DpiQueries {
 public:
  Fact<DpiAwareness> OwnAwareness() override {
    const auto thread = Late().getThreadDpiAwarenessContext;
    return thread ? AwarenessOf(thread()) : Fact<DpiAwareness>::Missing();
  }
  uint32_t SystemDpi() override {
    const auto system = Late().getDpiForSystem;
    if (system && system()) return system();
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return static_cast<uint32_t>(dpi);
  }
  bool PhysicalToLogical(Hwnd window, int32_t& x, int32_t& y) override {
    const auto convert = Late().physicalToLogicalPoint;
    POINT p = {x, y};
    if (!convert || !convert(ToHwnd(window), &p)) return false;
    x = p.x;
    y = p.y;
    return true;
  }
};

DpiFacts ReadDpi(HWND window) {
  const LateFunctions& late = Late();
  DpiFacts d;
  if (late.getDpiForWindow) {
    const UINT dpi = late.getDpiForWindow(window);
    if (dpi) d.window = Fact<uint32_t>::Of(dpi);
  }
  if (late.getWindowDpiAwarenessContext) d.awareness = AwarenessOf(late.getWindowDpiAwarenessContext(window));
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  MONITORINFOEXW info = {};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoW(monitor, &info)) {
    MonitorFacts m;
    m.handle = Handle32(monitor);
    m.device = Narrow(info.szDevice, wcsnlen(info.szDevice, CCHDEVICENAME));
    m.rect = Rect(info.rcMonitor);
    m.workArea = Rect(info.rcWork);
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    UINT x = 0, y = 0;
    if (late.getDpiForMonitor && SUCCEEDED(late.getDpiForMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x) {
      m.dpi = Fact<uint32_t>::Of(x);
    }
    d.monitor = Fact<MonitorFacts>::Of(m);
  }
  RECT r = {};
  if (GetWindowRect(window, &r)) {
    d.physicalRect = Fact<WinRect>::Of(Rect(r));
    Win32DpiQueries system;
    d.logicalRect = LogicalRectOf(system, H(window), d.physicalRect.value, d);
  }
  return d;
}

DwmFacts ReadDwm(HWND window) {
  DwmFacts d;
  const auto attribute = Late().dwmGetWindowAttribute;
  if (!attribute) return d;
  DWORD cloaked = 0;
  if (SUCCEEDED(attribute(window, kDwmCloaked, &cloaked, sizeof cloaked))) d.cloaked = Fact<uint32_t>::Of(cloaked);
  RECT bounds = {};
  if (SUCCEEDED(attribute(window, kDwmExtendedFrameBounds, &bounds, sizeof bounds))) {
    d.extendedFrameBounds = Fact<WinRect>::Of(Rect(bounds));
  }
  BOOL rendering = FALSE;
  if (SUCCEEDED(attribute(window, kDwmNcRenderingEnabled, &rendering, sizeof rendering))) {
    d.ncRendering = Fact<bool>::Of(rendering != FALSE);
  }
  return d;
}

Fact<RegionFacts> ReadRegion(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (!region) return Fact<RegionFacts>::Missing();
  RegionFacts r;
  switch (GetWindowRgn(window, region)) {
    case NULLREGION: r.type = RegionType::Empty; break;
    case SIMPLEREGION: r.type = RegionType::Simple; break;
    case COMPLEXREGION: r.type = RegionType::Complex; break;
    default: r.type = RegionType::None; break;
  }
  RECT box = {};
  if (r.type == RegionType::Simple || r.type == RegionType::Complex) {
    GetRgnBox(region, &box);
    r.box = Rect(box);
  }
  DeleteObject(region);
  return Fact<RegionFacts>::Of(r);
}

Fact<LayeredFacts> ReadLayered(HWND window, DWORD exStyle) {
  if (!(exStyle & WS_EX_LAYERED)) return Fact<LayeredFacts>::None();
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  // A window drawn through UpdateLayeredWindow keeps no attributes to read.
  if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return Fact<LayeredFacts>::Missing();
  return Fact<LayeredFacts>::Of({alpha, key, flags});
}

IconFacts ReadIcons(const WindowFacts& facts, Messenger& messenger) {
  IconFacts i;
  const std::pair<Fact<uint32_t> IconFacts::*, WPARAM> kinds[] = {
      {&IconFacts::big, ICON_BIG}, {&IconFacts::small, ICON_SMALL}, {&IconFacts::small2, 2 /* ICON_SMALL2 */}};
  for (const auto& [member, kind] : kinds) {
    DWORD_PTR icon = 0;
    if (messenger.Send(WM_GETICON, kind, 0, icon)) i.*member = Fact<uint32_t>::Of(static_cast<uint32_t>(icon));
  }
  i.classIcon = facts.icon;
  i.classSmallIcon = facts.smallIcon;
  return i;
}

Fact<MenuFacts> ReadMenu(HWND window, DWORD style) {
  if (style & WS_CHILD) return Fact<MenuFacts>::None();
  HMENU menu = GetMenu(window);
  if (!menu) return Fact<MenuFacts>::None();
  MenuFacts m;
  m.handle = Handle32(menu);
  m.itemCount = GetMenuItemCount(menu);
  // Another process's menu under Wine: the count is -1.
  if (m.itemCount < 0) return Fact<MenuFacts>::Missing();
  for (int i = 0; i < m.itemCount && i < 256; ++i) {
    wchar_t text[256] = {};
    const int length = GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    m.items.push_back(length > 0 ? Narrow(text, static_cast<size_t>(length)) : std::string());
  }
  return Fact<MenuFacts>::Of(std::move(m));
}

// The bitness of the system: a 32-bit program on a 64-bit system runs under WoW64.
uint32_t SystemBits() {
  if (sizeof(void*) == 8) return 64;
  BOOL wow = FALSE;
  const auto isWow64 = Late().isWow64Process;
  return isWow64 && isWow64(GetCurrentProcess(), &wow) && wow ? 64 : 32;
}

Fact<uint32_t> ReadIntegrity(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
    return GetLastError() == ERROR_ACCESS_DENIED ? Fact<uint32_t>::Refused() : Fact<uint32_t>::Missing();
  }
  Fact<uint32_t> result;
  alignas(8) BYTE buffer[128] = {};
  DWORD length = 0;
  // Before Vista there is no integrity level to ask for.
  if (GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &length)) {
    PSID sid = reinterpret_cast<SID_AND_ATTRIBUTES*>(buffer)->Sid;
    if (sid && IsValidSid(sid) && *GetSidSubAuthorityCount(sid) > 0) {
      result = Fact<uint32_t>::Of(*GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u));
    }
  }
  CloseHandle(token);
  return result;
}

ProcessFacts ReadProcess(DWORD processId) {
  ProcessFacts p;
  if (processId == 0) return p;
  HANDLE process = nullptr;
  bool own = processId == GetCurrentProcessId();
  if (own) {
    process = GetCurrentProcess();
  } else {
    process = OpenProcess(kProcessQueryLimitedInformation, FALSE, processId);
    // Before Vista the limited right is unknown.
    if (!process && GetLastError() != ERROR_ACCESS_DENIED) process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  }
  if (!process) {
    if (GetLastError() == ERROR_ACCESS_DENIED) p.bitness = p.integrity = Fact<uint32_t>::Refused();
    return p;
  }
  const uint32_t systemBits = SystemBits();
  BOOL wow = FALSE;
  if (systemBits == 32) {
    p.bitness = Fact<uint32_t>::Of(32);
  } else if (Late().isWow64Process && Late().isWow64Process(process, &wow)) {
    p.bitness = Fact<uint32_t>::Of(wow ? 32 : 64);
  }
  p.integrity = ReadIntegrity(process);
  if (!own) CloseHandle(process);
  return p;
}

Fact<Hwnd> Related(HWND h) { return Fact<Hwnd>::Of(H(h)); }

}  // namespace

ThreadFacts ReadThreadFacts(uint32_t threadId) { return ReadThread(threadId); }
ProcessFacts ReadProcessFacts(uint32_t processId) { return ReadProcess(processId); }

unsigned WindowDetailsReads() { return g_reads; }

WindowDetails ReadWindowDetails(const WindowFacts& facts) {
  ++g_reads;
  const HWND window = ToHwnd(facts.handle);
  WindowDetails d = UnavailableDetails(facts.handle, static_cast<int>(sizeof(void*) * 8));
  if (!window || !IsWindow(window)) return d;
  Messenger messenger(window);
  const DWORD style = facts.style, exStyle = facts.exStyle;

  std::vector<WindowProperty> props;
  EnumPropsExW(window, AddProperty, reinterpret_cast<LPARAM>(&props));
  d.properties = Fact<std::vector<WindowProperty>>::Of(std::move(props));
  d.windowExtra = ReadExtra(window, false);
  d.classExtra = ReadExtra(window, true);
  {
    uint64_t user = 0;
    if (ExtraReader{window, false}.Pointer(GWLP_USERDATA, user)) d.userData = Fact<uint64_t>::Of(user);
  }
  d.dialog = ReadDialog(window, facts.className);

  d.scroll.horizontal = ReadBar(window, SB_HORZ, OBJID_HSCROLL, (style & WS_HSCROLL) != 0);
  d.scroll.vertical = ReadBar(window, SB_VERT, OBJID_VSCROLL, (style & WS_VSCROLL) != 0);
  d.scroll.control = ReadControlBar(facts.className, messenger);

  d.thread = ReadThread(GetWindowThreadProcessId(window, nullptr));

  d.placement = ReadPlacement(window);
  d.root = Related(GetAncestor(window, GA_ROOT));
  d.rootOwner = Related(GetAncestor(window, GA_ROOTOWNER));
  d.zAbove = Related(GetWindow(window, GW_HWNDPREV));
  d.zBelow = Related(GetWindow(window, GW_HWNDNEXT));

  d.dpi = ReadDpi(window);
  d.dwm = ReadDwm(window);
  d.region = ReadRegion(window);
  d.layered = ReadLayered(window, exStyle);
  d.icons = ReadIcons(facts, messenger);
  d.menu = ReadMenu(window, style);
  d.process = ReadProcess(facts.processId);
  // Gone while it was read: what came after is no reading of it.
  if (!IsWindow(window)) return UnavailableDetails(H(window), d.addressBits);
  return d;
}

WindowDetails ReadWindowDetails(HWND window) {
  Win32WindowSystem ws;
  return ReadWindowDetails(ReadWindowFacts(ws, FromHwnd(window), kDetailsFacts));
}
