#pragma once
// Which lines the log shows: message groups switched on or off, and single
// messages always shown or never shown whatever their group says. The
// filter only chooses what is shown; the lines stay recorded.
#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "msglog/MessageNames.h"

namespace msglog {

enum class MessageGroup {
  Mouse, Keyboard, WindowManagement, Painting, NonClient, ControlNotifications, Timer, Other, Count
};
constexpr int kGroupCount = static_cast<int>(MessageGroup::Count);

const char* GroupName(MessageGroup group);
// Control messages (BM_CLICK, LVM_...) count as Other, whatever their number.
MessageGroup GroupOf(uint32_t message, ControlFamily family);

struct LogFilter {
  std::array<bool, kGroupCount> groups{{true, true, true, true, true, true, true, true}};
  std::set<uint32_t> include;  // shown even when their group is off
  std::set<uint32_t> exclude;  // never shown

  bool Passes(uint32_t message, ControlFamily family) const;
  bool ShowsEverything() const;

  // The registry form: "groups=11111111;include=0x0201;exclude=0x0200,0x0084".
  std::string Encode() const;
  // A malformed or missing part keeps that part's default.
  static LogFilter Decode(const std::string& text);
};

// A list of messages by name or number, separated by commas, spaces or line
// ends. On an unknown entry, false with *bad naming it.
bool ParseMessageList(const std::string& text, std::set<uint32_t>* messages, std::string* bad);
// The list with each message by its window-message name or number.
std::string MessageListText(const std::set<uint32_t>& messages);

}  // namespace msglog
