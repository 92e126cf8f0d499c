#include "report/JsonReport.h"

#include <cstdio>
#include <cstdlib>

#include "details/DetailsJson.h"
#include "exeinfo/ModuleList.h"
#include "inspect/ControlStyles.h"
#include "inspect/StyleTables.h"
#include "platform/JsonWriter.h"
#include "platform/Utf8.h"

namespace {

// The names as the platform's headers spell them, whatever case the pages use:
// scripts compare them.
const DisplayOptions kUpperNames{kFormatHexadecimal, kCaseUpper};

// Sizes wrap as the 32-bit platform arithmetic does.
int32_t Extent(int32_t low, int32_t high) {
  return static_cast<int32_t>(static_cast<uint32_t>(high) - static_cast<uint32_t>(low));
}

void Rect(JsonWriter& w, const WinRect& r) {
  w.BeginObject();
  w.Key("left").Number(r.left).Key("top").Number(r.top);
  w.Key("right").Number(r.right).Key("bottom").Number(r.bottom);
  w.EndObject();
}

void Size(JsonWriter& w, const WinRect& r) {
  w.BeginObject().Key("width").Number(Extent(r.left, r.right)).Key("height").Number(Extent(r.top, r.bottom));
  w.EndObject();
}

void Point(JsonWriter& w, const WinPoint& p) { w.BeginObject().Key("x").Number(p.x).Key("y").Number(p.y).EndObject(); }

void Style(JsonWriter& w, uint32_t value, const std::string& decoded) {
  w.BeginObject().Key("value").Number(value).Key("constants").Strings(SplitConstantNames(decoded)).EndObject();
}

void WindowPart(JsonWriter& w, const WindowFacts& f, const std::string& hostExecutable) {
  w.BeginObject();
  w.Key("handle").Number(f.handle);
  w.Key("textLabel").String(f.isResourceId ? kCaptionResourceId : kCaptionText);
  w.Key("text").String(f.text);
  w.Key("resourceId");
  if (f.isResourceId) {
    w.Number(f.resourceId);
    bool named = false;
    for (const StockIconRow& row : kStockIcons) named = named || row.value == f.resourceId;
    w.Key("resourceName");
    if (named) {
      w.String(StockIconName(f.resourceId, kUpperNames));
    } else {
      w.Null();
    }
  } else {
    w.Null().Key("resourceName").Null();
  }
  w.Key("processId").Number(f.processId);
  // Only a frame shown as its app's has a host: other reports keep their bytes.
  if (f.hostProcessId) w.Key("hostProcessId").Number(f.hostProcessId).Key("hostExecutable").String(hostExecutable);
  w.Key("instance").Number(f.instance);
  w.Key("parent").Number(f.parent);
  w.Key("controlId").Number(f.controlId);
  w.Key("function").Number(f.function);
  w.Key("menu").Number(f.menu);
  Rect(w.Key("parentCoords"), f.parentCoords);
  Rect(w.Key("screenCoords"), f.screenCoords);
  Size(w.Key("windowSize"), f.parentCoords);
  Size(w.Key("clientSize"), f.clientRect);
  Style(w.Key("style"), f.style, DecodeWindowStyle(f.style, kUpperNames));
  Style(w.Key("exStyle"), f.exStyle, DecodeExStyle(f.exStyle, kUpperNames));
  const DecodedControlStyle control = DecodeControlStyle(f);
  w.Key("controlStyle");
  if (control.family == StyleFamily::None) {
    w.Null();
  } else {
    w.BeginObject().Key("family").String(StyleFamilyName(control.family));
    w.Key("constants").Strings(control.constants).EndObject();
  }
  w.EndObject();
}

void ClassPart(JsonWriter& w, const WindowFacts& f) {
  w.BeginObject();
  w.Key("name").String(f.className);
  w.Key("function").Number(f.classFunction);
  w.Key("icon").Number(f.icon);
  w.Key("smallIcon").Number(f.smallIcon);
  w.Key("cursor").Number(f.cursor);
  w.Key("brush").Number(f.brush);
  w.Key("moduleHandle").Number(f.moduleHandle);
  Style(w.Key("style"), f.classStyle, DecodeClassStyle(f.classStyle, kUpperNames));
  w.EndObject();
}

void Rows(JsonWriter& w, std::vector<WindowRow> rows, const DisplayOptions& opts, const SortState& sort,
          const CellCompare& compare) {
  for (WindowRow& row : rows) row.handleText = FormatInteger(row.handle, opts);
  SortRows(rows, sort, compare);
  w.BeginArray();
  for (const WindowRow& row : rows) {
    w.BeginObject().Key("number").Number(std::atoi(row.number.c_str())).Key("handle").Number(row.handle);
    w.Key("className").String(row.className).Key("text").String(row.text).EndObject();
  }
  w.EndArray();
}

void ExecutablePart(JsonWriter& w, const ExecutableInfo& exe, const TextToUtf8& utf8) {
  if (!exe.known) {
    w.Null();
    return;
  }
  w.BeginObject();
  w.Key("path").String(utf8(exe.path));
  w.Key("folder").String(utf8(FolderPart(exe.path)));
  w.Key("name").String(utf8(FileNamePart(exe.path)));
  w.Key("version");
  if (exe.hasVersion) {
    w.BeginObject();
    for (int i = 0; i < kVersionKeyCount; ++i) w.Key(kVersionKeys[i]).String(utf8(exe.version[i]));
    w.EndObject();
  } else {
    w.Null();
  }
  w.EndObject();
}

void GraphicPart(JsonWriter& w, const GraphicFacts& g) {
  w.BeginObject();
  Point(w.Key("screen"), g.screen);
  w.Key("window");
  if (g.hasWindowRect) {
    Point(w, g.inWindow);
  } else {
    w.Null();
  }
  Point(w.Key("client"), g.inClient);
  w.Key("pixelColor");
  if (g.hasColor) {
    w.BeginObject().Key("red").Number(g.color & 0xFF).Key("green").Number((g.color >> 8) & 0xFF);
    w.Key("blue").Number((g.color >> 16) & 0xFF).EndObject();
  } else {
    w.Null();
  }
  w.EndObject();
}

void SelectorsPart(JsonWriter& w, const SelectorFacts& f) {
  w.BeginObject();
  w.Key("ahk").String(f.ahk);
  w.Key("ahkClassNN");
  if (f.ahkClassNN.empty()) {
    w.Null();
  } else {
    w.String(f.ahkClassNN);
  }
  w.Key("autoit").String(f.autoit);
  w.Key("pywinauto").String(f.pywinauto);
  w.Key("tarvisk").String(f.tarvisk);
  w.Key("matches").BeginObject().Key("ahk").Number(f.ahkMatches).Key("autoit").Number(f.autoitMatches);
  w.Key("tarvisk").Number(f.tarviskMatches).EndObject();
  w.EndObject();
}

}  // namespace

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) AppendUtf8(c, out);
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
  std::string out;
  JsonWriter w(out);
  w.BeginObject();
  w.Key("addressBits").Number(s.window.addressBits);
  WindowPart(w.Key("window"), s.window, s.hostExecutable);
  ClassPart(w.Key("class"), s.window);
  w.Key("showSubchildren").Bool(s.showSubchildren);
  w.Key("digChildren").Bool(s.digChildren);
  Rows(w.Key("parents"), s.parents, opts, sort, compare);
  Rows(w.Key("children"), s.children, opts, sort, compare);
  Rows(w.Key("digger"), s.digger, opts, sort, compare);
  ExecutablePart(w.Key("executable"), s.process.executable, utf8);
  w.Key("modules").BeginArray();
  for (const ModuleRow& m : s.process.modules) {
    w.BeginObject().Key("file").String(utf8(m.file)).Key("folder").String(utf8(m.folder));
    w.Key("handle").Number(m.handle).EndObject();
  }
  w.EndArray();
  GraphicPart(w.Key("graphic"), s.graphic);
  if (s.selectors.known) SelectorsPart(w.Key("selectors"), s.selectors);
  WriteDetailsJson(w.Key("details"), s.details);
  w.EndObject();
  return out + "\n";
}

std::string JsonWindowListText(const std::vector<ListedWindow>& windows) {
  std::string out;
  JsonWriter w(out);
  w.BeginArray();
  for (const ListedWindow& l : windows) {
    w.BeginObject().Key("handle").Number(l.handle).Key("parent").Number(l.parent);
    w.Key("processId").Number(l.processId).Key("className").String(l.className);
    w.Key("visible").Bool(l.visible).Key("text").String(l.text).EndObject();
  }
  w.EndArray();
  return out + "\n";
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
