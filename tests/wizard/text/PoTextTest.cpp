#include "wizard/shared/PoText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <utility>

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

// Every row of the table, in table order: key, English, Simplified Chinese.
// Trailing spaces are part of the texts.
struct Row {
  std::size_t index;
  const char* key;
  const char16_t* english;
  const char16_t* chinese;
};
const Row kRows[] = {
{0, "PO_RADIO_INSTALL", u"Install printer driver", u"安装打印机驱动程序"},
    {1, "PO_RADIO_UNINSTALL", u"Uninstall printer driver", u"卸载打印机驱动程序"},
    {2, "PO_RADIO_INSTALL_INFO", u"Please connect your printer to the PC and turn it on.", u"请将您的打印机连接到电脑同时开启电源开关"},
    {3, "PO_RADIO_UNINSTALL_INFO", u"Uninstall the printer driver and components which printer selected.", u"卸载选择的打印机驱动程序及其组件"},
    {4, "PO_NEXT_STEP", u"Next Step", u"下一步"},
    {5, "PO_LAST_STEP", u"Last Step", u"上一步"},
    {6, "PO_STATIC_MY_PRINTER_TYPES", u"Printer Type:", u"打印机型号："},
    {7, "PO_CHECK_DEFAULT_PRINTER", u"Default Printer", u"默认打印机"},
    {8, "PO_PORT_ENET", u"Ethernet port - Connect the printer to your network using a LAN cable", u"有线网络 - 使用网线将打印机连接到您的网络"},
    {9, "PO_PORT_USB", u"USB port - Connect the printer to your computer using a USB cable", u"USB - 使用USB数据线将打印机连接到您的计算机"},
    {10, "PO_PORT_LPT", u"Parallel port - Connect the printer to your computer using a parallel cable", u"并口 - 使用并口数据线将打印机连接到您的计算机"},
    {11, "PO_PORT_COM", u"Serial port - Connect the printer to your computer using a serial cable", u"串口 - 使用串口数据线将打印机连接到您的计算机"},
    {12, "PO_INSTALL_DRIVER_FAIL", u"Fail to install driver.", u"打印驱动安装失败。"},
    {13, "PO_INSTALL_PRINTER_FAIL", u"Fail to add printer.", u"打印机添加失败。"},
    {14, "PO_INSTALL_SUCCESS", u"Install success", u"安装成功"},
    {15, "PO_INPUT_IP_ADDR", u"Please Input IP Address:", u"请输入IP地址:"},
    {16, "PO_INPUT_COM", u"COM Port:", u"串口:"},
    {17, "PO_INPUT_LPT", u"LPT Port:", u"并口:"},
    {18, "PO_INPUT_USB", u"USB Port:", u"USB口:"},
    {19, "PO_INFO_USB", u"If you don't know how to choose a USB port, please click on the search", u"如果您不知道该如何选择USB端口，请点击搜索USB"},
    {20, "PO_SEARCH_USB", u"SEARCH USB", u"搜索USB"},
    {21, "PO_PORT_NULL", u"Please select a port for printer.Please connect the printer USB to the computer and turn on the power.", u"请您为打印机选择一个端口,请将打印机USB连接到电脑上并打开电源。"},
    {22, "PO_PRINTER_PAPER_WIDTH", u"Please Select Printer Paper Width:", u"请选择打印机纸张宽度："},
    {23, "PO_PRINTER_PAPER_WIDTH_LIST", u"Paper Width", u"纸张宽度"},
    {24, "PO_PRINTER_PAPER_W_108", u"108mm", u"108毫米"},
    {25, "PO_PRINTER_PAPER_W_104", u"104mm", u"104毫米"},
    {26, "PO_PRINTER_PAPER_W_76", u"76mm", u"76毫米"},
    {27, "PO_PRINTER_PAPER_W_72", u"72mm", u"72毫米"},
    {28, "PO_PRINTER_PAPER_W_54", u"54mm", u"54毫米"},
    {29, "PO_PRINTER_PAPER_W_48", u"48mm", u"48毫米"},
    {30, "PO_PRINTER_PAPER_W_24", u"24mm", u"24毫米"},
    {31, "PO_PRINTER_PAPER_NULL", u"Please select a paper for printer", u"请您为打印机选择纸张"},
    {32, "PO_ERROR_CODE5", u"Please run this program as an administrator.", u"请以管理员身份运行此程序。"},
    {33, "PO_ERROR_CODE1796", u"Please connect the printer USB to the computer and turn on the power.", u"请将打印机USB连接到电脑上并打开电源。"},
    {34, "PO_UNINSTALL_ING_NAME", u"Deleting printer ", u"正在删除打印驱动 "},
    {35, "PO_UNINSTALL_FINISH_INFO", u"The printer driver deletion is complete.", u"打印机驱动删除完成。"},
    {36, "PO_UNINSTALL_DRIVER_FAIL", u"Fail to uninstall driver.", u"打印驱动卸载失败。"},
    {37, "PO_PRINTER_INSTALL_LAST_INFO", u"Installed printer ", u"已安装"},
    {38, "PO_PRINTER_LAST_INSTALL_ANOTHER", u"Install Another Printer", u"安装其它打印机"},
    {39, "PO_PRINTER_LAST_INSTALL_EXIT", u"Close", u"退出"},
};

TEST_F(PoTextTest, EveryRowInBothLanguages) {
  ASSERT_EQ(std::size(kRows), kPoTextRows);
  for (const auto& [language, id] : {std::pair{kPoEnglish, uint16_t{0x0409}}, std::pair{kPoChinese, uint16_t{0x0804}}}) {
    UseLanguageId(id);
    ASSERT_EQ(GetPoLanguage(), language);
    for (const Row& row : kRows) {
      SCOPED_TRACE(std::string(row.key) + (language == kPoChinese ? " (Chinese)" : " (English)"));
      EXPECT_STREQ(PoTextTable[row.index].key, row.key);
      const std::u16string expected = language == kPoChinese ? row.chinese : row.english;
      EXPECT_EQ(Text(row.key), expected);
      char16_t copy[kPoTextCapacity];
      ASSERT_EQ(CopyPoText(row.key, copy), copy);
      EXPECT_EQ(std::u16string(copy), expected);
    }
  }
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
