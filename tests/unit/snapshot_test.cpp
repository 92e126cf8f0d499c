// Snapshots over an in-memory desktop: what the file holds and how it reads
// back, the difference of two, the reader's errors and the command line.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "FakeDesktop.h"
#include "SchemaCheck.h"
#include "cli/CliArgs.h"
#include "cli/CliSnapshot.h"
#include "platform/JsonWriter.h"
#include "snapshot/SnapshotDiff.h"
#include "snapshot/SnapshotReader.h"
#include "snapshot/SnapshotWriter.h"

namespace {

constexpr uint32_t kVisible = 0x10000000, kChild = 0x40000000, kDisabled = 0x08000000;

FakeWindow Win(Hwnd parent, bool child, const std::string& cls, const std::string& text, uint32_t style) {
  FakeWindow w;
  w.parent = parent;
  w.child = child;
  w.className = cls;
  w.text = text;
  w.style = style;
  return w;
}

// A program's frame with an edit, two buttons sharing a class and no id, a
// group with a static inside, and a hidden frame of another program.
struct Desk {
  FakeDesktop d;
  Hwnd frame, edit, ok, cancel, group, label, other;
  Desk() {
    frame = d.Add(Win(0, false, "Frame", "Caf\xC3\xA9 \"quoted\"\r\n", kVisible | 0x00CF0000));
    d[frame].processId = 10;
    d[frame].rect = {100, 100, 500, 400};
    d[frame].clientRect = {0, 0, 392, 370};
    d[frame].clientOrigin = {104, 126};
    edit = AddChild(frame, "Edit", "hello", 15, {114, 136, 314, 156});
    ok = AddChild(frame, "Button", "OK", 0, {114, 200, 194, 224});
    cancel = AddChild(frame, "Button", "Cancel", 0, {204, 200, 284, 224});
    group = AddChild(frame, "Group", "", 20, {114, 240, 414, 340});
    d[group].clientOrigin = {114, 240};
    label = AddChild(group, "Static", "inside", 21, {124, 250, 224, 270});
    other = d.Add(Win(0, false, "Other", "other", 0));
    d[other].processId = 11;
  }
  Hwnd AddChild(Hwnd parent, const char* cls, const char* text, uint32_t id, WinRect r) {
    // Each new one goes above its siblings.
    FakeWindow w;
    w.parent = parent;
    w.child = true;
    w.className = cls;
    w.text = text;
    w.style = kVisible;
    w.id = id;
    w.processId = d[parent].processId;
    w.rect = r;
    w.clientRect = {0, 0, r.right - r.left, r.bottom - r.top};
    w.clientOrigin = {r.left, r.top};
    return d.Add(w);
  }
};

SnapshotHeader Header(uint32_t session = 1, const char* boot = "2026-01-02T03:04:05Z") {
  SnapshotHeader h;
  h.bits = 64;
  h.taken = "2026-01-02T10:00:00Z";
  h.screenWidth = 1280;
  h.screenHeight = 1024;
  h.bootTime = boot;
  h.sessionId = session;
  return h;
}

std::string Take(const FakeDesktop& d, Hwnd root = 0, SnapshotHooks hooks = {}, SnapshotHeader header = Header()) {
  SnapshotSource source;
  source.ws = &d;
  source.executableName = [](uint32_t pid) { return pid == 10 ? std::string("App.exe") : std::string(); };
  source.hooks = std::move(hooks);
  header.desktopRoot = root == 0;
  StringSink sink;
  EXPECT_TRUE(WriteSnapshot(source, header, root, sink).ok);
  return sink.text;
}

Snapshot Read(const std::string& text) {
  Snapshot s;
  std::string error;
  EXPECT_TRUE(ReadSnapshot(text, s, &error)) << error;
  return s;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    out.push_back(text.substr(start, at - start));
  }
  return out;
}

}  // namespace

TEST(Snapshot, TheFileHoldsTheTreeInZOrderAndReadsBackAsWritten) {
  Desk k;
  k.d[k.ok].style |= kDisabled;
  k.d[k.group].visible = false;
  k.d[k.group].style &= ~kVisible;
  k.d[k.label].sentText = "\xFF\x01\x7F";  // a resource identifier, 0x7F01
  int selectorCalls = 0;
  SnapshotHooks hooks;
  hooks.selector = [&](const WindowSystem&, Hwnd h) {
    ++selectorCalls;
    return h == k.frame ? std::string("class:'Frame'") : std::string();
  };
  const std::string text = Take(k.d, 0, hooks);
  ExpectValid(text, "tarvisk-snapshot.schema.json");
  // Records indented two blanks a level, small objects each on one line.
  EXPECT_EQ(text.substr(0, text.find("\"handle\"")),
            "{\n  \"format\": \"tarvisk-snapshot\",\n  \"formatVersion\": 1,\n  \"tarvisk\": {\"version\": \"5.3\", "
            "\"bits\": 64},\n  \"taken\": \"2026-01-02T10:00:00Z\",\n  \"screen\": {\"width\": 1280, \"height\": 1024, "
            "\"dpi\": 96},\n  \"session\": {\"bootTime\": \"2026-01-02T03:04:05Z\", \"id\": 1},\n  \"root\": \"desktop\",\n"
            "  \"details\": false,\n  \"window\": {\n    ");
  EXPECT_NE(text.find("\n        \"rect\": {\"left\": 100, \"top\": 100, \"right\": 500, \"bottom\": 400},\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.rfind("\"children\"")), "\"children\": []\n          }\n        ]\n      }\n    ]\n  }\n}\n");
  const nlohmann::json j = nlohmann::json::parse(text);
  EXPECT_EQ(j["tarvisk"]["bits"], 64);
  EXPECT_EQ(j["root"], "desktop");
  // The desktop, then the top-level windows top first, then their children.
  ASSERT_EQ(j["window"]["children"].size(), 2u);
  EXPECT_EQ(j["window"]["children"][0]["className"], "Other");
  EXPECT_EQ(j["window"]["children"][0]["executable"], nullptr);
  const auto& frame = j["window"]["children"][1];
  EXPECT_EQ(frame["text"], "Caf\xC3\xA9 \"quoted\"\r\n");
  EXPECT_EQ(frame["executable"], "App.exe");
  ASSERT_EQ(frame["children"].size(), 4u);
  EXPECT_EQ(frame["children"][0]["className"], "Group");
  EXPECT_EQ(frame["children"][0]["visible"], false);
  EXPECT_EQ(frame["children"][0]["children"][0]["visible"], false) << "hidden with its parent";
  EXPECT_EQ(frame["children"][0]["children"][0]["resourceId"], 0x7F01);
  EXPECT_EQ(frame["children"][2]["enabled"], false);
  // Below the root's selector, each window is named from its siblings.
  EXPECT_EQ(frame["children"][3]["selector"], "class:'Frame' / class:'Edit' id:15");
  EXPECT_EQ(frame["children"][2]["selector"], "class:'Frame' / class:'Button' instance:2") << "the id is no one's";
  EXPECT_EQ(frame["children"][0]["children"][0]["selector"], "class:'Frame' / class:'Group' id:20 / class:'Static' id:21");
  EXPECT_FALSE(j["window"]["children"][0].contains("selector")) << "an empty answer leaves the key out";
  EXPECT_FALSE(frame.contains("details"));
  EXPECT_EQ(frame["children"][3]["parentRect"]["left"], 10);
  EXPECT_EQ(frame["style"]["constants"][0], "WS_OVERLAPPED");
  EXPECT_EQ(selectorCalls, 2) << "asked for the top-level windows only";

  const Snapshot s = Read(text);
  ASSERT_EQ(s.windows.size(), 8u);
  EXPECT_EQ(s.header.taken, "2026-01-02T10:00:00Z");
  EXPECT_EQ(s.header.screenWidth, 1280);
  const SnapshotWindow& edit = s.windows[7];
  EXPECT_EQ(edit.handle, k.edit);
  EXPECT_EQ(edit.parent, 2);
  EXPECT_EQ(edit.depth, 2);
  EXPECT_EQ(edit.controlId, 15u);
  EXPECT_EQ(edit.rect, (WinRect{114, 136, 314, 156}));
  EXPECT_EQ(edit.clientWidth, 200);
  EXPECT_EQ(edit.selector, "class:'Frame' / class:'Edit' id:15");
  EXPECT_EQ(s.windows[4].resourceId, 0x7F01u);
  EXPECT_TRUE(s.windows[4].isResourceId);
  EXPECT_EQ(WindowPaths(s)[7], "App.exe:Frame/Edit#15");
  EXPECT_EQ(WindowPaths(s)[6], "App.exe:Frame/Button[2]");
  EXPECT_EQ(WindowPaths(s)[0], "(desktop)");

  // One window's tree, with details from the hook.
  hooks.details = [](Hwnd h) { return "{\"answer\": " + std::to_string(h) + "}"; };
  SnapshotHeader header = Header();
  header.details = true;
  const nlohmann::json one = nlohmann::json::parse(Take(k.d, k.group, hooks, header));
  EXPECT_EQ(one["root"], "window");
  EXPECT_EQ(Read(Take(k.d, FakeDesktop::kDesktop)).windows.size(), 8u) << "the desktop named is the desktop";
  EXPECT_EQ(one["window"]["details"]["answer"], k.group);
  EXPECT_EQ(one["window"]["children"][0]["details"]["answer"], k.label);
}

TEST(Snapshot, TheWriterStreamsAndStopsWhenTheSinkFails) {
  FakeDesktop d;
  for (int i = 0; i < 40; ++i) {
    const Hwnd top = d.Add(Win(0, false, "Top", std::string(2000, 'x'), kVisible));
    d.Add(Win(top, true, "Child", "c", kVisible));
  }
  struct Counting : ByteSink {
    int writes = 0;
    size_t most = 0;
    int failAt = -1;
    bool Write(const char*, size_t size) override {
      most = std::max(most, size);
      return ++writes != failAt;
    }
  } sink;
  SnapshotSource source;
  source.ws = &d;
  const SnapshotWritten w = WriteSnapshot(source, Header(), 0, sink);
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.windows, 81u);
  EXPECT_GT(sink.writes, 1) << "written as it goes";
  EXPECT_LT(sink.most, 80u * 1024u) << "never the whole document at once";
  Counting failing;
  failing.failAt = 1;
  EXPECT_FALSE(WriteSnapshot(source, Header(), 0, failing).ok);

  // A text that is no UTF-8 still makes a JSON string.
  std::string out;
  AppendJsonString(out, std::string("a\xC3\x01\xED\xA0\x80\xF0\x9F\x98\x80", 10), JsonStrings::Snapshot);
  EXPECT_EQ(out, "\"a\xEF\xBF\xBD\\u0001\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xF0\x9F\x98\x80\"");
}

TEST(SnapshotDiff, NamesEachChangeOnceAndNothingElse) {
  Desk k;
  const Snapshot before = Read(Take(k.d));
  // Self-compare.
  EXPECT_TRUE(DiffSnapshots(before, before, {}).changes.empty());

  k.d[k.edit].text = "changed";
  k.d[k.group].style &= ~kVisible;  // hides the static inside it too
  k.d[k.group].visible = false;
  k.d[k.ok].rect = {124, 200, 204, 224};
  const Hwnd added = k.AddChild(k.frame, "Edit", "new", 30, {10, 10, 20, 20});
  k.d.Remove(k.cancel);
  const Snapshot after = Read(Take(k.d));
  const SnapshotDiff diff = DiffSnapshots(before, after, {});
  EXPECT_TRUE(diff.byHandle);
  const std::string text = DiffText(diff);
  EXPECT_EQ(Lines(text), (std::vector<std::string>{
                             "added   App.exe:Frame/Edit#30 (handle $" + [&] {
                               char h[12];
                               std::snprintf(h, sizeof h, "%08X", added);
                               return std::string(h);
                             }() + ")",
                             "changed App.exe:Frame/Group#20: visible true -> false",
                             "changed App.exe:Frame/Button: rect (10, 74)-(90, 98) -> (20, 74)-(100, 98)",
                             "changed App.exe:Frame/Edit#15: text \"hello\" -> \"changed\"",
                             "removed App.exe:Frame/Button (handle $" + [&] {
                               char h[12];
                               std::snprintf(h, sizeof h, "%08X", k.cancel);
                               return std::string(h);
                             }() + ")"}))
      << text;
  const std::string json = DiffJson(diff, before, after, "a.json", "b.json");
  ExpectValid(json, "tarvisk-diff.schema.json");
  const nlohmann::json j = nlohmann::json::parse(json);
  EXPECT_EQ(j["matchedBy"], "handle");
  EXPECT_EQ(j["changes"][2]["old"]["left"], 10);
  EXPECT_EQ(j["changes"][3]["new"], "changed");

  // Within a tolerance, the moved button is the same; ignored fields are too.
  DiffOptions loose;
  loose.tolerance = 10;
  loose.ignore = {"text", "visible"};
  EXPECT_EQ(DiffSnapshots(before, after, loose).changes.size(), 2u);
}

TEST(SnapshotDiff, ByPathTheSameDialogTwiceIsTheSameAndAStyleChangeNamesItsConstants) {
  Desk a;
  const Snapshot first = Read(Take(a.d, a.frame));
  Desk c;  // made after `a`: same shape, same handles; shift them with a spacer
  FakeDesktop shifted;
  shifted.Add(Win(0, false, "Spacer", "", 0));
  // Rebuild the frame on the shifted desktop by copying window by window.
  std::map<Hwnd, Hwnd> map;
  for (Hwnd h : {c.frame, c.edit, c.ok, c.cancel, c.group, c.label}) {
    FakeWindow w = c.d[h];
    if (w.child) w.parent = map[w.parent];
    map[h] = shifted.Add(w);
  }
  const Snapshot second = Read(Take(shifted, map[c.frame], {}, Header(1)));
  ASSERT_NE(first.windows[0].handle, second.windows[0].handle);
  const SnapshotDiff diff = DiffSnapshots(first, second, {});
  EXPECT_FALSE(diff.byHandle) << "two roots: compared as two of the same dialog";
  EXPECT_TRUE(diff.changes.empty()) << DiffText(diff);

  shifted[map[c.edit]].style |= 0x00800000;  // WS_BORDER
  shifted[map[c.edit]].style |= kDisabled;
  const Snapshot third = Read(Take(shifted, map[c.frame], {}, Header(1)));
  EXPECT_EQ(Lines(DiffText(DiffSnapshots(first, third, {}))),
            (std::vector<std::string>{"changed App.exe:Frame/Edit#15: style $50000000 -> $58800000 (+WS_BORDER)",
                                      "changed App.exe:Frame/Edit#15: enabled true -> false"}));

  // Another session: by path even with the same root; "handle" ignored likewise.
  const Snapshot other = Read(Take(a.d, 0, {}, Header(2)));
  const Snapshot same = Read(Take(a.d, 0, {}, Header(1)));
  EXPECT_FALSE(DiffSnapshots(same, other, {}).byHandle);
  EXPECT_TRUE(DiffSnapshots(same, Read(Take(a.d, 0, {}, Header(1, "2026-01-02T03:04:06Z"))), {}).byHandle)
      << "boot times a second apart are one session";
  DiffOptions byPath;
  byPath.ignore = {"handle"};
  EXPECT_FALSE(DiffSnapshots(same, same, byPath).byHandle);
}

TEST(SnapshotDiff, AWindowMovedToAnotherParentAndAGoneSubtreeAreOneLineEach) {
  Desk k;
  const Snapshot before = Read(Take(k.d));
  k.d.Remove(k.group);  // with the static inside it
  const Snapshot gone = Read(Take(k.d));
  const std::vector<std::string> lines = Lines(DiffText(DiffSnapshots(before, gone, {})));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("removed App.exe:Frame/Group#20 (handle $"), std::string::npos);
  EXPECT_NE(lines[0].find(", 1 window below)"), std::string::npos);

  // The same records with the edit under the group: moved, by handle.
  Desk m;
  const Snapshot a = Read(Take(m.d));
  Snapshot b = a;
  b.windows[7].parent = 3;
  b.windows[7].depth = 3;
  const SnapshotDiff d = DiffSnapshots(a, b, {});
  EXPECT_EQ(Lines(DiffText(d)),
            (std::vector<std::string>{"moved   App.exe:Frame/Edit#15 -> App.exe:Frame/Group#20/Edit#15"}));
}

TEST(SnapshotReader, NamesTheLineAndColumnOfWhatItCannotRead) {
  Desk k;
  const std::string good = Take(k.d);
  struct Case {
    std::string text, error;
  };
  const std::vector<Case> cases = {
      {"", "line 1, column 1: the file ends where an object should follow"},
      {" x", "line 1, column 2: expected an object, found 'x'"},
      {"{\"format\": \"tarvisk-snapshot\",\n  \"window\": {\"handle\": 1, \"className\": \"A\",}}",
       "line 2, column 44: expected a member name, found '}'"},
      {"[1, 2]", "line 1, column 1: expected an object"},
      {"{\"window\": {}}", "no \"format\" before the windows"},
      {"{\"format\": \"other\"}", "not a Tarvisk snapshot"},
      {"{\"format\": \"tarvisk-snapshot\", \"window\": {\"className\": \"A\"}}",
       "line 1, column 42: a window needs its \"handle\" and \"className\""},
      {"{\"format\": \"tarvisk-snapshot\", \"window\": {\"handle\": -1}}", "out of range"},
      {"{\"format\": \"tarvisk-snapshot\", \"window\": {\"handle\": 1, \"className\": \"A\"}} x",
       "more text after the end"},
      {"{\"format\": \"tarvisk-snapshot\", \"formatVersion\": 9}", "format version 9"},
      {"{\"format\": \"tarvisk-snapshot\", \"window\": {\"handle\": 1, \"className\": \"A\\q\"}}", "unknown escape"},
      {"{\"a\": " + std::string(600, '['), "nests too deeply"},
      {"{\"format\": \"tarvisk-snapshot\", \"window\": {\"handle\": 1, \"className\": \"A\", \"children\": [\n"
       "  {\"handle\": 1, \"className\": \"B\"}]}}",
       "line 2, column 3: a second window with the handle 1"},
  };
  for (const Case& c : cases) {
    Snapshot s;
    std::string error;
    EXPECT_FALSE(ReadSnapshot(c.text, s, &error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << "\n -> " << error;
  }
  // Cut anywhere, the file is refused with the place it ends.
  for (size_t cut : {size_t{1}, good.size() / 3, good.size() / 2, good.size() - 3}) {
    Snapshot s;
    std::string error;
    EXPECT_FALSE(ReadSnapshot(good.substr(0, cut), s, &error));
    EXPECT_NE(error.find("the file ends"), std::string::npos) << error;
    EXPECT_NE(error.find("line "), std::string::npos) << error;
  }
}

TEST(SnapshotCli, ParsesItsCommandsAndRunsTheDifferenceOfTwoFiles) {
  CliParse p = ParseCliArguments({"/snapshot", "out.json", "/window", "$00010010", "/details"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Snapshot);
  EXPECT_EQ(p.request.snapshot.file, "out.json");
  EXPECT_EQ(p.request.snapshot.window, 0x10010u);
  EXPECT_TRUE(p.request.snapshot.details);
  p = ParseCliArguments({"/diff", "a", "b", "/format", "JSON", "/ignore", "text,rect", "/tolerance", "3"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.request.snapshot.json);
  EXPECT_EQ(p.request.snapshot.diff.ignore, (std::vector<std::string>{"text", "rect"}));
  EXPECT_EQ(p.request.snapshot.diff.tolerance, 3);
  for (const auto& bad : std::vector<std::vector<std::string>>{{"/diff", "a"},
                                                               {"/diff", "a", "b", "/ignore", "colour"},
                                                               {"/diff", "a", "b", "/tolerance", "-1"},
                                                               {"/snapshot", "/window", "1", "/select", "x"},
                                                               {"/snapshot", "a", "b"},
                                                               {"/snapshot", "/format", "json"}}) {
    EXPECT_FALSE(ParseCliArguments(bad).ok) << bad.back();
  }
  EXPECT_NE(CliUsageText().find("/diff OLD NEW"), std::string::npos);

  // The hooks this build lacks are said to be missing.
  Desk k;
  Hwnd root = 1;
  p = ParseCliArguments({"/snapshot", "/select", "Frame"});
  EXPECT_EQ(SnapshotRoot(p.request.snapshot, k.d, {}, root).error, "/select is not available in this build");
  p = ParseCliArguments({"/snapshot", "/details"});
  EXPECT_EQ(SnapshotRoot(p.request.snapshot, k.d, {}, root).error, "/details is not available in this build");
  SnapshotHooks hooks;
  hooks.resolve = [&](const std::string&, Hwnd& w, std::string*) {
    w = k.edit;
    return true;
  };
  p = ParseCliArguments({"/snapshot", "/select", "Frame"});
  EXPECT_EQ(SnapshotRoot(p.request.snapshot, k.d, hooks, root).status, kCliOk);
  EXPECT_EQ(root, k.edit);
  p = ParseCliArguments({"/snapshot", "/window", "12345"});
  EXPECT_EQ(SnapshotRoot(p.request.snapshot, k.d, {}, root).status, kCliNoMatch);

  std::map<std::string, std::string> files = {{"a", Take(k.d)}, {"bad", "{\"format\": \"tarvisk-snapshot\",\n"}};
  k.d[k.edit].text = "other";
  files["b"] = Take(k.d);
  const ReadFileBytes read = [&](const std::string& f, std::string& bytes, std::string* reason) {
    if (!files.count(f)) {
      *reason = "The system cannot find the file specified.";
      return false;
    }
    bytes = files[f];
    return true;
  };
  auto diff = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "/diff");
    return RunDiffRequest(ParseCliArguments(args).request.snapshot, read);
  };
  EXPECT_EQ(diff({"a", "a"}).status, kCliOk);
  EXPECT_EQ(diff({"a", "a"}).output, "");
  const CliOutcome differs = diff({"a", "b"});
  EXPECT_EQ(differs.status, kCliDiffers);
  EXPECT_EQ(Lines(differs.output).size(), 1u);
  EXPECT_EQ(diff({"a", "b", "/ignore", "text"}).status, kCliOk);
  EXPECT_EQ(diff({"a", "bad"}).error, "bad: line 2, column 1: the file ends where a member name should follow");
  EXPECT_EQ(diff({"missing", "a"}).error, "missing: The system cannot find the file specified.");
}
