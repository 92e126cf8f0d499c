#include "details/DetailsJson.h"

#include "details/DetailsRows.h"

using Json = nlohmann::ordered_json;

namespace {

Json Rect(const WinRect& r) { return {{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}}; }
Json Point(const WinPoint& p) { return {{"x", p.x}, {"y", p.y}}; }
Json Flags(uint32_t value, const std::vector<std::string>& names) {
  return {{"value", value}, {"constants", names}};
}

// Writes the keys of one object; a fact the system did not give is named in
// the object's notAvailable array.
class Object {
 public:
  template <typename T, typename Render>
  void Put(const char* key, const Fact<T>& fact, Render render) {
    if (fact.Known()) {
      m_json[key] = render(fact.value);
      return;
    }
    m_json[key] = nullptr;
    if (fact.state != FactState::Absent) m_missing.push_back(key);
  }
  void Set(const char* key, Json value) { m_json[key] = std::move(value); }
  bool AllMissing() const { return !m_missing.empty() && m_missing.size() == m_json.size(); }
  Json Done() {
    m_json["notAvailable"] = m_missing;
    return std::move(m_json);
  }

 private:
  Json m_json = Json::object();
  std::vector<std::string> m_missing;
};

Json ScrollBar(const ScrollBarFacts& b) {
  return {{"min", b.min}, {"max", b.max}, {"page", b.page}, {"pos", b.pos}, {"trackPos", b.trackPos}};
}

Json Extra(const ExtraBytes& e) { return {{"size", e.size}, {"values", e.values}}; }

Json Thread(const ThreadFacts& t) {
  Object o;
  o.Put("id", t.id, [](uint32_t id) { return Json(id); });
  const std::pair<const char*, Hwnd GuiThreadFacts::*> windows[] = {
      {"active", &GuiThreadFacts::active},       {"focus", &GuiThreadFacts::focus},
      {"capture", &GuiThreadFacts::capture},     {"menuOwner", &GuiThreadFacts::menuOwner},
      {"moveSize", &GuiThreadFacts::moveSize},   {"caret", &GuiThreadFacts::caret},
  };
  for (const auto& [key, member] : windows) {
    o.Put(key, t.gui, [member = member](const GuiThreadFacts& f) { return Json(f.*member); });
  }
  o.Put("caretRect", t.gui, [](const GuiThreadFacts& f) { return Rect(f.caretRect); });
  o.Put("flags", t.gui, [](const GuiThreadFacts& f) { return Flags(f.flags, GuiThreadFlagNames(f.flags)); });
  return o.Done();
}

Json Placement(const PlacementFacts& p) {
  const std::string name = ShowCommandName(p.showCommand);
  return {{"showCommand", name.empty() ? "SW_" + std::to_string(p.showCommand) : name},
          {"normal", Rect(p.normal)},
          {"minPosition", Point(p.minPosition)},
          {"maxPosition", Point(p.maxPosition)}};
}

Json Monitor(const MonitorFacts& m) {
  Object o;
  o.Set("device", m.device);
  o.Set("rect", Rect(m.rect));
  o.Set("workArea", Rect(m.workArea));
  o.Set("primary", m.primary);
  o.Put("dpi", m.dpi, [](uint32_t dpi) { return Json(dpi); });
  return o.Done();
}

Json Dpi(const DpiFacts& d) {
  Object o;
  o.Put("window", d.window, [](uint32_t dpi) { return Json(dpi); });
  o.Put("awareness", d.awareness, [](DpiAwareness a) { return Json(DpiAwarenessKey(a)); });
  o.Put("monitor", d.monitor, Monitor);
  return o.Done();
}

Json Region(const RegionFacts& r) {
  const bool box = r.type == RegionType::Simple || r.type == RegionType::Complex;
  return {{"type", RegionTypeText(r.type)}, {"box", box ? Rect(r.box) : Json(nullptr)}};
}

Json Layered(const LayeredFacts& l) {
  return {{"alpha", l.alpha}, {"colorKey", l.colorKey}, {"flags", Flags(l.flags, LayeredFlagNames(l.flags))}};
}

Json Icons(const IconFacts& i) {
  Object o;
  const auto handle = [](uint32_t h) { return Json(h); };
  o.Put("big", i.big, handle);
  o.Put("small", i.small, handle);
  o.Put("systemSmall", i.small2, handle);
  o.Set("classIcon", i.classIcon);
  o.Set("classSmallIcon", i.classSmallIcon);
  return o.Done();
}

Json Menu(const MenuFacts& m) { return {{"handle", m.handle}, {"itemCount", m.itemCount}, {"items", m.items}}; }

Json Process(const ProcessFacts& p) {
  Object o;
  o.Put("bitness", p.bitness, [](uint32_t b) { return Json(b); });
  o.Put("integrity", p.integrity, [](uint32_t rid) { return Json(IntegrityKey(rid)); });
  return o.Done();
}

}  // namespace

Json DetailsJson(const WindowDetails& d) {
  Object o;
  o.Put("properties", d.properties, [](const std::vector<WindowProperty>& props) {
    Json list = Json::array();
    for (const WindowProperty& p : props) {
      if (p.isAtom) {
        list.push_back({{"atom", p.atom}, {"value", p.value}});
      } else {
        list.push_back({{"name", p.name}, {"value", p.value}});
      }
    }
    return list;
  });
  o.Put("windowExtra", d.windowExtra, Extra);
  o.Put("classExtra", d.classExtra, Extra);
  o.Put("userData", d.userData, [](uint64_t v) { return Json(v); });
  {
    Object scroll;
    scroll.Put("horizontal", d.scroll.horizontal, ScrollBar);
    scroll.Put("vertical", d.scroll.vertical, ScrollBar);
    scroll.Put("control", d.scroll.control, ScrollBar);
    o.Set("scroll", scroll.Done());
  }
  o.Set("thread", Thread(d.thread));
  o.Put("placement", d.placement, Placement);
  const auto handle = [](Hwnd h) { return Json(h); };
  o.Put("root", d.root, handle);
  o.Put("rootOwner", d.rootOwner, handle);
  o.Put("zAbove", d.zAbove, handle);
  o.Put("zBelow", d.zBelow, handle);
  o.Set("dpi", Dpi(d.dpi));
  {
    // DWM as a whole where the system has none of it (Wine, before Vista).
    Object dwm;
    dwm.Put("cloaked", d.dwm.cloaked, [](uint32_t c) { return Flags(c, CloakedFlagNames(c)); });
    dwm.Put("extendedFrameBounds", d.dwm.extendedFrameBounds, Rect);
    dwm.Put("ncRendering", d.dwm.ncRendering, [](bool on) { return Json(on); });
    if (dwm.AllMissing()) {
      o.Put("dwm", Fact<int>::Missing(), [](int) { return Json(); });
    } else {
      o.Set("dwm", dwm.Done());
    }
  }
  o.Put("region", d.region, Region);
  o.Put("layered", d.layered, Layered);
  o.Set("icons", Icons(d.icons));
  o.Put("menu", d.menu, Menu);
  o.Set("process", Process(d.process));
  return o.Done();
}
