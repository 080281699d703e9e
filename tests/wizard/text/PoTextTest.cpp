#include "wizard/shared/PoText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace quispor {
namespace {

class PoTextTest : public ::testing::Test {
 protected:
  void UseLanguageId(uint16_t id) {
    asked_ = 0;
    SetLanguageIdSource([this, id] {
      ++asked_;
      return id;
    });
    ResetPoLanguageForTest();
  }
  void TearDown() override {
    SetLanguageIdSource({});
    ResetPoLanguageForTest();
  }
  int asked_ = 0;
};

std::u16string Text(const char* key) {
  const char16_t* text = GetPoText(key);
  return text != nullptr ? std::u16string(text) : u"<null>";
}

TEST_F(PoTextTest, TableHasFortyUniquePoKeysWithOnlyTwoLanguagesFilled) {
  std::set<std::string> keys;
  for (const PoTextEntry& row : PoTextTable) {
    ASSERT_NE(row.key, nullptr);
    EXPECT_EQ(std::strncmp(row.key, "PO_", 3), 0) << row.key;
    keys.insert(row.key);
    ASSERT_NE(row.texts[kPoEnglish], nullptr) << row.key;
    ASSERT_NE(row.texts[kPoChinese], nullptr) << row.key;
    EXPECT_GT(std::u16string(row.texts[kPoEnglish]).size(), 0u) << row.key;
    EXPECT_LE(std::u16string(row.texts[kPoEnglish]).size(), 102u) << row.key;
    EXPECT_GT(std::u16string(row.texts[kPoChinese]).size(), 0u) << row.key;
    for (int slot = 2; slot < kPoLanguageCount; ++slot) {
      ASSERT_NE(row.texts[slot], nullptr) << row.key;
      EXPECT_EQ(row.texts[slot][0], u'\0') << row.key << " slot " << slot;
    }
  }
  EXPECT_EQ(keys.size(), kPoTextRows);
  // The table order is fixed: first, a middle and the last row.
  EXPECT_STREQ(PoTextTable[0].key, "PO_RADIO_INSTALL");
  EXPECT_STREQ(PoTextTable[21].key, "PO_PORT_NULL");
  EXPECT_STREQ(PoTextTable[32].key, "PO_ERROR_CODE5");
  EXPECT_STREQ(PoTextTable[39].key, "PO_PRINTER_LAST_INSTALL_EXIT");
}

TEST_F(PoTextTest, EnglishTextsAreExactIncludingTrailingSpaces) {
  UseLanguageId(0x0409);
  EXPECT_EQ(Text("PO_UNINSTALL_ING_NAME"), u"Deleting printer ");
  EXPECT_EQ(Text("PO_PRINTER_INSTALL_LAST_INFO"), u"Installed printer ");
  EXPECT_EQ(Text("PO_NEXT_STEP"), u"Next Step");
  EXPECT_EQ(Text("PO_LAST_STEP"), u"Last Step");
  EXPECT_EQ(Text("PO_INFO_USB"), u"If you don't know how to choose a USB port, please click on the search");
  EXPECT_EQ(Text("PO_PORT_NULL"),
            u"Please select a port for printer.Please connect the printer USB to the computer and turn on the power.");
  EXPECT_EQ(Text("PO_ERROR_CODE5"), u"Please run this program as an administrator.");
  EXPECT_EQ(Text("PO_PRINTER_LAST_INSTALL_EXIT"), u"Close");
}

TEST_F(PoTextTest, ChineseTextsAreExact) {
  UseLanguageId(0x0804);
  EXPECT_EQ(GetPoLanguage(), kPoChinese);
  EXPECT_EQ(Text("PO_NEXT_STEP"), u"下一步");
  EXPECT_EQ(Text("PO_UNINSTALL_ING_NAME"), u"正在删除打印驱动 ");
  EXPECT_EQ(Text("PO_PRINTER_INSTALL_LAST_INFO"), u"已安装");
  EXPECT_EQ(Text("PO_STATIC_MY_PRINTER_TYPES"), u"打印机型号：");
  EXPECT_EQ(Text("PO_INFO_USB"), u"如果您不知道该如何选择USB端口，请点击搜索USB");
  EXPECT_EQ(Text("PO_PORT_NULL"), u"请您为打印机选择一个端口,请将打印机USB连接到电脑上并打开电源。");
  EXPECT_EQ(Text("PO_PRINTER_PAPER_W_108"), u"108毫米");
}

TEST_F(PoTextTest, OnlyPrcChineseChoosesChinese) {
  for (uint16_t id : {0x0404, 0x0C04, 0x1004, 0x1404, 0x0409, 0x0000, 0x0004}) {
    UseLanguageId(id);
    EXPECT_EQ(GetPoLanguage(), kPoEnglish) << std::hex << id;
    EXPECT_EQ(Text("PO_NEXT_STEP"), u"Next Step") << std::hex << id;
  }
}

TEST_F(PoTextTest, LanguageIsDecidedOnceAtTheFirstLookup) {
  UseLanguageId(0x0804);
  EXPECT_EQ(asked_, 0);
  EXPECT_EQ(Text("PO_LAST_STEP"), u"上一步");
  SetLanguageIdSource([this] {
    ++asked_;
    return uint16_t{0x0409};
  });
  EXPECT_EQ(Text("PO_LAST_STEP"), u"上一步");
  EXPECT_EQ(GetPoLanguage(), kPoChinese);
  EXPECT_EQ(asked_, 1);
  ResetPoLanguageForTest();
  EXPECT_EQ(GetPoLanguage(), kPoEnglish);
}

TEST_F(PoTextTest, KeysCompareCaseSensitivelyAndWhole) {
  UseLanguageId(0x0409);
  EXPECT_NE(GetPoText("PO_NEXT_STEP"), nullptr);
  EXPECT_EQ(GetPoText("po_next_step"), nullptr);
  EXPECT_EQ(GetPoText("PO_NEXT_STEP "), nullptr);
  EXPECT_EQ(GetPoText("PO_NEXT"), nullptr);
  EXPECT_EQ(GetPoText(""), nullptr);
  EXPECT_EQ(GetPoText(nullptr), nullptr);
  // A lookup gives a pointer into the table, the same every time.
  EXPECT_EQ(GetPoText("PO_NEXT_STEP"), PoTextTable[4].texts[kPoEnglish]);
}

TEST_F(PoTextTest, CopyPoTextCopiesWithTerminatorAndLeavesTheRestAlone) {
  UseLanguageId(0x0409);
  char16_t buffer[kPoTextCapacity + 1];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(CopyPoText("PO_PRINTER_INSTALL_LAST_INFO", buffer), buffer);
  EXPECT_EQ(std::u16string(buffer), u"Installed printer ");
  EXPECT_EQ(buffer[19], u'#');
  EXPECT_EQ(buffer[kPoTextCapacity], u'#');

  // The longest text fits whole.
  EXPECT_EQ(CopyPoText("PO_PORT_NULL", buffer), buffer);
  EXPECT_EQ(std::u16string(buffer), Text("PO_PORT_NULL"));
}

TEST_F(PoTextTest, CopyPoTextOfAnUnknownKeyLeavesTheBufferUntouched) {
  UseLanguageId(0x0804);
  char16_t buffer[kPoTextCapacity];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(CopyPoText("po_next_step", buffer), nullptr);
  EXPECT_EQ(CopyPoText(nullptr, buffer), nullptr);
  for (char16_t c : buffer) {
    ASSERT_EQ(c, u'#');
  }
}

TEST_F(PoTextTest, HostTreeDefaultIsEnglish) {
  SetLanguageIdSource({});
  ResetPoLanguageForTest();
  EXPECT_EQ(GetPoLanguage(), kPoEnglish);
}

}  // namespace
}  // namespace quispor
