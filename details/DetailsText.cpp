#include "details/DetailsText.h"

#include "report/Report.h"

std::string DetailsSection(const std::vector<DetailsGroup>& groups, bool utf8) {
  const char* const crlf = "\r\n";
  std::string out = PadField("*** Details ", '*', kReportWidth) + crlf + crlf;
  for (const DetailsGroup& g : groups) {
    out += PadField(g.title, ' ', kReportWidth, utf8) + crlf;
    for (const DetailsRow& r : g.rows) {
      out += PadField(r.name, ' ', kLabelWidth, utf8) + PadField(r.value, ' ', kValueWidth, utf8) + crlf;
    }
    out += crlf;
  }
  return out;
}
