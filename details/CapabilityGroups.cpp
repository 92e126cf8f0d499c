#include "details/CapabilityGroups.h"

#include "inspect/ControlStyles.h"
#include "reading/Reading.h"

namespace {

// A notation is only worth copying into a script when it names one window.
std::string WithMatches(const std::string& text, uint32_t matches) {
  if (matches == 1) return text + "  (unique)";
  if (matches == 0) return text + "  (matches no window)";
  return text + "  (not unique: " + std::to_string(matches) + " windows)";
}

}  // namespace

DetailsGroup ControlStylesGroup(TargetReading& reading, const DisplayOptions& options) {
  DetailsGroup group{"Control styles", {}};
  const DecodedControlStyle decoded = DecodeControlStyle(reading.Window());
  if (decoded.family == StyleFamily::None) return group;
  group.rows.push_back({"Family", StyleFamilyName(decoded.family)});
  group.rows.push_back({"Styles", ControlStyleText(decoded, options)});
  return group;
}

DetailsGroup SelectorsGroup(TargetReading& reading, const DisplayOptions& /*options*/) {
  DetailsGroup group{"Selectors", {}};
  const SelectorFacts& s = reading.Selectors();
  if (!s.known) return group;
  group.rows.push_back({"AutoHotkey", WithMatches(s.ahk, s.ahkMatches)});
  if (!s.ahkClassNN.empty()) group.rows.push_back({"AutoHotkey ClassNN", s.ahkClassNN});
  group.rows.push_back({"AutoIt", WithMatches(s.autoit, s.autoitMatches)});
  if (!s.autoitId.empty()) group.rows.push_back({"AutoIt by id", s.autoitId});
  group.rows.push_back({"pywinauto", WithMatches(s.pywinauto, s.pywinautoMatches)});
  group.rows.push_back({"Tarvisk", WithMatches(s.tarvisk, s.tarviskMatches)});
  return group;
}
