#include "details/DetailsRows.h"

#include <utility>

namespace {

struct FlagName {
  uint32_t bit;
  const char* name;
};

const FlagName kGuiThreadFlags[] = {
    {0x01, "GUI_CARETBLINKING"}, {0x02, "GUI_INMOVESIZE"},    {0x04, "GUI_INMENUMODE"},
    {0x08, "GUI_SYSTEMMENUMODE"}, {0x10, "GUI_POPUPMENUMODE"}, {0x20, "GUI_16BITTASK"},
};
const FlagName kLayeredFlags[] = {{0x01, "LWA_COLORKEY"}, {0x02, "LWA_ALPHA"}};
const FlagName kCloakedFlags[] = {
    {0x01, "DWM_CLOAKED_APP"}, {0x02, "DWM_CLOAKED_SHELL"}, {0x04, "DWM_CLOAKED_INHERITED"}};
const FlagName kScrollBarStates[] = {
    {0x00000001, "STATE_SYSTEM_UNAVAILABLE"}, {0x00000008, "STATE_SYSTEM_PRESSED"},
    {0x00008000, "STATE_SYSTEM_INVISIBLE"},   {0x00010000, "STATE_SYSTEM_OFFSCREEN"},
};

const char* const kShowCommands[] = {
    "SW_HIDE",        "SW_SHOWNORMAL", "SW_SHOWMINIMIZED", "SW_SHOWMAXIMIZED", "SW_SHOWNOACTIVATE", "SW_SHOW",
    "SW_MINIMIZE",    "SW_SHOWMINNOACTIVE", "SW_SHOWNA",   "SW_RESTORE",       "SW_SHOWDEFAULT",
    "SW_FORCEMINIMIZE",
};

struct IntegrityName {
  uint32_t rid;
  const char* text;
  const char* key;
};
const IntegrityName kIntegrityLevels[] = {
    {0x0000, "untrusted", "untrusted"}, {0x1000, "low", "low"},   {0x2000, "medium", "medium"},
    {0x2100, "medium plus", "mediumPlus"}, {0x3000, "high", "high"}, {0x4000, "system", "system"},
    {0x5000, "protected", "protected"},
};

template <size_t N>
std::vector<std::string> Names(const FlagName (&table)[N], uint32_t bits) {
  std::vector<std::string> names;
  for (const FlagName& f : table) {
    if (bits & f.bit) names.emplace_back(f.name);
  }
  return names;
}

// The names joined by bars in the constants' case; "none" without any.
std::string NamesText(const std::vector<std::string>& names, const DisplayOptions& opts) {
  if (names.empty()) return kNoneText;
  std::string text;
  for (const std::string& n : names) text += (text.empty() ? "" : " | ") + n;
  return ApplyConstsCase(text, opts);
}

template <typename T, typename Render>
std::string FactText(const Fact<T>& fact, Render render) {
  switch (fact.state) {
    case FactState::Known: return render(fact.value);
    case FactState::Absent: return kNoneText;
    case FactState::Denied: return kDeniedText;
    case FactState::NotAvailable: break;
  }
  return kNotAvailableText;
}

class GroupWriter {
 public:
  GroupWriter(const WindowDetails& d, const DisplayOptions& opts) : m_d(d), m_opts(opts) {}

  std::string Handle(Hwnd h) const { return h == 0 ? std::string(kNoneText) : FormatInteger(h, m_opts); }
  std::string Address(uint64_t v) const { return FormatAddress(v, m_d.addressBits, m_opts); }
  std::string Number(uint32_t v) const { return FormatInteger(v, m_opts); }
  template <typename T, typename Render>
  std::string Text(const Fact<T>& fact, Render render) const {
    return FactText(fact, render);
  }
  std::string HandleFact(const Fact<Hwnd>& f) const {
    return FactText(f, [&](Hwnd h) { return Handle(h); });
  }

  const WindowDetails& m_d;
  const DisplayOptions& m_opts;
};

void Add(DetailsGroup& g, std::string name, std::string value) {
  g.rows.push_back({std::move(name), std::move(value)});
}

DetailsGroup PropertiesGroup(const GroupWriter& w) {
  DetailsGroup g{"Properties", {}};
  const auto& props = w.m_d.properties;
  if (!props.Known()) {
    Add(g, "Properties", w.Text(props, [](const std::vector<WindowProperty>&) { return std::string(); }));
    return g;
  }
  Add(g, "Count", std::to_string(props.value.size()));
  for (const WindowProperty& p : props.value) {
    Add(g, p.isAtom ? "#" + std::to_string(p.atom) : p.name, w.Address(p.value));
  }
  return g;
}

void ExtraRows(DetailsGroup& g, const GroupWriter& w, const std::string& what, const Fact<ExtraBytes>& extra) {
  Add(g, what + " extra size", w.Text(extra, [](const ExtraBytes& e) { return std::to_string(e.size) + " bytes"; }));
  if (!extra.Known()) return;
  const uint32_t word = static_cast<uint32_t>(w.m_d.addressBits / 8);
  uint32_t offset = 0;
  for (uint64_t v : extra.value.values) {
    const uint32_t bytes = extra.value.size - offset < word ? extra.value.size - offset : word;
    // A word of the full width in the address width; a shorter tail in 32 bits.
    Add(g, what + " +" + std::to_string(offset), bytes == word ? w.Address(v) : w.Number(static_cast<uint32_t>(v)));
    offset += word;
  }
}

DetailsGroup ExtraBytesGroup(const GroupWriter& w) {
  DetailsGroup g{"Extra bytes", {}};
  ExtraRows(g, w, "Window", w.m_d.windowExtra);
  ExtraRows(g, w, "Class", w.m_d.classExtra);
  Add(g, "User data", w.Text(w.m_d.userData, [&](uint64_t v) { return w.Address(v); }));
  if (w.m_d.dialog.state != FactState::Absent) {
    const auto& dlg = w.m_d.dialog;
    Add(g, "Dialog result", w.Text(dlg, [&](const DialogValues& v) { return w.Address(v.messageResult); }));
    Add(g, "Dialog procedure", w.Text(dlg, [&](const DialogValues& v) { return w.Address(v.procedure); }));
    Add(g, "Dialog user value", w.Text(dlg, [&](const DialogValues& v) { return w.Address(v.user); }));
  }
  return g;
}

void ScrollRows(DetailsGroup& g, const GroupWriter& w, const std::string& name, const Fact<ScrollBarFacts>& bar) {
  Add(g, name, w.Text(bar, [](const ScrollBarFacts& b) {
        return "range " + std::to_string(b.min) + ".." + std::to_string(b.max) + ", page " + std::to_string(b.page) +
               ", pos " + std::to_string(b.pos) + ", track " + std::to_string(b.trackPos);
      }));
  if (bar.Known()) {
    Add(g, name + " state", w.Text(bar.value.state, [&](uint32_t s) {
          return s == 0 ? std::string("normal") : NamesText(ScrollBarStateNames(s), w.m_opts);
        }));
  }
}

DetailsGroup ScrollGroup(const GroupWriter& w) {
  DetailsGroup g{"Scroll bars", {}};
  ScrollRows(g, w, "Horizontal", w.m_d.scroll.horizontal);
  ScrollRows(g, w, "Vertical", w.m_d.scroll.vertical);
  ScrollRows(g, w, "Control", w.m_d.scroll.control);
  return g;
}

DetailsGroup ThreadGroup(const GroupWriter& w) {
  DetailsGroup g{"Thread", {}};
  const ThreadFacts& t = w.m_d.thread;
  Add(g, "Thread ID", w.Text(t.id, [&](uint32_t id) { return w.Number(id); }));
  const std::pair<const char*, Hwnd GuiThreadFacts::*> windows[] = {
      {"Active window", &GuiThreadFacts::active},   {"Focus window", &GuiThreadFacts::focus},
      {"Capture window", &GuiThreadFacts::capture}, {"Menu owner", &GuiThreadFacts::menuOwner},
      {"Move/size window", &GuiThreadFacts::moveSize}, {"Caret window", &GuiThreadFacts::caret},
  };
  for (const auto& [name, member] : windows) {
    Add(g, name, w.Text(t.gui, [&w, member = member](const GuiThreadFacts& f) { return w.Handle(f.*member); }));
  }
  Add(g, "Caret rectangle", w.Text(t.gui, [](const GuiThreadFacts& f) { return RectText(f.caretRect); }));
  Add(g, "Flags", w.Text(t.gui, [&](const GuiThreadFacts& f) { return NamesText(GuiThreadFlagNames(f.flags), w.m_opts); }));
  return g;
}

DetailsGroup PlacementGroup(const GroupWriter& w) {
  DetailsGroup g{"Placement and order", {}};
  const auto& p = w.m_d.placement;
  Add(g, "Show command", w.Text(p, [&](const PlacementFacts& f) {
        const std::string name = ShowCommandName(f.showCommand);
        return name.empty() ? w.Number(f.showCommand) : ApplyConstsCase(name, w.m_opts);
      }));
  Add(g, "Normal position", w.Text(p, [](const PlacementFacts& f) { return RectText(f.normal); }));
  Add(g, "Minimized position",
      w.Text(p, [](const PlacementFacts& f) { return PointText(f.minPosition.x, f.minPosition.y); }));
  Add(g, "Maximized position",
      w.Text(p, [](const PlacementFacts& f) { return PointText(f.maxPosition.x, f.maxPosition.y); }));
  Add(g, "Root", w.HandleFact(w.m_d.root));
  Add(g, "Root owner", w.HandleFact(w.m_d.rootOwner));
  Add(g, "Window above", w.HandleFact(w.m_d.zAbove));
  Add(g, "Window below", w.HandleFact(w.m_d.zBelow));
  return g;
}

DetailsGroup DpiGroup(const GroupWriter& w) {
  DetailsGroup g{"DPI and monitor", {}};
  const DpiFacts& d = w.m_d.dpi;
  const auto decimal = [](uint32_t v) { return std::to_string(v); };
  Add(g, "Window DPI", w.Text(d.window, decimal));
  Add(g, "DPI awareness", w.Text(d.awareness, DpiAwarenessText));
  Add(g, "Monitor", w.Text(d.monitor, [&](const MonitorFacts& m) { return w.Handle(m.handle); }));
  Add(g, "Monitor device", w.Text(d.monitor, [](const MonitorFacts& m) { return m.device; }));
  Add(g, "Monitor rectangle", w.Text(d.monitor, [](const MonitorFacts& m) { return RectText(m.rect); }));
  Add(g, "Work area", w.Text(d.monitor, [](const MonitorFacts& m) { return RectText(m.workArea); }));
  Add(g, "Primary monitor", w.Text(d.monitor, [](const MonitorFacts& m) { return std::string(m.primary ? "yes" : "no"); }));
  Add(g, "Monitor DPI", d.monitor.Known() ? w.Text(d.monitor.value.dpi, decimal)
                                           : w.Text(d.monitor, [](const MonitorFacts&) { return std::string(); }));
  Add(g, "Rectangle in pixels", w.Text(d.physicalRect, RectText));
  // Absent: the window counts in the pixels it has.
  Add(g, "Rectangle the window sees",
      d.logicalRect.state == FactState::Absent ? std::string("the same") : w.Text(d.logicalRect, RectText));
  return g;
}

DetailsGroup DwmGroup(const GroupWriter& w) {
  DetailsGroup g{"DWM", {}};
  const DwmFacts& d = w.m_d.dwm;
  Add(g, "Cloaked", w.Text(d.cloaked, [&](uint32_t c) {
        return c == 0 ? std::string("no") : "by " + NamesText(CloakedFlagNames(c), w.m_opts);
      }));
  Add(g, "Extended frame", w.Text(d.extendedFrameBounds, RectText));
  Add(g, "NC rendering", w.Text(d.ncRendering, [](bool on) { return std::string(on ? "on" : "off"); }));
  return g;
}

DetailsGroup RegionGroup(const GroupWriter& w) {
  DetailsGroup g{"Region and layering", {}};
  const auto& r = w.m_d.region;
  Add(g, "Region", w.Text(r, [](const RegionFacts& f) { return RegionTypeText(f.type); }));
  Add(g, "Region box", w.Text(r, [](const RegionFacts& f) {
        return f.type == RegionType::Simple || f.type == RegionType::Complex ? RectText(f.box)
                                                                              : std::string(kNoneText);
      }));
  const auto& l = w.m_d.layered;
  if (l.state == FactState::Absent) {
    Add(g, "Layered", "no");
    return g;
  }
  Add(g, "Alpha", w.Text(l, [&](const LayeredFacts& f) { return FormatByte(f.alpha, w.m_opts); }));
  Add(g, "Color key", w.Text(l, [&](const LayeredFacts& f) { return PixelColorText(f.colorKey, w.m_opts); }));
  Add(g, "Layered flags", w.Text(l, [&](const LayeredFacts& f) { return NamesText(LayeredFlagNames(f.flags), w.m_opts); }));
  return g;
}

DetailsGroup IconsGroup(const GroupWriter& w) {
  DetailsGroup g{"Icons", {}};
  const IconFacts& i = w.m_d.icons;
  const auto handle = [&](uint32_t h) { return w.Handle(h); };
  Add(g, "Big icon", w.Text(i.big, handle));
  Add(g, "Small icon", w.Text(i.small, handle));
  Add(g, "System small icon", w.Text(i.small2, handle));
  Add(g, "Class icon", w.Handle(i.classIcon));
  Add(g, "Class small icon", w.Handle(i.classSmallIcon));
  return g;
}

DetailsGroup MenuGroup(const GroupWriter& w) {
  DetailsGroup g{"Menu", {}};
  const auto& m = w.m_d.menu;
  Add(g, "Menu", w.Text(m, [&](const MenuFacts& f) { return w.Handle(f.handle); }));
  if (!m.Known()) return g;
  Add(g, "Item count", std::to_string(m.value.itemCount));
  for (size_t i = 0; i < m.value.items.size(); ++i) {
    Add(g, "Item " + std::to_string(i + 1), m.value.items[i].empty() ? "(separator)" : m.value.items[i]);
  }
  return g;
}

DetailsGroup ProcessGroup(const GroupWriter& w) {
  DetailsGroup g{"Process", {}};
  const ProcessFacts& p = w.m_d.process;
  Add(g, "Bitness", w.Text(p.bitness, [](uint32_t b) { return std::to_string(b) + "-bit"; }));
  Add(g, "Integrity level", w.Text(p.integrity, IntegrityText));
  return g;
}

}  // namespace

std::vector<DetailsGroup> DescribeDetails(const WindowDetails& details, const DisplayOptions& opts) {
  const GroupWriter w(details, opts);
  return {PropertiesGroup(w), ExtraBytesGroup(w), ScrollGroup(w), ThreadGroup(w), PlacementGroup(w), DpiGroup(w),
          DwmGroup(w),        RegionGroup(w),     IconsGroup(w),  MenuGroup(w),   ProcessGroup(w)};
}

std::string ShowCommandName(uint32_t showCommand) {
  return showCommand < sizeof kShowCommands / sizeof kShowCommands[0] ? kShowCommands[showCommand] : "";
}

std::vector<std::string> GuiThreadFlagNames(uint32_t flags) { return Names(kGuiThreadFlags, flags); }
std::vector<std::string> LayeredFlagNames(uint32_t flags) { return Names(kLayeredFlags, flags); }
std::vector<std::string> CloakedFlagNames(uint32_t flags) { return Names(kCloakedFlags, flags); }
std::vector<std::string> ScrollBarStateNames(uint32_t state) { return Names(kScrollBarStates, state); }

std::string DpiAwarenessText(DpiAwareness awareness) {
  switch (awareness) {
    case DpiAwareness::Unaware: return "unaware";
    case DpiAwareness::System: return "system";
    case DpiAwareness::PerMonitor: return "per-monitor";
    case DpiAwareness::PerMonitorV2: return "per-monitor v2";
    case DpiAwareness::UnawareGdiScaled: return "unaware with GDI scaling";
  }
  return "";
}

std::string DpiAwarenessKey(DpiAwareness awareness) {
  switch (awareness) {
    case DpiAwareness::Unaware: return "unaware";
    case DpiAwareness::System: return "system";
    case DpiAwareness::PerMonitor: return "perMonitor";
    case DpiAwareness::PerMonitorV2: return "perMonitorV2";
    case DpiAwareness::UnawareGdiScaled: return "unawareGdiScaled";
  }
  return "";
}

std::string IntegrityText(uint32_t rid) {
  for (const IntegrityName& level : kIntegrityLevels) {
    if (level.rid == rid) return level.text;
  }
  return std::to_string(rid);
}

std::string IntegrityKey(uint32_t rid) {
  for (const IntegrityName& level : kIntegrityLevels) {
    if (level.rid == rid) return level.key;
  }
  return std::to_string(rid);
}

std::string RegionTypeText(RegionType type) {
  switch (type) {
    case RegionType::None: return "none";
    case RegionType::Empty: return "empty";
    case RegionType::Simple: return "simple";
    case RegionType::Complex: return "complex";
  }
  return "";
}

std::string DetailsRowsText(const std::vector<DetailsGroup>& groups) {
  std::string text;
  for (const DetailsGroup& g : groups) {
    text += g.title + "\r\n";
    for (const DetailsRow& r : g.rows) text += r.name + "\t" + r.value + "\r\n";
  }
  return text;
}

WindowDetails UnavailableDetails(Hwnd handle, int addressBits) {
  WindowDetails d;
  d.handle = handle;
  d.addressBits = addressBits;
  return d;
}
