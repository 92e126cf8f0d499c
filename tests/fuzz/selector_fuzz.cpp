// The selector grammar: a refusal points inside the text or just past it; a
// Tarvisk selector it accepts, written back with every value quoted, reads as
// the same steps; any text quoted as a value reads back as itself; and
// resolving what it accepts on a small desktop names each window at most
// once, only windows of that desktop.
#include <algorithm>
#include <set>
#include <string>

#include "FakeDesktop.h"
#include "FuzzSupport.h"
#include "selectors/DesktopSelectors.h"
#include "selectors/SelectorGrammar.h"

namespace {

bool SameStep(const SelectorStep& a, const SelectorStep& b) {
  return a.hasClass == b.hasClass && a.hasExe == b.hasExe && a.hasTitle == b.hasTitle && a.hasId == b.hasId &&
         a.className == b.className && a.exe == b.exe && a.title == b.title && a.id == b.id &&
         a.instance == b.instance && a.titlePrefix == b.titlePrefix && a.descendants == b.descendants;
}

FakeDesktop& Desktop() {
  static FakeDesktop d = [] {
    FakeDesktop desk;
    auto add = [&](Hwnd parent, const char* cls, const char* text, uint32_t id, uint32_t pid) {
      FakeWindow w;
      w.parent = parent;
      w.child = parent != 0;
      w.className = cls;
      w.text = text;
      w.id = id;
      w.processId = pid;
      return desk.Add(w);
    };
    const Hwnd a = add(0, "Notes", "Untitled", 0, 1);
    add(a, "Edit", "", 15, 1);
    const Hwnd panel = add(a, "Panel", "", 7, 1);
    add(panel, "Edit", "", 15, 1);
    add(panel, "Button", "OK", 1, 1);
    add(0, "Notes", "Untitled 2", 0, 2);
    add(0, "#32770", "it's", 0, 2);
    return desk;
  }();
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const SelectorParse p = ParseSelector(text);
  if (!p.ok) {
    FUZZ_CHECK(p.position >= 1 && p.position <= text.size() + 1,
               "'" + Shown(text) + "' refused at position " + std::to_string(p.position));
    FUZZ_CHECK(!p.error.empty(), "'" + Shown(text) + "' refused without a reason");
  } else {
    FUZZ_CHECK(!p.query.steps.empty(), "'" + Shown(text) + "' accepted without a step");
    if (p.query.form == SelectorForm::Tarvisk) {
      const std::string written = TarviskSelectorText(p.query.steps);
      const SelectorParse again = ParseSelector(written);
      FUZZ_CHECK(again.ok && again.query.form == SelectorForm::Tarvisk &&
                     again.query.steps.size() == p.query.steps.size() &&
                     std::equal(p.query.steps.begin(), p.query.steps.end(), again.query.steps.begin(), SameStep),
                 "'" + Shown(text) + "' written back as '" + Shown(written) + "' reads differently");
    }
    const ExeNameSource exe = [](uint32_t pid) { return pid == 1 ? std::string("notes.exe") : std::string(); };
    const std::vector<Hwnd> found = DesktopSelectors(Desktop(), exe).Resolve(p.query);
    const std::set<Hwnd> distinct(found.begin(), found.end());
    FUZZ_CHECK(distinct.size() == found.size(), "'" + Shown(text) + "' names a window twice");
    for (Hwnd h : found) FUZZ_CHECK(Desktop().IsWindow(h), "'" + Shown(text) + "' names no window of the desktop");
  }

  const SelectorParse quoted = ParseSelector("class:" + QuoteSelectorValue(text));
  FUZZ_CHECK(quoted.ok && quoted.query.steps.size() == 1 && quoted.query.steps[0].className == text,
             "'" + Shown(text) + "' quoted does not read back as itself");
  return 0;
}
