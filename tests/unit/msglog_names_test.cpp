#include <gtest/gtest.h>

#include <cstring>

#include "msglog/Decode.h"
#include "msglog/MessageNames.h"

using namespace msglog;

namespace {
const ControlFamily kAllFamilies[] = {
    ControlFamily::None,     ControlFamily::Button,   ControlFamily::Edit,      ControlFamily::ListBox,
    ControlFamily::ComboBox, ControlFamily::ScrollBar, ControlFamily::Static,   ControlFamily::ListView,
    ControlFamily::TreeView, ControlFamily::Tab,      ControlFamily::Header,    ControlFamily::Toolbar,
    ControlFamily::StatusBar, ControlFamily::Tooltip, ControlFamily::Progress,  ControlFamily::Trackbar,
    ControlFamily::UpDown};

RecordData Rec(uint32_t message, uint64_t w, uint64_t l, uint32_t kind = kKindSent) {
  RecordData r{};
  r.kind = kind;
  r.message = message;
  r.wParam = w;
  r.lParam = l;
  return r;
}
}  // namespace

TEST(MessageLogNames, TablesAreStrictlySortedAndEveryNameReadsBack) {
  // Lookups search the tables by halves; a row out of order would hide names.
  std::vector<NameTable> tables = {WindowMessageNames()};
  for (ControlFamily f : kAllFamilies) tables.push_back(ControlMessageNames(f));
  for (const NameTable& t : tables) {
    ASSERT_GT(t.count, 0u);
    for (size_t i = 0; i < t.count; ++i) {
      if (i) {
        EXPECT_LT(t.rows[i - 1].value, t.rows[i].value) << t.rows[i].name;
      }
      EXPECT_STREQ(LookupName(t, t.rows[i].value), t.rows[i].name);
      uint32_t parsed = 0;
      EXPECT_TRUE(ParseMessage(t.rows[i].name, &parsed)) << t.rows[i].name;
    }
  }
}

TEST(MessageLogNames, NamesMessagesByTheClassThatReceivesThem) {
  EXPECT_EQ(MessageName(0x000C, ControlFamily::None), "WM_SETTEXT");
  EXPECT_EQ(MessageName(0x00F5, FamilyOfClass("button")), "BM_CLICK");
  EXPECT_EQ(MessageName(0x00CF, FamilyOfClass("Edit")), "EM_SETREADONLY");
  EXPECT_EQ(MessageName(0x00B1, ControlFamily::Edit), "EM_SETSEL");
  EXPECT_EQ(MessageName(0x00F5, ControlFamily::None), "0x00F5");
  EXPECT_EQ(MessageName(0x0180, FamilyOfClass("ComboLBox")), "LB_ADDSTRING");
  EXPECT_EQ(MessageName(0x1005, FamilyOfClass("SysListView32")), "LVM_GETITEMA");
  EXPECT_EQ(MessageName(0x2005, ControlFamily::TreeView), "CCM_SETUNICODEFORMAT");
  EXPECT_EQ(MessageName(0x2005, ControlFamily::Button), "WM_USER+7173");
  EXPECT_EQ(MessageName(0x0405, ControlFamily::None), "WM_USER+5");
  EXPECT_EQ(MessageName(0x0401, ControlFamily::Progress), "PBM_SETRANGE");
  EXPECT_EQ(MessageName(0x8001, ControlFamily::None), "WM_APP+1");
  EXPECT_EQ(MessageName(0xC123, ControlFamily::None, "TaskbarCreated"), "TaskbarCreated");
  EXPECT_EQ(MessageName(0xC123, ControlFamily::None), "0xC123");
  uint32_t m = 0;
  EXPECT_TRUE(ParseMessage(" wm_app + 1 ", &m));
  EXPECT_EQ(m, 0x8001u);
  EXPECT_TRUE(ParseMessage("WM_USER+5", &m));
  EXPECT_EQ(m, 0x0405u);
  EXPECT_TRUE(ParseMessage("0x0118", &m));
  EXPECT_EQ(m, 0x0118u);
  EXPECT_FALSE(ParseMessage("WM_NOSUCH", &m));
  EXPECT_FALSE(ParseMessage("", &m));
}

TEST(MessageLogNames, CodesInsideMessagesByName) {
  EXPECT_STREQ(CommandCodeName(ControlFamily::Button, 0), "BN_CLICKED");
  EXPECT_STREQ(CommandCodeName(ControlFamily::Edit, 0x0300), "EN_CHANGE");
  EXPECT_STREQ(CommandCodeName(ControlFamily::ListBox, 0xFFFE), "LBN_ERRSPACE");
  EXPECT_EQ(CommandCodeName(ControlFamily::None, 0), nullptr);
  EXPECT_STREQ(NotifyCodeName(-2), "NM_CLICK");
  EXPECT_STREQ(NotifyCodeName(-101), "LVN_ITEMCHANGED");
  EXPECT_STREQ(SysCommandName(0xF063), "SC_CLOSE");
  EXPECT_STREQ(HitTestName(2), "HTCAPTION");
  EXPECT_STREQ(HitTestName(-1), "HTTRANSPARENT");
  EXPECT_EQ(VirtualKeyName(0x0D), "VK_RETURN");
  EXPECT_EQ(VirtualKeyName('Q'), "Q");
  EXPECT_EQ(SwpFlagsText(0x0003 | 0x0800), "SWP_NOSIZE|SWP_NOMOVE|0x800");
  EXPECT_EQ(SwpFlagsText(0), "0");
  EXPECT_EQ(MouseKeysText(0x0009), "MK_LBUTTON|MK_CONTROL");
}

TEST(MessageLogDecode, CommonMessagesInWords) {
  EXPECT_EQ(DecodeParameters(Rec(0x0200, 0x0001, 0xFFFB000A)), "x=10 y=-5 MK_LBUTTON");
  EXPECT_EQ(DecodeParameters(Rec(0x020A, 0xFF880000, 0x00140010)), "delta=-120 0 screen x=16 y=20");
  EXPECT_EQ(DecodeParameters(Rec(0x0100, 0x41, 0x001E0001)), "A repeat=1 scan=0x1E");
  EXPECT_EQ(DecodeParameters(Rec(0x0101, 0x0D, 0xC11C0001)), "VK_RETURN repeat=1 scan=0x1C extended was-down up");
  EXPECT_EQ(DecodeParameters(Rec(0x0102, 'a', 0x001E0001)), "'a' (0x61) repeat=1 scan=0x1E");
  EXPECT_EQ(DecodeParameters(Rec(0x0005, 2, 0x01E00280)), "SIZE_MAXIMIZED 640x480");
  EXPECT_EQ(DecodeParameters(Rec(0x0003, 0, 0x00200010)), "x=16 y=32");
  EXPECT_EQ(DecodeParameters(Rec(0x0006, 0x00010002, 0x1234)), "WA_CLICKACTIVE minimized other=0x00001234");
  EXPECT_EQ(DecodeParameters(Rec(0x0018, 0, 1)), "hidden SW_PARENTCLOSING");
  EXPECT_EQ(DecodeParameters(Rec(0x0007, 0x42, 0)), "previous=0x00000042");
  EXPECT_EQ(DecodeParameters(Rec(0x0113, 5, 0)), "id=5");
  EXPECT_EQ(DecodeParameters(Rec(0x0112, 0xF060, 0)), "SC_CLOSE x=0 y=0");
  EXPECT_EQ(DecodeParameters(Rec(0x0084, 0, 0x00640032)), "screen x=50 y=100");
  RecordData hit = Rec(0x0084, 0, 0, kKindReturned);
  hit.result = 2;
  EXPECT_EQ(DecodeParameters(hit), "HTCAPTION");
  EXPECT_EQ(ResultText(hit), "0x00000002");
  EXPECT_EQ(ResultText(Rec(0x0084, 0, 0)), "");
  EXPECT_EQ(DecodeParameters(Rec(0x1234, 0, 0)), "");
}

TEST(MessageLogDecode, PartsCapturedInTheTarget) {
  RecordData text = Rec(0x000C, 0, 0x5000);
  text.flags = kHasText;
  std::strcpy(text.text, "a\"b\n");
  EXPECT_EQ(DecodeParameters(text), "\"a\\\"b\\x0A\"");
  EXPECT_EQ(DecodeParameters(Rec(0x000C, 0, 0x5000)), "(text read on return)");

  RecordData cmd = Rec(0x0111, 1001, 0x00020044);
  cmd.flags = kHasControlClass;
  std::strcpy(cmd.text, "Button");
  EXPECT_EQ(DecodeParameters(cmd), "BN_CLICKED id=1001 control=0x00020044");
  EXPECT_EQ(DecodeParameters(Rec(0x0111, 0x00010007, 0)), "accelerator id=7");

  RecordData pos = Rec(0x0046, 0, 0x7000);
  pos.flags = kHasWindowPos;
  const int32_t d[6] = {0, 10, 20, 300, 200, 0x0014};
  std::memcpy(pos.data, d, sizeof d);
  EXPECT_EQ(DecodeParameters(pos), "x=10 y=20 cx=300 cy=200 after=0x00000000 SWP_NOZORDER|SWP_NOACTIVATE");

  RecordData notify = Rec(0x004E, 7, 0x7000);
  notify.flags = kHasNotifyHeader;
  const int32_t n[3] = {0x30, 7, -2};
  std::memcpy(notify.data, n, sizeof n);
  EXPECT_EQ(DecodeParameters(notify), "NM_CLICK id=7 control=0x00000030");
}
