#include "cli/CliSelect.h"

#include "selectors/DesktopSelectors.h"
#include "selectors/SelectorGrammar.h"

namespace {

// The arguments come in the ANSI code page; window texts are compared in UTF-8.
SelectorParse Parse(const CliRequest& r, const CliEnvironment& env) { return ParseSelector(env.argument(r.select)); }

}  // namespace

bool SelectorParses(const CliRequest& r, const CliEnvironment& env, CliOutcome& failure) {
  const SelectorParse parse = Parse(r, env);
  if (parse.ok) return true;
  failure.status = kCliFailed;
  failure.output.clear();
  failure.error = SelectorErrorText(parse);
  return false;
}

Hwnd FirstSelectedWindow(const CliRequest& r, const CliEnvironment& env) {
  const SelectorParse parse = Parse(r, env);
  if (!parse.ok) return 0;
  const std::vector<Hwnd> found = DesktopSelectors(*env.ws, env.exeName).Resolve(parse.query);
  return found.empty() ? 0 : found.front();
}

CliOutcome RunSelect(const CliRequest& r, const CliEnvironment& env) {
  CliOutcome o;
  if (!SelectorParses(r, env, o)) return o;
  std::vector<Hwnd> found = DesktopSelectors(*env.ws, env.exeName).Resolve(Parse(r, env).query);
  if (found.empty()) {
    o.status = kCliNoMatch;
    o.error = "no window matches " + r.selectorText;
    return o;
  }
  if (!r.all) found.resize(1);
  const std::vector<ListedWindow> listed = ListedWindows(*env.ws, found);
  o.output = r.format == CliFormat::Json ? JsonWindowListText(listed) : env.ansi(TextWindowList(listed));
  return o;
}
