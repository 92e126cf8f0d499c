#include "cli/CliRun.h"

#include <optional>

#include "relations/WinTree.h"
#include "selectors/SelectorGrammar.h"

namespace {

CliOutcome NoMatch(const std::string& what) {
  CliOutcome o;
  o.status = kCliNoMatch;
  o.error = "no window matches " + what;
  return o;
}

CliOutcome Failed(const std::string& error) {
  CliOutcome o;
  o.status = kCliFailed;
  o.error = error;
  return o;
}

CliOutcome ListWindows(const CliRequest& r, const CliEnvironment& env, const std::vector<Hwnd>& windows) {
  const std::vector<ListedWindow> listed = ListedWindows(*env.ws, windows);
  CliOutcome o;
  o.output = r.format == CliFormat::Json ? JsonWindowListText(listed) : env.ansi(TextWindowList(listed));
  return o;
}

}  // namespace

Hwnd SelectTarget(const CliRequest& r, const CliEnvironment& env) {
  const WindowSystem& ws = *env.ws;
  switch (r.selector) {
    case CliSelector::Window: return ws.IsWindow(r.handle) ? r.handle : 0;
    case CliSelector::Point: return ProbedWindowAt(ws, r.point);
    case CliSelector::Cursor: return ProbedWindowAt(ws, env.cursor);
    case CliSelector::Foreground: return env.foreground != 0 && ws.IsWindow(env.foreground) ? env.foreground : 0;
    case CliSelector::Find: {
      const WindowTree tree = BuildWindowTree(ws);
      FindRequest find;
      find.mode = kFindByText;
      find.text = env.argument(r.findText);
      find.className = env.argument(r.findClass);
      const int node = FindFirstNode(tree, ws, find, env.upper);
      return node >= 0 ? tree[node].window : 0;
    }
    case CliSelector::Selector: break;
  }
  return 0;
}

std::vector<ListedWindow> ListedWindows(const WindowSystem& ws, const std::vector<Hwnd>& windows) {
  std::vector<ListedWindow> out;
  const auto none = [](uint32_t) { return std::string(); };
  for (const WindowRow& row : MakeWindowRows(ws, windows, none)) {
    ListedWindow w;
    w.handle = row.handle;
    w.parent = ws.Parent(row.handle);
    w.processId = ws.ProcessId(row.handle);
    w.className = row.className;
    w.visible = ws.IsVisible(row.handle);
    w.text = row.text;
    out.push_back(std::move(w));
  }
  return out;
}

Hwnd ProbedWindowAt(const WindowSystem& ws, WinPoint screen) {
  const Hwnd w = ws.WindowFromPoint(screen);
  if (w == 0) return 0;
  const Hwnd c = ws.ChildWindowFromPoint(w, ws.ScreenToClient(w, screen));
  return c != 0 ? c : w;
}

CliOutcome RunCliRequest(const CliRequest& r, const CliEnvironment& env) {
  const WindowSystem& ws = *env.ws;
  if (r.command == CliCommand::List || r.command == CliCommand::Children) {
    if (r.command == CliCommand::List) return ListWindows(r, env, ws.TopLevelWindows());
    if (!ws.IsWindow(r.handle)) return NoMatch(r.selectorText);
    return ListWindows(r, env, ws.ChildWindows(r.handle));
  }
  if (r.command != CliCommand::Select && r.command != CliCommand::Report) return Failed("nothing to run");

  Hwnd target = 0;
  ReadingSources sources = env.sources;
  // A selector is parsed once and the desktop read once: the windows it
  // names, and the selectors of the one reported, come from the same reading.
  std::optional<DesktopSelectors> desktop;
  if (r.selector == CliSelector::Selector) {
    // The arguments come in the ANSI code page; window texts are compared in UTF-8.
    const SelectorParse parse = ParseSelector(env.argument(r.select));
    if (!parse.ok) return Failed(SelectorErrorText(parse));
    desktop.emplace(ws, env.exeName);
    std::vector<Hwnd> found = desktop->Resolve(parse.query);
    if (r.command == CliCommand::Select) {
      if (found.empty()) return NoMatch(r.selectorText);
      if (!r.all) found.resize(1);
      return ListWindows(r, env, found);
    }
    target = found.empty() ? 0 : found.front();
    if (sources.selectors) sources.selectors = [&desktop](Hwnd w) { return desktop->Selectors(w); };
  } else {
    target = SelectTarget(r, env);
  }
  if (target == 0) {
    return NoMatch(r.selector == CliSelector::Cursor ? std::string("the mouse cursor's position") : r.selectorText);
  }
  ReadingOptions options;
  options.point = r.selector == CliSelector::Point ? r.point : env.cursor;
  options.showSubchildren = env.showSubchildren;
  options.digChildren = env.digChildren;
  // The JSON report always holds the details; the text report with /details.
  options.details = r.format == CliFormat::Json || r.details;
  const Reading reading = ReadTarget(ws, target, options, sources);

  ReportView view;
  view.options = env.options;
  if (r.integerFormat >= 0) view.options.integerFormat = r.integerFormat;
  view.sort = env.sort;
  view.compare = env.compare;
  view.title = env.title;
  view.details = r.details;
  const ReportEncoding encoding{env.utf8, env.ansi};
  CliOutcome o;
  o.output = r.format == CliFormat::Json ? ReadingJsonReport(reading, view, encoding)
                                         : ReadingTextReport(reading, view, encoding, false);
  return o;
}
