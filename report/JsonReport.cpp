#include "report/JsonReport.h"

#include <cstdio>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "details/DetailsJson.h"
#include "exeinfo/ModuleList.h"
#include "inspect/ControlStyles.h"
#include "inspect/StyleTables.h"
#include "platform/Utf8.h"

using Json = nlohmann::ordered_json;

namespace {

// The names as the platform's headers spell them, whatever case the pages use:
// scripts compare them.
const DisplayOptions kUpperNames{kFormatHexadecimal, kCaseUpper};

// Sizes wrap as the 32-bit platform arithmetic does.
int32_t Extent(int32_t low, int32_t high) {
  return static_cast<int32_t>(static_cast<uint32_t>(high) - static_cast<uint32_t>(low));
}

Json Rect(const WinRect& r) { return {{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}}; }
Json Size(const WinRect& r) {
  return {{"width", Extent(r.left, r.right)}, {"height", Extent(r.top, r.bottom)}};
}
Json Point(const WinPoint& p) { return {{"x", p.x}, {"y", p.y}}; }

Json Style(uint32_t value, const std::string& decoded) {
  return {{"value", value}, {"constants", SplitConstantNames(decoded)}};
}

Json WindowPart(const WindowFacts& f) {
  Json w;
  w["handle"] = f.handle;
  w["textLabel"] = f.isResourceId ? kCaptionResourceId : kCaptionText;
  w["text"] = f.text;
  if (f.isResourceId) {
    w["resourceId"] = f.resourceId;
    bool named = false;
    for (const StockIconRow& row : kStockIcons) named = named || row.value == f.resourceId;
    w["resourceName"] = named ? Json(StockIconName(f.resourceId, kUpperNames)) : Json(nullptr);
  } else {
    w["resourceId"] = nullptr;
    w["resourceName"] = nullptr;
  }
  w["processId"] = f.processId;
  w["instance"] = f.instance;
  w["parent"] = f.parent;
  w["controlId"] = f.controlId;
  w["function"] = f.function;
  w["menu"] = f.menu;
  w["parentCoords"] = Rect(f.parentCoords);
  w["screenCoords"] = Rect(f.screenCoords);
  w["windowSize"] = Size(f.parentCoords);
  w["clientSize"] = Size(f.clientRect);
  w["style"] = Style(f.style, DecodeWindowStyle(f.style, kUpperNames));
  w["exStyle"] = Style(f.exStyle, DecodeExStyle(f.exStyle, kUpperNames));
  const DecodedControlStyle control = DecodeControlStyle(f);
  w["controlStyle"] = control.family == StyleFamily::None
                          ? Json(nullptr)
                          : Json{{"family", StyleFamilyName(control.family)}, {"constants", control.constants}};
  return w;
}

Json ClassPart(const WindowFacts& f) {
  return {{"name", f.className},
          {"function", f.classFunction},
          {"icon", f.icon},
          {"smallIcon", f.smallIcon},
          {"cursor", f.cursor},
          {"brush", f.brush},
          {"moduleHandle", f.moduleHandle},
          {"style", Style(f.classStyle, DecodeClassStyle(f.classStyle, kUpperNames))}};
}

Json Rows(std::vector<WindowRow> rows, const DisplayOptions& opts, const SortState& sort,
          const CellCompare& compare) {
  for (WindowRow& row : rows) row.handleText = FormatInteger(row.handle, opts);
  SortRows(rows, sort, compare);
  Json out = Json::array();
  for (const WindowRow& row : rows) {
    out.push_back({{"number", std::atoi(row.number.c_str())},
                   {"handle", row.handle},
                   {"className", row.className},
                   {"text", row.text}});
  }
  return out;
}

Json ExecutablePart(const ExecutableInfo& exe, const TextToUtf8& utf8) {
  if (!exe.known) return nullptr;
  Json e = {{"path", utf8(exe.path)}, {"folder", utf8(FolderPart(exe.path))}, {"name", utf8(FileNamePart(exe.path))}};
  if (exe.hasVersion) {
    Json v;
    for (int i = 0; i < kVersionKeyCount; ++i) v[kVersionKeys[i]] = utf8(exe.version[i]);
    e["version"] = v;
  } else {
    e["version"] = nullptr;
  }
  return e;
}

Json GraphicPart(const GraphicFacts& g) {
  Json color = nullptr;
  if (g.hasColor) {
    color = {{"red", g.color & 0xFF}, {"green", (g.color >> 8) & 0xFF}, {"blue", (g.color >> 16) & 0xFF}};
  }
  return {{"screen", Point(g.screen)},
          {"window", g.hasWindowRect ? Point(g.inWindow) : Json(nullptr)},
          {"client", Point(g.inClient)},
          {"pixelColor", color}};
}

Json SelectorsPart(const SelectorFacts& f) {
  return {{"ahk", f.ahk},
          {"ahkClassNN", f.ahkClassNN.empty() ? Json(nullptr) : Json(f.ahkClassNN)},
          {"autoit", f.autoit},
          {"pywinauto", f.pywinauto},
          {"tarvisk", f.tarvisk},
          {"matches", {{"ahk", f.ahkMatches}, {"autoit", f.autoitMatches}, {"tarvisk", f.tarviskMatches}}}};
}

std::string Dump(const Json& j) {
  // Texts are converted before they get here; a byte that still is no UTF-8
  // must not cost the whole report.
  return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::string Utf8ToLatin1(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  std::string out;
  out.reserve(wide.size());
  for (char16_t c : wide) out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return out;
}

std::string JsonReportText(const Reading& s, const DisplayOptions& opts, const SortState& sort,
                           const CellCompare& compare, const TextToUtf8& utf8) {
  Json j;
  j["addressBits"] = s.window.addressBits;
  j["window"] = WindowPart(s.window);
  j["class"] = ClassPart(s.window);
  j["showSubchildren"] = s.showSubchildren;
  j["digChildren"] = s.digChildren;
  j["parents"] = Rows(s.parents, opts, sort, compare);
  j["children"] = Rows(s.children, opts, sort, compare);
  j["digger"] = Rows(s.digger, opts, sort, compare);
  j["executable"] = ExecutablePart(s.process.executable, utf8);
  Json modules = Json::array();
  for (const ModuleRow& m : s.process.modules) {
    modules.push_back({{"file", utf8(m.file)}, {"folder", utf8(m.folder)}, {"handle", m.handle}});
  }
  j["modules"] = modules;
  j["graphic"] = GraphicPart(s.graphic);
  if (s.selectors.known) j["selectors"] = SelectorsPart(s.selectors);
  j["details"] = DetailsJson(s.details);
  return Dump(j);
}

std::string JsonWindowListText(const std::vector<ListedWindow>& windows) {
  Json out = Json::array();
  for (const ListedWindow& w : windows) {
    out.push_back({{"handle", w.handle},
                   {"parent", w.parent},
                   {"processId", w.processId},
                   {"className", w.className},
                   {"visible", w.visible},
                   {"text", w.text}});
  }
  return Dump(out);
}

std::string TextWindowList(const std::vector<ListedWindow>& windows) {
  std::string out;
  for (const ListedWindow& w : windows) {
    char head[40];
    std::snprintf(head, sizeof head, "$%08X\t%lu\t", static_cast<unsigned>(w.handle),
                  static_cast<unsigned long>(w.processId));
    std::string text = w.text, cls = w.className;
    for (std::string* s : {&text, &cls}) {
      for (char& c : *s) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
      }
    }
    out += head + cls + "\t" + (w.visible ? "1" : "0") + "\t" + text + "\r\n";
  }
  return out;
}
