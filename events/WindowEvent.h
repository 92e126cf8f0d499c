#pragma once
// One recorded window event and its two written forms: a JSON line (/watch,
// Save as JSON lines) and the cells of a row (the Events window, Copy, Save
// as text). Portable: the recorder fills it from the window seam.
#include <cstdint>
#include <string>

#include "platform/WindowSystem.h"

// Kinds a filter chooses from come first; Started marks the recorder's start.
enum class EventKind : uint8_t { Created, Destroyed, Shown, Hidden, Retitled, Moved, Foreground, Focus, Started };
constexpr int kEventKindCount = 8;  // the window events, without Started
constexpr uint32_t kAllEventKinds = (1u << kEventKindCount) - 1;
inline uint32_t KindBit(EventKind k) { return 1u << static_cast<int>(k); }

// "created", "destroyed", ...: the JSON and command-line names.
const char* EventKindName(EventKind kind);
// The kind named so (any letter case); false for no kind.
bool EventKindNamed(const std::string& name, EventKind& kind);

// Which facts of a window could be read before it was gone.
namespace Known {
constexpr uint32_t Class = 1u << 0;
constexpr uint32_t Text = 1u << 1;
constexpr uint32_t Process = 1u << 2;  // processId
constexpr uint32_t Exe = 1u << 3;
constexpr uint32_t Top = 1u << 4;  // top and topLevel
constexpr uint32_t Selector = 1u << 5;
constexpr uint32_t All = (1u << 6) - 1;
}  // namespace Known

struct EventWindow {
  Hwnd handle = 0;
  uint32_t known = 0;
  std::string className, text;  // UTF-8
  uint32_t processId = 0;
  std::string exe;
  Hwnd top = 0;  // the top-level window it belongs to; itself for a top-level window
  bool topLevel = false;
  std::string selector;  // Tarvisk's selector
};

struct WindowEvent {
  uint64_t number = 0;  // from 1, in the order recorded
  uint32_t timeMs = 0;  // since the recorder started
  EventKind kind = EventKind::Created;
  EventWindow window;
  // Foreground and Focus: the window that had it before (handle 0: none).
  bool hasPrevious = false;
  EventWindow previous;
  // Moved: the new window rectangle.
  bool hasRect = false;
  WinRect rect;
  // Started: the wall clock, "2026-12-10T12:30:00.000Z".
  std::string clock;
};

// One line of JSON (no line end), as docs/tarvisk-event.schema.json describes it.
std::string EventJsonLine(const WindowEvent& e);

// The columns of the Events window, in their order.
enum EventColumn { kColTime, kColEvent, kColHandle, kColClass, kColText, kColProcess, kColSelector, kEventColumnCount };
const char* EventColumnTitle(int column);
std::string EventCell(const WindowEvent& e, int column);
// The cells separated by tabs, without a line end.
std::string EventTextLine(const WindowEvent& e);
// "$0001005C", the handle syntax of /list and /window.
std::string EventHandleText(Hwnd h);
