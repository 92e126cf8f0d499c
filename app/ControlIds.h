#pragma once
// Control identifiers of the main window. Tests in other processes find the
// controls by these numbers, so they stay stable.
#include "platform/WinConstants.h"

enum ControlId {
  // Frame
  IDC_PGCMAIN = 100,
  IDC_BTNDETAIL = 101,
  IDC_BTNREFRESH = 102,
  IDC_BTNSAVE = 103,
  IDC_BTNPRINT = 104,
  IDC_BTNSTART = 105,
  IDC_BTNCLOSE = 106,
  IDC_STBMAIN = 107,

  // Options page; a radio group's items follow its own id.
  IDC_RGRFORMAT = 200,  // items 201..203
  IDC_RGRCASE = 210,    // items 211..212
  IDC_LBLSTARTSTOP = 220,
  IDC_HTKSTARTSTOP = 221,
  IDC_CHBSHOWSUBCHILDREN = 222,
  IDC_CHBDIGCHILDREN = 223,
  IDC_CHBAUTOSTART = 224,
  IDC_CHBFLASH = 225,
  IDC_CHBALWAYSONTOP = 226,

  // About page
  IDC_PNLNAME = 300,
  IDC_LBLDESCRIPTION = 301,
  IDC_BTNDONATE = 302,
  IDC_BTNLICENSE = 303,
  IDC_BTNHOMEPAGE = 304,
  IDC_BTNMAILUS = 305,

  // Donation reminder
  IDC_NAG_LBLINFO = 400,
  IDC_NAG_CHBHIDENAG = 401,
  IDC_NAG_BTNDONATE = 402,
  IDC_NAG_BTNCLOSE = 403,
};

// Timers of the main window.
enum TimerId { kTimerDigger = 1, kTimerCursorWatch = 2, kTimerCaptureRetry = 3 };

// The private message that one cursor movement posts.
constexpr unsigned kWmProbe = kWmUser + 1;
// Posted after start-up while pages are still to be made: makes the next one.
constexpr unsigned kWmBuildPages = kWmApp + 1;
