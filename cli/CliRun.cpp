#include "cli/CliRun.h"

#include "cli/CliSelect.h"
#include "reading/WindowFacts.h"
#include "relations/WinTree.h"

namespace {

CliOutcome NoMatch(const std::string& what) {
  CliOutcome o;
  o.status = kCliNoMatch;
  o.error = "no window matches " + what;
  return o;
}

}  // namespace

std::vector<ListedWindow> ListedWindows(const WindowSystem& ws, const std::vector<Hwnd>& windows) {
  std::vector<ListedWindow> out;
  for (Hwnd h : windows) {
    const WindowFacts f =
        ReadWindowFacts(ws, h, Facts::Text | Facts::ClassName | Facts::Parent | Facts::Process | Facts::Visible);
    ListedWindow w;
    w.handle = h;
    w.parent = f.parent;
    w.processId = f.processId;
    w.className = f.className;
    w.visible = f.visible;
    w.text = OwnText(f);  // as the lists show it
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
    case CliSelector::Selector: return FirstSelectedWindow(r, env);
  }
  return 0;
}

CliOutcome RunCliRequest(const CliRequest& r, const CliEnvironment& env) {
  const WindowSystem& ws = *env.ws;
  CliOutcome o;
  if (r.command == CliCommand::List || r.command == CliCommand::Children) {
    std::vector<Hwnd> windows;
    if (r.command == CliCommand::Children) {
      if (!ws.IsWindow(r.handle)) return NoMatch(r.selectorText);
      windows = ws.ChildWindows(r.handle);
    } else {
      windows = ws.TopLevelWindows();
    }
    const std::vector<ListedWindow> listed = ListedWindows(ws, windows);
    o.output = r.format == CliFormat::Json ? JsonWindowListText(listed) : env.ansi(TextWindowList(listed));
    return o;
  }
  if (r.command == CliCommand::Select) return RunSelect(r, env);
  if (r.command != CliCommand::Report) {
    o.status = kCliFailed;
    o.error = "nothing to run";
    return o;
  }

  if (r.selector == CliSelector::Selector && !SelectorParses(r, env, o)) return o;
  const Hwnd target = SelectTarget(r, env);
  if (target == 0) {
    return NoMatch(r.selector == CliSelector::Cursor ? std::string("the mouse cursor's position") : r.selectorText);
  }
  ReadingOptions options;
  options.point = r.selector == CliSelector::Point ? r.point : env.cursor;
  options.showSubchildren = env.showSubchildren;
  options.digChildren = env.digChildren;
  // The JSON report always holds the details; the text report with /details.
  options.details = r.format == CliFormat::Json || r.details;
  const Reading reading = ReadTarget(ws, target, options, env.sources);

  ReportView view;
  view.options = env.options;
  if (r.integerFormat >= 0) view.options.integerFormat = r.integerFormat;
  view.sort = env.sort;
  view.compare = env.compare;
  view.title = env.title;
  view.details = r.details;
  const ReportEncoding encoding{env.utf8, env.ansi};
  o.output = r.format == CliFormat::Json ? ReadingJsonReport(reading, view, encoding)
                                         : ReadingTextReport(reading, view, encoding, false);
  return o;
}
