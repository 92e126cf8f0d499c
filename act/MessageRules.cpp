#include "act/MessageRules.h"

#include <cctype>
#include <cstring>

#include "act/StyleChange.h"
#include "platform/AsciiCase.h"

namespace act {

namespace {

using msglog::ControlFamily;

constexpr int kW = 1, kL = 2, kWL = 3;

// Each row: a message's name, which of its parameters is an address in the
// receiver's memory (kW wParam, kL lParam), and whether 0 there is allowed.
struct AddressRow {
  const char* name;
  int params;
  bool optional;
};
constexpr AddressRow kAddressRows[] = {
    // Window messages.
    {"WM_CREATE", kL, false}, {"WM_NCCREATE", kL, false}, {"WM_GETMINMAXINFO", kL, false},
    {"WM_WINDOWPOSCHANGING", kL, false}, {"WM_WINDOWPOSCHANGED", kL, false},
    {"WM_NCCALCSIZE", kL, false}, {"WM_STYLECHANGING", kL, false}, {"WM_STYLECHANGED", kL, false},
    {"WM_MEASUREITEM", kL, false}, {"WM_DRAWITEM", kL, false}, {"WM_DELETEITEM", kL, false},
    {"WM_COMPAREITEM", kL, false}, {"WM_NOTIFY", kL, false}, {"WM_COPYDATA", kL, false},
    {"WM_HELP", kL, false}, {"WM_MDICREATE", kL, false}, {"WM_SIZING", kL, false},
    {"WM_MOVING", kL, false}, {"WM_NEXTMENU", kL, false},
    {"WM_WININICHANGE", kL, true}, {"WM_DEVMODECHANGE", kL, false}, {"WM_GETDLGCODE", kL, true},
    {"WM_SETTEXT", kL, false}, {"WM_GETTEXT", kL, false}, {"WM_ASKCBFORMATNAME", kL, false},
    {"WM_PAINTCLIPBOARD", kL, false}, {"WM_SIZECLIPBOARD", kL, false}, {"WM_NCPAINT", 0, false},
    {"WM_MDIGETACTIVE", kL, true}, {"WM_MDINEXT", 0, false}, {"WM_GETOBJECT", 0, false},
    // Buttons, edits, list boxes, combo boxes, scroll bars.
    {"BM_GETIMAGE", 0, false}, {"EM_GETSEL", kWL, true}, {"EM_GETRECT", kL, false},
    {"EM_SETRECT", kL, false}, {"EM_SETRECTNP", kL, false}, {"EM_GETLINE", kL, false},
    {"EM_REPLACESEL", kL, false}, {"EM_SETTABSTOPS", kL, false}, {"EM_SETWORDBREAKPROC", kL, false},
    {"EM_SETCUEBANNER", kL, false}, {"EM_GETCUEBANNER", kW, false}, {"EM_SHOWBALLOONTIP", kL, false},
    {"LB_ADDSTRING", kL, false}, {"LB_INSERTSTRING", kL, false}, {"LB_GETTEXT", kL, false},
    {"LB_SELECTSTRING", kL, false}, {"LB_DIR", kL, false}, {"LB_FINDSTRING", kL, false},
    {"LB_GETSELITEMS", kL, false}, {"LB_SETTABSTOPS", kL, false}, {"LB_ADDFILE", kL, false},
    {"LB_GETITEMRECT", kL, false}, {"LB_FINDSTRINGEXACT", kL, false}, {"LB_GETLISTBOXINFO", 0, false},
    {"CB_GETEDITSEL", kWL, true}, {"CB_ADDSTRING", kL, false}, {"CB_DIR", kL, false},
    {"CB_GETLBTEXT", kL, false}, {"CB_INSERTSTRING", kL, false}, {"CB_FINDSTRING", kL, false},
    {"CB_SELECTSTRING", kL, false}, {"CB_GETDROPPEDCONTROLRECT", kL, false},
    {"CB_FINDSTRINGEXACT", kL, false}, {"CB_GETCOMBOBOXINFO", kL, false},
    {"CB_SETCUEBANNER", kL, false}, {"CB_GETCUEBANNER", kW, false},
    {"SBM_GETRANGE", kWL, false}, {"SBM_SETSCROLLINFO", kL, false}, {"SBM_GETSCROLLINFO", kL, false},
    {"SBM_GETSCROLLBARINFO", kL, false},
    // List views.
    {"LVM_GETITEMA", kL, false}, {"LVM_GETITEMW", kL, false}, {"LVM_SETITEMA", kL, false},
    {"LVM_SETITEMW", kL, false}, {"LVM_INSERTITEMA", kL, false}, {"LVM_INSERTITEMW", kL, false},
    {"LVM_FINDITEMA", kL, false}, {"LVM_FINDITEMW", kL, false}, {"LVM_GETITEMRECT", kL, false},
    {"LVM_GETITEMPOSITION", kL, false}, {"LVM_GETSTRINGWIDTHA", kL, false},
    {"LVM_GETSTRINGWIDTHW", kL, false}, {"LVM_HITTEST", kL, false}, {"LVM_GETCOLUMNA", kL, false},
    {"LVM_GETCOLUMNW", kL, false}, {"LVM_SETCOLUMNA", kL, false}, {"LVM_SETCOLUMNW", kL, false},
    {"LVM_INSERTCOLUMNA", kL, false}, {"LVM_INSERTCOLUMNW", kL, false}, {"LVM_GETVIEWRECT", kL, false},
    {"LVM_GETORIGIN", kL, false}, {"LVM_SETITEMSTATE", kL, false}, {"LVM_GETITEMTEXTA", kL, false},
    {"LVM_GETITEMTEXTW", kL, false}, {"LVM_SETITEMTEXTA", kL, false}, {"LVM_SETITEMTEXTW", kL, false},
    {"LVM_SORTITEMS", kWL, false}, {"LVM_SORTITEMSEX", kWL, false}, {"LVM_SETITEMPOSITION32", kL, false},
    {"LVM_GETSUBITEMRECT", kL, false}, {"LVM_SUBITEMHITTEST", kL, false},
    {"LVM_SETCOLUMNORDERARRAY", kL, false}, {"LVM_GETCOLUMNORDERARRAY", kL, false},
    {"LVM_SETBKIMAGEA", kL, false}, {"LVM_SETBKIMAGEW", kL, false}, {"LVM_GETBKIMAGEA", kL, false},
    {"LVM_GETBKIMAGEW", kL, false}, {"LVM_GETISEARCHSTRINGA", kL, false},
    {"LVM_GETISEARCHSTRINGW", kL, false}, {"LVM_SETWORKAREAS", kL, false},
    {"LVM_GETWORKAREAS", kL, false}, {"LVM_GETNUMBEROFWORKAREAS", kL, false},
    {"LVM_GETITEMSPACING", 0, false}, {"LVM_INSERTGROUP", kL, false}, {"LVM_SETGROUPINFO", kL, false},
    {"LVM_GETGROUPINFO", kL, false}, {"LVM_GETGROUPRECT", kL, false}, {"LVM_SETTILEVIEWINFO", kL, false},
    {"LVM_GETTILEVIEWINFO", kL, false}, {"LVM_SETTILEINFO", kL, false}, {"LVM_GETTILEINFO", kL, false},
    {"LVM_SETINSERTMARK", kL, false}, {"LVM_GETINSERTMARK", kL, false},
    {"LVM_INSERTMARKHITTEST", kWL, false}, {"LVM_GETINSERTMARKRECT", kL, false},
    {"LVM_GETEMPTYTEXT", kL, false}, {"LVM_GETFOOTERRECT", kL, false}, {"LVM_GETFOOTERINFO", kL, false},
    {"LVM_GETITEMINDEXRECT", kWL, false}, {"LVM_SETITEMINDEXSTATE", kWL, false},
    {"LVM_GETNEXTITEMINDEX", kW, false}, {"LVM_SORTGROUPS", kWL, false},
    // Tree views, tabs, headers.
    {"TVM_INSERTITEMA", kL, false}, {"TVM_INSERTITEMW", kL, false}, {"TVM_GETITEMRECT", kL, false},
    {"TVM_GETITEMA", kL, false}, {"TVM_GETITEMW", kL, false}, {"TVM_SETITEMA", kL, false},
    {"TVM_SETITEMW", kL, false}, {"TVM_HITTEST", kL, false}, {"TVM_SORTCHILDRENCB", kL, false},
    {"TVM_GETISEARCHSTRINGA", kL, false}, {"TVM_GETISEARCHSTRINGW", kL, false},
    {"TVM_SETAUTOSCROLLINFO", 0, false}, {"TVM_GETITEMPARTRECT", kW, false},
    {"TCM_GETITEMA", kL, false}, {"TCM_GETITEMW", kL, false}, {"TCM_SETITEMA", kL, false},
    {"TCM_SETITEMW", kL, false}, {"TCM_INSERTITEMA", kL, false}, {"TCM_INSERTITEMW", kL, false},
    {"TCM_GETITEMRECT", kL, false}, {"TCM_HITTEST", kL, false}, {"TCM_ADJUSTRECT", kL, false},
    {"HDM_GETITEMA", kL, false}, {"HDM_GETITEMW", kL, false}, {"HDM_SETITEMA", kL, false},
    {"HDM_SETITEMW", kL, false}, {"HDM_INSERTITEMA", kL, false}, {"HDM_INSERTITEMW", kL, false},
    {"HDM_LAYOUT", kL, false}, {"HDM_HITTEST", kL, false}, {"HDM_GETITEMRECT", kL, false},
    {"HDM_GETORDERARRAY", kL, false}, {"HDM_SETORDERARRAY", kL, false},
    {"HDM_GETITEMDROPDOWNRECT", kL, false}, {"HDM_GETOVERFLOWRECT", kL, false},
    // Tool bars, status bars, tooltips, progress bars, track bars, up-downs.
    {"TB_ADDBITMAP", kL, false}, {"TB_ADDBUTTONSA", kL, false}, {"TB_ADDBUTTONSW", kL, false},
    {"TB_INSERTBUTTONA", kL, false}, {"TB_INSERTBUTTONW", kL, false}, {"TB_GETBUTTON", kL, false},
    {"TB_SAVERESTOREA", kL, false}, {"TB_SAVERESTOREW", kL, false}, {"TB_ADDSTRINGA", kL, true},
    {"TB_ADDSTRINGW", kL, true}, {"TB_GETITEMRECT", kL, false}, {"TB_GETBUTTONTEXTA", kL, false},
    {"TB_GETBUTTONTEXTW", kL, false}, {"TB_REPLACEBITMAP", kL, false}, {"TB_GETRECT", kL, false},
    {"TB_GETBUTTONINFOA", kL, false}, {"TB_GETBUTTONINFOW", kL, false},
    {"TB_SETBUTTONINFOA", kL, false}, {"TB_SETBUTTONINFOW", kL, false}, {"TB_HITTEST", kL, false},
    {"TB_GETINSERTMARK", kL, false}, {"TB_SETINSERTMARK", kL, false},
    {"TB_INSERTMARKHITTEST", kWL, false}, {"TB_GETMAXSIZE", kL, false},
    {"TB_MAPACCELERATORA", kL, false}, {"TB_MAPACCELERATORW", kL, false},
    {"TB_GETSTRINGA", kL, false}, {"TB_GETSTRINGW", kL, false}, {"TB_GETIDEALSIZE", kL, false},
    {"TB_GETMETRICS", kL, false}, {"TB_SETMETRICS", kL, false}, {"TB_GETITEMDROPDOWNRECT", kL, false},
    {"TB_GETPADDING", 0, false}, {"TB_LOADIMAGES", 0, false},
    {"SB_SETTEXTA", kL, false}, {"SB_SETTEXTW", kL, false}, {"SB_GETTEXTA", kL, false},
    {"SB_GETTEXTW", kL, false}, {"SB_SETPARTS", kL, false}, {"SB_GETPARTS", kL, false},
    {"SB_GETBORDERS", kL, false}, {"SB_GETRECT", kL, false}, {"SB_SETTIPTEXTA", kL, false},
    {"SB_SETTIPTEXTW", kL, false}, {"SB_GETTIPTEXTA", kL, false}, {"SB_GETTIPTEXTW", kL, false},
    {"TTM_ADDTOOLA", kL, false}, {"TTM_ADDTOOLW", kL, false}, {"TTM_DELTOOLA", kL, false},
    {"TTM_DELTOOLW", kL, false}, {"TTM_NEWTOOLRECTA", kL, false}, {"TTM_NEWTOOLRECTW", kL, false},
    {"TTM_RELAYEVENT", kL, false}, {"TTM_GETTOOLINFOA", kL, false}, {"TTM_GETTOOLINFOW", kL, false},
    {"TTM_SETTOOLINFOA", kL, false}, {"TTM_SETTOOLINFOW", kL, false}, {"TTM_HITTESTA", kL, false},
    {"TTM_HITTESTW", kL, false}, {"TTM_GETTEXTA", kL, false}, {"TTM_GETTEXTW", kL, false},
    {"TTM_UPDATETIPTEXTA", kL, false}, {"TTM_UPDATETIPTEXTW", kL, false},
    {"TTM_ENUMTOOLSA", kL, false}, {"TTM_ENUMTOOLSW", kL, false}, {"TTM_GETCURRENTTOOLA", kL, true},
    {"TTM_GETCURRENTTOOLW", kL, true}, {"TTM_WINDOWFROMPOINT", kL, false},
    {"TTM_SETMARGIN", kL, false}, {"TTM_GETMARGIN", kL, false}, {"TTM_GETBUBBLESIZE", kL, false},
    {"TTM_ADJUSTRECT", kL, false}, {"TTM_SETTITLEA", kL, false}, {"TTM_SETTITLEW", kL, false},
    {"TTM_GETTITLE", kL, false},
    {"PBM_GETRANGE", kL, true},
    {"TBM_GETTHUMBRECT", kL, false}, {"TBM_GETCHANNELRECT", kL, false},
    {"UDM_SETACCEL", kL, false}, {"UDM_GETACCEL", kL, false}, {"UDM_GETRANGE32", kWL, false},
    {"UDM_GETPOS32", kL, true},
};

// True when `text` begins with the prefix of a constant the tables know
// (WM_, EM_, LVM_, ...): a misspelt constant, not a registered name.
bool LooksLikeConstant(const std::string& text) {
  const size_t bar = text.find('_');
  if (bar == std::string::npos || bar == 0) return false;
  const std::string prefix = text.substr(0, bar + 1);
  std::vector<msglog::NameTable> tables = {msglog::WindowMessageNames()};
  for (int f = 0; f <= static_cast<int>(ControlFamily::UpDown); ++f) {
    tables.push_back(msglog::ControlMessageNames(static_cast<ControlFamily>(f)));
  }
  for (const msglog::NameTable& t : tables) {
    for (size_t i = 0; i < t.count; ++i) {
      if (std::strlen(t.rows[i].name) > bar && SameNoCase(std::string_view(t.rows[i].name, bar + 1), prefix))
        return true;
    }
  }
  return false;
}

std::string ParamName(int param) { return param == kW ? "wParam" : "lParam"; }

}  // namespace

bool ParseMessageText(const std::string& raw, ParsedMessage* out, std::string* error) {
  std::string text;
  for (char c : raw) {
    if (!std::isspace(static_cast<unsigned char>(c))) text += c;
  }
  *out = ParsedMessage();
  if (text.empty()) {
    *error = "no message given";
    return false;
  }
  uint64_t number = 0;
  if (text[0] == '$' || text[0] == '-' || std::isdigit(static_cast<unsigned char>(text[0]))) {
    if (!ParseActNumber(text, &number) || number > 0xFFFF) {
      *error = "'" + raw + "' is no message number (0 to 0xFFFF)";
      return false;
    }
    out->message = static_cast<uint32_t>(number);
    return true;
  }
  if (msglog::ParseMessage(text, &out->message)) return true;
  if (LooksLikeConstant(text) || text.find('+') != std::string::npos) {
    *error = "'" + raw + "' is no message this program knows";
    return false;
  }
  out->registeredName = raw;
  // Registered names are kept as given: the system compares them without case,
  // but shows them as first registered.
  while (!out->registeredName.empty() && std::isspace(static_cast<unsigned char>(out->registeredName.back())))
    out->registeredName.pop_back();
  while (!out->registeredName.empty() && std::isspace(static_cast<unsigned char>(out->registeredName[0])))
    out->registeredName.erase(0, 1);
  return true;
}

AddressUse MessageAddressUse(uint32_t message, ControlFamily family) {
  const std::string name = msglog::MessageName(message, family);
  for (const AddressRow& row : kAddressRows) {
    if (SameNoCase(row.name, name)) return {row.params, row.optional};
  }
  return {};
}

std::string UnknownAddressRowName() {
  for (const AddressRow& row : kAddressRows) {
    uint32_t message = 0;
    if (!msglog::ParseMessage(row.name, &message)) return row.name;
  }
  return std::string();
}

std::string RefusalReason(const SendRequest& r, ControlFamily family) {
  if (r.hasText && r.message != kWmSetText) {
    return "a text goes only with WM_SETTEXT, whose text the system carries to the target";
  }
  if (r.message == kWmSetText || r.message == kWmGetText) {
    if (r.post) return "a posted message carries no text between processes: send it";
    if (r.message == kWmSetText && !r.hasText) {
      return "its lParam is an address in the target's memory; give the text to set instead";
    }
    return std::string();
  }
  const AddressUse use = MessageAddressUse(r.message, family);
  for (int param : {kW, kL}) {
    if (!(use.params & param)) continue;
    const uint64_t value = param == kW ? r.wParam : r.lParam;
    if (use.optional && value == 0) continue;
    return "its " + ParamName(param) +
           " is an address in the target's memory; sending one of Tarvisk's would corrupt the target";
  }
  return std::string();
}

std::string AskFirstQuestion(const SendRequest& r, ControlFamily /*family*/) {
  const char* what = nullptr;
  switch (r.message) {
    case kWmClose: what = "WM_CLOSE asks the window to close"; break;
    case kWmDestroy: what = "WM_DESTROY tells the window it is being destroyed"; break;
    case kWmNcDestroy: what = "WM_NCDESTROY tells the window it is gone"; break;
    case kWmQuit: what = "WM_QUIT ends the message loop of the window's thread"; break;
    case kWmSysCommand:
      if ((r.wParam & 0xFFF0) == kScClose) what = "WM_SYSCOMMAND with SC_CLOSE closes the window";
      break;
    default: break;
  }
  if (!what) return std::string();
  return std::string(what) + ", and the program may end or lose what it has not saved. " +
         (r.post ? "Post" : "Send") + " it?";
}

std::string OutcomeText(const std::string& messageName, const SendRequest& r, const SendOutcome& o,
                        const std::string& formattedResult, const std::string& formattedW,
                        const std::string& formattedL) {
  std::string line = (r.post ? "Posted " : "Sent ") + messageName + "(" + formattedW + ", " +
                     (r.hasText ? "\"" + r.text + "\"" : formattedL) + ")";
  switch (o.status) {
    case SendOutcome::Sent:
      line += " = " + formattedResult;
      if (o.hasText) line += " \"" + o.text + "\"";
      break;
    case SendOutcome::Posted: break;
    case SendOutcome::TimedOut: line += ": no answer in time (the window is hung or busy)"; break;
    case SendOutcome::Failed: line += ": failed: " + o.error; break;
    case SendOutcome::Refused: line = "Refused " + messageName + ": " + o.error; break;
    case SendOutcome::Cancelled: line = "Not sent " + messageName; break;
  }
  return line;
}

std::vector<std::string> CompletionNames(ControlFamily family) {
  std::vector<std::string> names;
  std::vector<msglog::NameTable> tables = {msglog::WindowMessageNames()};
  if (family != ControlFamily::None) tables.push_back(msglog::ControlMessageNames(family));
  if (family >= ControlFamily::ListView) tables.push_back(msglog::ControlMessageNames(ControlFamily::None));
  for (const msglog::NameTable& t : tables) {
    for (size_t i = 0; i < t.count; ++i) {
      if (t.rows[i].value >= 0) names.emplace_back(t.rows[i].name);
    }
  }
  return names;
}

}  // namespace act
