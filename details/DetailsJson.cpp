#include "details/DetailsJson.h"

#include "details/DetailsRows.h"

namespace {

void Rect(JsonWriter& w, const WinRect& r) {
  w.BeginObject();
  w.Key("left").Number(r.left).Key("top").Number(r.top);
  w.Key("right").Number(r.right).Key("bottom").Number(r.bottom);
  w.EndObject();
}

void Point(JsonWriter& w, const WinPoint& p) { w.BeginObject().Key("x").Number(p.x).Key("y").Number(p.y).EndObject(); }

void Flags(JsonWriter& w, uint32_t value, const std::vector<std::string>& names) {
  w.BeginObject().Key("value").Number(value).Key("constants").Strings(names).EndObject();
}

// Writes the keys of one object as they come; a fact the system did not give
// is named in the object's notAvailable array, which closes it.
class Object {
 public:
  explicit Object(JsonWriter& w) : m_w(w) { m_w.BeginObject(); }

  template <typename T, typename Render>
  void Put(const char* key, const Fact<T>& fact, Render render) {
    m_w.Key(key);
    if (fact.Known()) {
      render(m_w, fact.value);
      return;
    }
    m_w.Null();
    if (fact.state != FactState::Absent) m_missing.push_back(key);
  }
  JsonWriter& Key(const char* key) { return m_w.Key(key); }
  void Done() {
    m_w.Key("notAvailable").BeginArray();
    for (const char* key : m_missing) m_w.String(key);
    m_w.EndArray().EndObject();
  }

 private:
  JsonWriter& m_w;
  std::vector<const char*> m_missing;
};

template <typename T>
void Whole(JsonWriter& w, const T& value) {
  w.Number(value);
}

void ScrollBar(JsonWriter& w, const ScrollBarFacts& b) {
  w.BeginObject().Key("min").Number(b.min).Key("max").Number(b.max).Key("page").Number(b.page);
  w.Key("pos").Number(b.pos).Key("trackPos").Number(b.trackPos).EndObject();
}

void Extra(JsonWriter& w, const ExtraBytes& e) {
  w.BeginObject().Key("size").Number(e.size).Key("values").BeginArray();
  for (uint64_t v : e.values) w.Number(v);
  w.EndArray().EndObject();
}

void Thread(JsonWriter& w, const ThreadFacts& t) {
  Object o(w);
  o.Put("id", t.id, Whole<uint32_t>);
  const std::pair<const char*, Hwnd GuiThreadFacts::*> windows[] = {
      {"active", &GuiThreadFacts::active},       {"focus", &GuiThreadFacts::focus},
      {"capture", &GuiThreadFacts::capture},     {"menuOwner", &GuiThreadFacts::menuOwner},
      {"moveSize", &GuiThreadFacts::moveSize},   {"caret", &GuiThreadFacts::caret},
  };
  for (const auto& [key, member] : windows) {
    o.Put(key, t.gui, [member = member](JsonWriter& out, const GuiThreadFacts& f) { out.Number(f.*member); });
  }
  o.Put("caretRect", t.gui, [](JsonWriter& out, const GuiThreadFacts& f) { Rect(out, f.caretRect); });
  o.Put("flags", t.gui,
        [](JsonWriter& out, const GuiThreadFacts& f) { Flags(out, f.flags, GuiThreadFlagNames(f.flags)); });
  o.Done();
}

void Placement(JsonWriter& w, const PlacementFacts& p) {
  const std::string name = ShowCommandName(p.showCommand);
  w.BeginObject().Key("showCommand").String(name.empty() ? "SW_" + std::to_string(p.showCommand) : name);
  Rect(w.Key("normal"), p.normal);
  Point(w.Key("minPosition"), p.minPosition);
  Point(w.Key("maxPosition"), p.maxPosition);
  w.EndObject();
}

void Monitor(JsonWriter& w, const MonitorFacts& m) {
  Object o(w);
  o.Key("device").String(m.device);
  Rect(o.Key("rect"), m.rect);
  Rect(o.Key("workArea"), m.workArea);
  o.Key("primary").Bool(m.primary);
  o.Put("dpi", m.dpi, Whole<uint32_t>);
  o.Done();
}

void Dpi(JsonWriter& w, const DpiFacts& d) {
  Object o(w);
  o.Put("window", d.window, Whole<uint32_t>);
  o.Put("awareness", d.awareness, [](JsonWriter& out, DpiAwareness a) { out.String(DpiAwarenessKey(a)); });
  o.Put("monitor", d.monitor, Monitor);
  o.Put("physicalRect", d.physicalRect, [](JsonWriter& out, const WinRect& r) { Rect(out, r); });
  o.Put("logicalRect", d.logicalRect, [](JsonWriter& out, const WinRect& r) { Rect(out, r); });
  o.Done();
}

void Region(JsonWriter& w, const RegionFacts& r) {
  w.BeginObject().Key("type").String(RegionTypeText(r.type)).Key("box");
  if (r.type == RegionType::Simple || r.type == RegionType::Complex) {
    Rect(w, r.box);
  } else {
    w.Null();
  }
  w.EndObject();
}

void Layered(JsonWriter& w, const LayeredFacts& l) {
  w.BeginObject().Key("alpha").Number(l.alpha).Key("colorKey").Number(l.colorKey);
  Flags(w.Key("flags"), l.flags, LayeredFlagNames(l.flags));
  w.EndObject();
}

void Icons(JsonWriter& w, const IconFacts& i) {
  Object o(w);
  o.Put("big", i.big, Whole<uint32_t>);
  o.Put("small", i.small, Whole<uint32_t>);
  o.Put("systemSmall", i.small2, Whole<uint32_t>);
  o.Key("classIcon").Number(i.classIcon);
  o.Key("classSmallIcon").Number(i.classSmallIcon);
  o.Done();
}

void Menu(JsonWriter& w, const MenuFacts& m) {
  w.BeginObject().Key("handle").Number(m.handle).Key("itemCount").Number(m.itemCount);
  w.Key("items").Strings(m.items).EndObject();
}

void Process(JsonWriter& w, const ProcessFacts& p) {
  Object o(w);
  o.Put("bitness", p.bitness, Whole<uint32_t>);
  o.Put("integrity", p.integrity, [](JsonWriter& out, uint32_t rid) { out.String(IntegrityKey(rid)); });
  o.Done();
}

void Properties(JsonWriter& w, const std::vector<WindowProperty>& props) {
  w.BeginArray();
  for (const WindowProperty& p : props) {
    w.BeginObject();
    if (p.isAtom) {
      w.Key("atom").Number(p.atom);
    } else {
      w.Key("name").String(p.name);
    }
    w.Key("value").Number(p.value).EndObject();
  }
  w.EndArray();
}

bool Gap(FactState state) { return state == FactState::NotAvailable || state == FactState::Denied; }

}  // namespace

void WriteDetailsJson(JsonWriter& w, const WindowDetails& d) {
  Object o(w);
  o.Put("properties", d.properties, Properties);
  o.Put("windowExtra", d.windowExtra, Extra);
  o.Put("classExtra", d.classExtra, Extra);
  o.Put("userData", d.userData, Whole<uint64_t>);
  {
    Object scroll(o.Key("scroll"));
    scroll.Put("horizontal", d.scroll.horizontal, ScrollBar);
    scroll.Put("vertical", d.scroll.vertical, ScrollBar);
    scroll.Put("control", d.scroll.control, ScrollBar);
    scroll.Done();
  }
  Thread(o.Key("thread"), d.thread);
  o.Put("placement", d.placement, Placement);
  o.Put("root", d.root, Whole<Hwnd>);
  o.Put("rootOwner", d.rootOwner, Whole<Hwnd>);
  o.Put("zAbove", d.zAbove, Whole<Hwnd>);
  o.Put("zBelow", d.zBelow, Whole<Hwnd>);
  Dpi(o.Key("dpi"), d.dpi);
  // DWM as a whole where the system has none of it (Wine, before Vista).
  const DwmFacts& dwm = d.dwm;
  if (Gap(dwm.cloaked.state) && Gap(dwm.extendedFrameBounds.state) && Gap(dwm.ncRendering.state)) {
    o.Put("dwm", Fact<int>::Missing(), Whole<int>);
  } else {
    Object parts(o.Key("dwm"));
    parts.Put("cloaked", dwm.cloaked,
              [](JsonWriter& out, uint32_t c) { Flags(out, c, CloakedFlagNames(c)); });
    parts.Put("extendedFrameBounds", dwm.extendedFrameBounds, Rect);
    parts.Put("ncRendering", dwm.ncRendering, [](JsonWriter& out, bool on) { out.Bool(on); });
    parts.Done();
  }
  o.Put("region", d.region, Region);
  o.Put("layered", d.layered, Layered);
  Icons(o.Key("icons"), d.icons);
  o.Put("menu", d.menu, Menu);
  Process(o.Key("process"), d.process);
  o.Done();
}

std::string DetailsJsonText(const WindowDetails& details) {
  std::string text;
  JsonWriter w(text, JsonStrings::Report, JsonWriter::Layout::Compact);
  WriteDetailsJson(w, details);
  return text;
}
