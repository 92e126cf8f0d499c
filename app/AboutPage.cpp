#include "app/AboutPage.h"

#include <map>

#include "app/ControlIds.h"
#include "platform/OnDemandDlls.h"
#include "ui/Controls.h"

namespace {

// Web pages of the maker, opened by the About page's buttons and the reminder.
const std::map<int, const char*> kLinkTargets = {
    {IDC_BTNDONATE, "https://www.example.com/tarvisk/donate"},
    {IDC_BTNLICENSE, "License.txt"},
    {IDC_BTNHOMEPAGE, "https://www.example.com/tarvisk/"},
    {IDC_BTNMAILUS, "https://www.example.com/tarvisk/contact"},
};

}  // namespace

const char* DonationTarget() { return kLinkTargets.at(IDC_BTNDONATE); }

void AboutPage::MakeControls() {
  HWND page = m_sheet;
  const int width = m_designWidth;
  // Each row: kind, id, caption, left, top, width, height, hint.
  CreateControls(page, {
      {ControlKind::Panel, IDC_PNLNAME, "Tarvisk", 0, 0, width, 173},
      {ControlKind::CenterLabel, IDC_LBLDESCRIPTION,
       "Utilitarian, easy-to-use and fast tool for windows analysing\r\nVersion 5.3\r\n\r\n"
       "Copyright (C) Norvane. All rights reserved.",
       8, 190, width - 16, 52},
      {ControlKind::Button, IDC_BTNDONATE, "&Donate", 12, 364, 93, 25,
       "|Click this button to donate to Tarvisk"},
      {ControlKind::Button, IDC_BTNLICENSE, "&License", 116, 364, 93, 25,
       "|Click this button to read Tarvisk's license agreements"},
      {ControlKind::Button, IDC_BTNHOMEPAGE, "Home pa&ge", 220, 364, 93, 25,
       "|Click this button to visit Tarvisk's home page"},
      {ControlKind::Button, IDC_BTNMAILUS, "&Contact us", 324, 364, 93, 25,
       "|Click this button to contact us"},
  });
  LOGFONTA lf = {};
  lf.lfHeight = -37;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
  m_fonts.SetOwnFont(Item(page, IDC_PNLNAME), lf);
}

bool AboutPage::OnCommand(int id, int code, HWND control) {
  if (!m_sheet || !control || GetParent(control) != m_sheet || code != BN_CLICKED) return false;
  auto it = kLinkTargets.find(id);
  if (it == kLinkTargets.end()) return false;
  OpenWithShell(it->second);
  return true;
}
