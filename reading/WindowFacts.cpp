#include "reading/WindowFacts.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The text question's buffer is as large as the longest text a window can
// give; allocating it per window would dominate a long fill, so each thread
// keeps one.
std::vector<char>& TextBuffer() {
  thread_local std::vector<char> buffer(kUtf8TextBufferSize);
  return buffer;
}

void ReadText(const WindowSystem& ws, WindowFacts& f) {
  std::vector<char>& buffer = TextBuffer();
  // Only the bytes a resource identifier's answer could leave unwritten need
  // clearing: a short answer then reads as zeros there.
  std::memset(buffer.data(), 0, 4);
  const auto start = std::chrono::steady_clock::now();
  ws.SendGetText(f.handle, buffer.data(), kUtf8TextBufferSize);
  f.textUnanswered = std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(kNotAnsweringMs);
  // A window procedure may fill the whole buffer and leave out the zero.
  buffer[kUtf8TextBufferSize - 1] = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
  f.isResourceId = bytes[0] == 0xFF;
  if (f.isResourceId) {
    // The identifier's bytes may be zero, so they are read from the raw buffer.
    f.resourceId = bytes[1] + 256u * bytes[2];
    f.title = ws.WindowText(f.handle);
  } else {
    f.text.assign(buffer.data(), std::strlen(buffer.data()));
  }
}

// The process and thread of the app in a frame window (kFrameClass): its
// child of kAppWindowClass from another process. Only a top-level window can
// be such a frame, and only its class name is asked of every other window.
void ReadFrameOwner(const WindowSystem& ws, WindowFacts& f, bool parentRead) {
  const std::string className = (f.read & Facts::ClassName) ? f.className : ws.ClassName(f.handle);
  if (std::strcmp(className.c_str(), kFrameClass) != 0) return;
  if ((parentRead ? f.parent : ws.Parent(f.handle)) != 0) return;
  const uint32_t frameProcess = ws.ProcessId(f.handle);
  for (Hwnd child : ws.ChildWindows(f.handle)) {
    if (ws.Parent(child) != f.handle || std::strcmp(ws.ClassName(child).c_str(), kAppWindowClass) != 0) continue;
    const uint32_t app = ws.ProcessId(child);
    if (app == 0 || app == frameProcess) continue;
    f.hostProcessId = frameProcess;
    f.hostThreadId = ws.ThreadId(f.handle);
    if (f.read & Facts::Process) f.processId = app;
    if (f.read & Facts::Thread) f.threadId = ws.ThreadId(child);
    return;
  }
}

WindowFacts Read(const WindowSystem& ws, Hwnd handle, FactSet facts, bool parentKnown, Hwnd parent) {
  using namespace Facts;
  WindowFacts f;
  f.handle = handle;
  f.read = facts;
  f.addressBits = ws.AddressBits();
  if (facts & Text) ReadText(ws, f);
  if (facts & Title) f.title = ws.WindowText(handle);
  if (facts & Process) f.processId = ws.ProcessId(handle);
  if (facts & Thread) f.threadId = ws.ThreadId(handle);
  if (parentKnown) {
    f.parent = parent;
  } else if (facts & (Parent | Menu | ParentCoords)) {
    f.parent = ws.Parent(handle);
  }
  if (facts & Code) {
    f.instance = ws.WindowLongPtr(handle, WinLong::HInstance);
    f.function = ws.WindowLongPtr(handle, WinLong::WndProc);
  }
  if (facts & ControlId) f.controlId = ws.WindowLong(handle, WinLong::Id);
  // A child's menu slot holds its control identifier; GetParent also gives the
  // owner of a pop-up, and such windows show no menu either.
  if (facts & Menu) f.menu = f.parent != 0 ? 0 : ws.Menu(handle);
  if (facts & (WindowRect | ParentCoords)) f.screenCoords = ws.WindowRect(handle);
  if (facts & ParentCoords) f.parentCoords = ws.ScreenToClientRect(f.parent, f.screenCoords);
  if (facts & ClientRect) f.clientRect = ws.ClientRect(handle);
  if (facts & Styles) {
    f.style = ws.WindowLong(handle, WinLong::Style);
    f.exStyle = ws.WindowLong(handle, WinLong::ExStyle);
  }
  if (facts & Visible) f.visible = ws.IsVisible(handle);
  if (facts & Owner) f.owner = ws.WindowLong(handle, WinLong::HwndParent);
  if (facts & (ClassName | ControlFamily | ControlExStyle)) {
    f.className = ws.ClassName(handle);
    f.className.resize(std::strlen(f.className.c_str()));
  }
  if (facts & ClassImages) {
    f.icon = ws.ClassLong(handle, ClassLong::HIcon);
    f.smallIcon = ws.ClassLong(handle, ClassLong::HIconSm);
    f.cursor = ws.ClassLong(handle, ClassLong::HCursor);
  }
  if (facts & ClassCode) {
    f.classFunction = ws.ClassLongPtr(handle, ClassLong::WndProc);
    f.brush = ws.ClassLong(handle, ClassLong::HBrBackground);
    f.moduleHandle = ws.ClassLongPtr(handle, ClassLong::HModule);
    f.classStyle = ws.ClassLong(handle, ClassLong::Style);
  }
  if (facts & (ControlFamily | ControlExStyle)) {
    // The system's own name for the class is asked only where the class's own
    // name says nothing: it costs a round trip to the server.
    f.family = StyleFamilyOfClass(f.className);
    if (f.family == StyleFamily::None) {
      f.baseClassName = ws.BaseClassName(handle);
      f.family = StyleFamilyOfClass(f.baseClassName);
    }
  }
  if (facts & ControlExStyle) {
    const uint32_t message = ControlExStyleMessage(f.family);
    if (message != 0) f.hasControlExStyle = ws.SendQuery(handle, message, &f.controlExStyle);
  }
  if (facts & (Process | Thread)) ReadFrameOwner(ws, f, parentKnown || (facts & (Parent | Menu | ParentCoords)));
  return f;
}

}  // namespace

WindowFacts ReadWindowFacts(const WindowSystem& ws, Hwnd handle, FactSet facts) {
  return Read(ws, handle, facts, false, 0);
}

WindowFacts ReadWindowFacts(const WindowSystem& ws, Hwnd handle, FactSet facts, Hwnd parent) {
  return Read(ws, handle, facts, true, parent);
}

std::string ClassAndHandle(const WindowSystem& ws, Hwnd handle) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(handle));
  return ReadWindowFacts(ws, handle, Facts::ClassName).className + " " + text;
}
