// Acting on a window, the portable half: the control styles decoded by
// family, which call changes which bit, the changes a script names, which
// messages may be sent, and the command line's two commands.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "act/MessageRules.h"
#include "act/StyleChange.h"
#include "cli/CliArgs.h"
#include "inspect/ControlStyles.h"
#include "inspect/StyleTables.h"
#include "inspect/WindowInfo.h"
#include "report/JsonReport.h"

using act::MissedBit;
using act::StyleWords;
using Names = std::vector<std::string>;

namespace {
const CellCompare kCompare = [](const std::string& a, const std::string& b) { return OrdinalCompare(a, b); };
WindowFacts FactsOf(const std::string& cls, uint32_t style, const std::string& base = "") {
  WindowFacts f;
  f.className = cls;
  f.baseClassName = base;
  f.style = style;
  return f;
}
}  // namespace

TEST(ControlStyles, DecodeByFamilyWithChoicesAndSuperclasses) {
  // A tree view with WS_CHILD | WS_VISIBLE and its three low bits.
  DecodedControlStyle d = DecodeControlStyle(FactsOf("SysTreeView32", 0x50000007));
  EXPECT_EQ(d.family, StyleFamily::TreeView);
  EXPECT_EQ(d.constants, (Names{"TVS_HASBUTTONS", "TVS_HASLINES", "TVS_LINESATROOT"}));
  EXPECT_EQ(ControlStyleText(d, DisplayOptions{kFormatHexadecimal, kCaseLower}),
            std::string("tvs_hasbuttons") + StyleSeparator + "tvs_haslines" + StyleSeparator + "tvs_linesatroot");
  // A multi-bit field names its one choice, never the bits inside it.
  EXPECT_EQ(DecodeControlStyle(FactsOf("button", 0x50010007)).constants, (Names{"BS_GROUPBOX", "BS_TEXT"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("Button", 0x0000BFA3)).constants,
            (Names{"BS_AUTOCHECKBOX", "BS_LEFTTEXT", "BS_BITMAP", "BS_CENTER", "BS_VCENTER", "BS_PUSHLIKE",
                   "BS_MULTILINE", "BS_FLAT"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("Edit", 0x0802)).constants, (Names{"ES_RIGHT", "ES_READONLY"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("Static", 0xC012)).constants, (Names{"SS_ETCHEDFRAME", "SS_WORDELLIPSIS"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("ComboBox", 0x0003)).constants, (Names{"CBS_DROPDOWNLIST"}));
  // A side's name follows the orientation.
  EXPECT_EQ(DecodeControlStyle(FactsOf("msctls_trackbar32", 0x0004)).constants, (Names{"TBS_HORZ", "TBS_TOP"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("msctls_trackbar32", 0x0006)).constants, (Names{"TBS_VERT", "TBS_LEFT"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("msctls_trackbar32", 0x0002)).constants, (Names{"TBS_VERT", "TBS_RIGHT"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("ScrollBar", 0x0005)).constants, (Names{"SBS_VERT", "SBS_RIGHTALIGN"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("ToolbarWindow32", 0x0943)).constants,
            (Names{"CCS_BOTTOM", "CCS_NODIVIDER", "TBSTYLE_TOOLTIPS", "TBSTYLE_FLAT"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("SysDateTimePick32", 0x0009)).constants,
            (Names{"DTS_UPDOWN", "DTS_TIMEFORMAT"}));
  // A class of a program's own decodes as the system class it was made from.
  d = DecodeControlStyle(FactsOf("TMyButton", 0x0001, "Button"));
  EXPECT_EQ(d.family, StyleFamily::Button);
  EXPECT_EQ(d.constants, (Names{"BS_DEFPUSHBUTTON", "BS_TEXT"}));
  EXPECT_EQ(DecodeControlStyle(FactsOf("Notepad", 0x0007, "Notepad")).family, StyleFamily::None);
  // A list view's extended style follows its own, when it was read.
  WindowFacts lv = FactsOf("SysListView32", 0x0000400D);
  EXPECT_EQ(DecodeControlStyle(lv).constants, (Names{"LVS_REPORT", "LVS_SINGLESEL", "LVS_SHOWSELALWAYS", "LVS_NOCOLUMNHEADER"}));
  lv.hasControlExStyle = true;
  lv.controlExStyle = 0x00000021;
  d = DecodeControlStyle(lv);
  EXPECT_TRUE(d.exStyleKnown);
  EXPECT_EQ(Names(d.constants.end() - 2, d.constants.end()), (Names{"LVS_EX_GRIDLINES", "LVS_EX_FULLROWSELECT"}));
  EXPECT_EQ(ControlExStyleMessage(StyleFamily::ListView), 0x1037u);
  EXPECT_EQ(ControlExStyleMessage(StyleFamily::TreeView), 0u);

  // Every family has a name, a table, and one of the classes that choose it.
  for (int f = 1; f <= static_cast<int>(StyleFamily::MonthCalendar); ++f) {
    const auto family = static_cast<StyleFamily>(f);
    EXPECT_STRNE(StyleFamilyName(family), "");
    EXPECT_GT(ControlStyleRows(family).count, 0u) << StyleFamilyName(family);
    for (const ControlStyleRow& row : ControlStyleRows(family)) {
      EXPECT_EQ(row.value & ~row.mask, 0u) << row.name;
      EXPECT_EQ(row.mask & 0xFFFF0000u, 0u) << row.name << ": the control's bits are the low word";
    }
  }
}

TEST(ControlStyles, JsonCarriesTheFamilyAndItsConstantsOrNull) {
  Reading s;
  s.window = FactsOf("SysTreeView32", 0x50000007);
  auto json = nlohmann::json::parse(JsonReportText(s, DisplayOptions{}, SortState{}, kCompare, Latin1ToUtf8));
  EXPECT_EQ(json["window"]["controlStyle"]["family"], "TreeView");
  EXPECT_EQ(json["window"]["controlStyle"]["constants"].template get<Names>(),
            (Names{"TVS_HASBUTTONS", "TVS_HASLINES", "TVS_LINESATROOT"}));
  s.window = FactsOf("Notepad", 0x10CF0000);
  json = nlohmann::json::parse(JsonReportText(s, DisplayOptions{}, SortState{}, kCompare, Latin1ToUtf8));
  EXPECT_TRUE(json["window"]["controlStyle"].is_null());
}

TEST(StyleChange, EachBitGoesThroughTheCallThatChangesIt) {
  const StyleWords before{0x14CF0000, 0x00000100};
  // WS_BORDER off, WS_VISIBLE off, WS_DISABLED on, WS_EX_CLIENTEDGE and WS_EX_TOPMOST on.
  const StyleWords after{0x0C4F0000, 0x00000308};
  const act::StylePlan plan = act::PlanStyleChange(before, after);
  EXPECT_TRUE(plan.writeStyle);
  EXPECT_EQ(plan.style, 0x144F0000u) << "visible and disabled are left to ShowWindow and EnableWindow";
  EXPECT_TRUE(plan.writeExStyle);
  EXPECT_EQ(plan.exStyle, 0x00000300u) << "topmost is left to SetWindowPos";
  EXPECT_EQ(plan.show, 0);
  EXPECT_EQ(plan.enable, 0);
  EXPECT_EQ(plan.topmost, 1);
  // Only topmost: no word is written.
  const act::StylePlan top = act::PlanStyleChange(before, StyleWords{before.style, 0x00000108});
  EXPECT_FALSE(top.writeStyle);
  EXPECT_FALSE(top.writeExStyle);
  EXPECT_EQ(top.topmost, 1);
  EXPECT_TRUE(act::PlanStyleChange(before, before).Empty());

  // Bits that were to change and read back unchanged; a bit the system
  // changed on its own is not the caller's.
  const auto missed = act::MissedBits(before, after, StyleWords{0x0C4F0000 | 0x00010000 | 0x00800000, 0x00000300});
  ASSERT_EQ(missed.size(), 2u);
  EXPECT_FALSE(missed[0].exStyle);
  EXPECT_EQ(missed[0].bit, 0x00800000u);
  EXPECT_EQ(act::MissedBitText(missed[0], StyleFamily::None),
            "WS_BORDER stayed on: the window or the system kept it");
  EXPECT_TRUE(missed[1].exStyle);
  EXPECT_EQ(act::MissedBitText(missed[1], StyleFamily::None),
            "WS_EX_TOPMOST stayed off: the window or the system kept it");
  EXPECT_EQ(act::StyleBitName(false, 0x0800, StyleFamily::Edit), "ES_READONLY");
  EXPECT_EQ(act::StyleBitName(false, 0x0001, StyleFamily::Button), "0x00000001") << "a bit of a field";
}

TEST(StyleChange, ScriptsNameChangesBySetClearAndWholeWord) {
  std::string error;
  std::vector<act::StyleEdit> edits(3);
  ASSERT_TRUE(act::ParseStyleEdit("+ws_border", StyleFamily::None, false, &edits[0], &error)) << error;
  ASSERT_TRUE(act::ParseStyleEdit("-WS_CAPTION", StyleFamily::None, false, &edits[1], &error)) << error;
  ASSERT_TRUE(act::ParseStyleEdit("+WS_SYSMENU", StyleFamily::None, false, &edits[2], &error)) << error;
  // The clear comes after the set: the border goes with the caption.
  EXPECT_EQ(act::ApplyStyleEdits(StyleWords{0x10C00000, 0}, edits, false).style, 0x10080000u);
  // A choice replaces its field; clearing it empties the field.
  act::StyleEdit groupBox, clearGroupBox;
  ASSERT_TRUE(act::ParseStyleEdit("+BS_GROUPBOX", StyleFamily::Button, false, &groupBox, &error));
  ASSERT_TRUE(act::ParseStyleEdit("-BS_GROUPBOX", StyleFamily::Button, false, &clearGroupBox, &error));
  EXPECT_EQ(act::ApplyStyleEdits(StyleWords{0x50010003, 0}, {groupBox}, false).style, 0x50010007u);
  EXPECT_EQ(act::ApplyStyleEdits(StyleWords{0x50010007, 0}, {clearGroupBox}, false).style, 0x50010000u);
  EXPECT_EQ(act::ApplyStyleEdits(StyleWords{0x50010003, 0}, {clearGroupBox}, false).style, 0x50010003u);
  act::StyleEdit whole, ex;
  ASSERT_TRUE(act::ParseStyleEdit("=00000208", StyleFamily::None, true, &whole, &error));
  ASSERT_TRUE(act::ParseStyleEdit("-WS_EX_CLIENTEDGE", StyleFamily::None, true, &ex, &error));
  EXPECT_EQ(act::ApplyStyleEdits(StyleWords{0x1, 0x100}, {whole, ex}, true).exStyle, 0x00000008u);

  EXPECT_FALSE(act::ParseStyleEdit("+BS_GROUPBOX", StyleFamily::Edit, false, &whole, &error));
  EXPECT_EQ(error, "'BS_GROUPBOX' is no style name of a Edit");
  EXPECT_FALSE(act::ParseStyleEdit("+WS_EX_TOPMOST", StyleFamily::None, false, &whole, &error));
  EXPECT_EQ(error, "WS_EX_TOPMOST is an extended style bit: give /ex");
  EXPECT_FALSE(act::ParseStyleEdit("=12345678Z", StyleFamily::None, false, &whole, &error));
  EXPECT_FALSE(act::ParseStyleEdit("WS_BORDER", StyleFamily::None, false, &whole, &error));

  uint64_t v = 0;
  EXPECT_TRUE(act::ParseActNumber("$FF", &v));
  EXPECT_EQ(v, 255u);
  EXPECT_TRUE(act::ParseActNumber("0x10", &v));
  EXPECT_EQ(v, 16u);
  EXPECT_TRUE(act::ParseActNumber("-1", &v));
  EXPECT_EQ(v, ~uint64_t(0));
  EXPECT_FALSE(act::ParseActNumber("12a", &v));
  EXPECT_FALSE(act::ParseActNumber("", &v));
  EXPECT_FALSE(act::ParseActNumber("99999999999999999999999", &v));
}

TEST(MessageRules, NamesNumbersAndRegisteredMessages) {
  act::ParsedMessage m;
  std::string error;
  ASSERT_TRUE(act::ParseMessageText("wm_settext", &m, &error));
  EXPECT_EQ(m.message, 0x000Cu);
  ASSERT_TRUE(act::ParseMessageText("WM_APP+1", &m, &error));
  EXPECT_EQ(m.message, 0x8001u);
  ASSERT_TRUE(act::ParseMessageText("WM_USER + 100", &m, &error));
  EXPECT_EQ(m.message, 0x0464u);
  ASSERT_TRUE(act::ParseMessageText("$0010", &m, &error));
  EXPECT_EQ(m.message, 0x0010u);
  ASSERT_TRUE(act::ParseMessageText("16", &m, &error));
  EXPECT_EQ(m.message, 16u);
  ASSERT_TRUE(act::ParseMessageText(" TaskbarCreated ", &m, &error));
  EXPECT_EQ(m.registeredName, "TaskbarCreated");
  EXPECT_FALSE(act::ParseMessageText("WM_SETTXT", &m, &error)) << "a misspelt constant is not registered";
  EXPECT_EQ(error, "'WM_SETTXT' is no message this program knows");
  EXPECT_FALSE(act::ParseMessageText("0x10000", &m, &error));
  EXPECT_FALSE(act::ParseMessageText("", &m, &error));

  const auto names = act::CompletionNames(msglog::ControlFamily::Edit);
  EXPECT_NE(std::find(names.begin(), names.end(), "EM_SETSEL"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "WM_GETTEXT"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "BM_CLICK"), names.end());
}

TEST(MessageRules, AddressesOfTheTargetAreRefusedAndEndingsAskedAbout) {
  using msglog::ControlFamily;
  const std::string lParamRefusal =
      "its lParam is an address in the target's memory; sending one of Tarvisk's would corrupt the target";
  auto refusal = [](uint32_t message, ControlFamily family, uint64_t w = 0, uint64_t l = 0) {
    act::SendRequest r;
    r.message = message;
    r.wParam = w;
    r.lParam = l;
    return act::RefusalReason(r, family);
  };
  EXPECT_EQ(act::UnknownAddressRowName(), "");
  EXPECT_EQ(refusal(0x1005, ControlFamily::ListView), lParamRefusal);  // LVM_GETITEMA
  EXPECT_EQ(refusal(0x110C, ControlFamily::TreeView), lParamRefusal);  // TVM_GETITEMA
  EXPECT_EQ(refusal(0x00C4, ControlFamily::Edit), lParamRefusal);      // EM_GETLINE
  EXPECT_EQ(refusal(0x0024, ControlFamily::None), lParamRefusal);      // WM_GETMINMAXINFO
  EXPECT_EQ(refusal(0x00C4, ControlFamily::Button), "") << "0x00C4 is no EM_GETLINE to a button";
  EXPECT_EQ(refusal(0x00B0, ControlFamily::Edit), "") << "EM_GETSEL without its optional addresses";
  EXPECT_EQ(refusal(0x00B0, ControlFamily::Edit, 0x1000),
            "its wParam is an address in the target's memory; sending one of Tarvisk's would corrupt the target");
  EXPECT_EQ(refusal(0x0010, ControlFamily::None), "");
  EXPECT_EQ(refusal(0x000C, ControlFamily::None),
            "its lParam is an address in the target's memory; give the text to set instead");

  act::SendRequest r;
  r.message = kWmSetText;
  r.hasText = true;
  r.text = "hello";
  EXPECT_EQ(act::RefusalReason(r, ControlFamily::None), "");
  r.post = true;
  EXPECT_EQ(act::RefusalReason(r, ControlFamily::None), "a posted message carries no text between processes: send it");
  r.post = false;
  r.message = 0x8001;
  EXPECT_EQ(act::RefusalReason(r, ControlFamily::None),
            "a text goes only with WM_SETTEXT, whose text the system carries to the target");

  act::SendRequest close;
  close.message = 0x0010;
  EXPECT_NE(act::AskFirstQuestion(close, ControlFamily::None), "");
  close.message = 0x0112;
  close.wParam = 0xF060;
  EXPECT_NE(act::AskFirstQuestion(close, ControlFamily::None), "");
  close.wParam = 0xF020;  // SC_MINIMIZE
  EXPECT_EQ(act::AskFirstQuestion(close, ControlFamily::None), "");
  for (uint32_t ending : {0x0002u, 0x0012u}) {
    close.message = ending;
    EXPECT_NE(act::AskFirstQuestion(close, ControlFamily::None), "");
  }

  act::SendHistory history;
  for (int i = 0; i < 25; ++i) history.Add(std::to_string(i));
  ASSERT_EQ(history.Lines().size(), 20u);
  EXPECT_EQ(history.Lines().front(), "24");
  EXPECT_EQ(history.Lines().back(), "5");
}

TEST(CliAct, StyleAndSendArguments) {
  CliParse p = ParseCliArguments({"/style", "$00010058", "+WS_BORDER", "-WS_CAPTION", "/EX"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Style);
  EXPECT_EQ(p.request.act.handle, 0x00010058u);
  EXPECT_TRUE(p.request.act.exWord);
  EXPECT_EQ(p.request.act.changes, (Names{"+WS_BORDER", "-WS_CAPTION"}));
  p = ParseCliArguments({"/send", "65624", "WM_SETTEXT", "0", "hello world", "/post"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Send);
  EXPECT_EQ(p.request.act.message, "WM_SETTEXT");
  EXPECT_TRUE(p.request.act.hasLParam);
  EXPECT_EQ(p.request.act.lParam, "hello world");
  EXPECT_TRUE(p.request.act.post);
  p = ParseCliArguments({"/send", "$10", "WM_NULL", "-1"});
  ASSERT_TRUE(p.ok) << "a negative number is no option";
  EXPECT_EQ(p.request.act.wParam, "-1");

  EXPECT_EQ(ParseCliArguments({"/style"}).error, "/style needs a window handle");
  EXPECT_EQ(ParseCliArguments({"/style", "$10"}).error, "/style needs at least one change: +NAME, -NAME or =HEX");
  EXPECT_EQ(ParseCliArguments({"/style", "$10", "WS_BORDER"}).error, "'WS_BORDER' is no change: +NAME, -NAME or =HEX");
  EXPECT_EQ(ParseCliArguments({"/send", "$10"}).error, "/send needs a message");
  EXPECT_EQ(ParseCliArguments({"/send", "$10", "WM_NULL", "1", "2", "3"}).error, "unexpected argument 3");
  EXPECT_FALSE(ParseCliArguments({"/send", "nohandle", "WM_NULL"}).ok);
  EXPECT_NE(CliUsageText().find("/style HANDLE [/ex] CHANGE..."), std::string::npos);
  EXPECT_NE(CliUsageText().find("/send HANDLE MESSAGE [WPARAM [LPARAM | \"TEXT\"]] [/post]"), std::string::npos);

  EXPECT_EQ(StyleOutcomeLines(0x10C00000, 0, 0x10800000, 0x8, {"WS_BORDER stayed on"}),
            "Before: style $10C00000, extended style $00000000\r\n"
            "After:  style $10800000, extended style $00000008\r\n"
            "Not taken: WS_BORDER stayed on\r\n");
  EXPECT_EQ(SendResultLine(0xFFFFFFFF, 32), "-1 (0xFFFFFFFF)\r\n");
  EXPECT_EQ(SendResultLine(5, 64), "5 (0x0000000000000005)\r\n");
}
