#pragma once
// The Window and Class pages: their fields from tables, filled from a WindowInfo,
// and the paint box with the class's icon, small icon and cursor.
#include <windows.h>

#include "inspect/WindowInfo.h"
#include "ui/TabPage.h"

enum InfoFieldId {
  // Window page
  IDC_LBLTEXT = 500,
  IDC_EDTTEXT = 501,
  IDC_EDTPROCESS = 502,
  IDC_EDTINSTANCE = 503,
  IDC_EDTHANDLE = 504,
  IDC_EDTPARENT = 505,
  IDC_EDTCONTROLID = 506,
  IDC_EDTFUNCTION = 507,
  IDC_EDTMENU = 508,
  IDC_EDTPARENTCOORDS = 509,
  IDC_EDTSCREENCOORDS = 510,
  IDC_EDTWINDOWSIZE = 511,
  IDC_EDTCLIENTSIZE = 512,
  IDC_EDTSTYLE = 513,
  IDC_EDTEXSTYLE = 514,
  IDC_MEMSTYLE = 515,
  // Class page
  IDC_EDTCLASS = 601,
  IDC_EDTCLASSFUNCTION = 602,
  IDC_EDTICON = 603,
  IDC_EDTSMALLICON = 604,
  IDC_EDTCURSOR = 605,
  IDC_EDTBRUSH = 606,
  IDC_EDTMODULEHANDLE = 607,
  IDC_EDTCLASSSTYLE = 608,
  IDC_MEMCLASSSTYLE = 609,
  IDC_LBLICONVIEW = 610,
  IDC_LBLSMALLICONVIEW = 611,
  IDC_LBLCURSORVIEW = 612,
  IDC_PNTICONS = 613,
};

void CreateWindowInfoPage(HWND sheet);
void CreateClassInfoPage(HWND sheet);
// The same for one page; a field whose text is already right is left alone.
// `shown` is what the page was last given, when the caller knows it: the
// fields are read-only, so it spares asking each field for its text.
void ShowWindowPage(HWND windowSheet, const WindowInfo& info, const WindowInfo* shown = nullptr);
void ShowClassPage(HWND classSheet, const WindowInfo& info, const WindowInfo* shown = nullptr);
// pntIconsPaint: white, then the class icon, small icon and cursor of `target`
// as its class holds them when the box paints.
void PaintClassIcons(HWND classSheet, HDC dc, const RECT& box, Hwnd target);

// What the Window and Class pages show: the window part of the reading, read
// when a page first asks for it, in the current display options.
class InfoPagesHost {
 public:
  virtual ~InfoPagesHost() = default;
  virtual const WindowFacts& Facts() = 0;
  virtual DisplayOptions Options() const = 0;
};

// The Window page: a field whose text is already right is left alone.
class WindowInfoPage : public TabPage {
 public:
  explicit WindowInfoPage(InfoPagesHost& host) : m_host(host) {}

 protected:
  void MakeControls() override { CreateWindowInfoPage(m_sheet); }
  void Show() override;

 private:
  InfoPagesHost& m_host;
  WindowInfo m_shown;
  bool m_written = false;
};

// The Class page, with the class's icon, small icon and cursor drawn.
class ClassInfoPage : public TabPage {
 public:
  explicit ClassInfoPage(InfoPagesHost& host) : m_host(host) {}
  bool OnDrawItem(DRAWITEMSTRUCT* dis) override;

 protected:
  void MakeControls() override { CreateClassInfoPage(m_sheet); }
  void Show() override;

 private:
  InfoPagesHost& m_host;
  WindowInfo m_shown;
  bool m_written = false;
  Hwnd m_drawn = 0;  // the window whose class images the paint box holds
};
