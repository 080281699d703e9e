#include "console/transfer/RegFile.h"

#include <gtest/gtest.h>

#include "tests/console/transfer/TransferTestSupport.h"

namespace vantrel {
namespace {

using test::AnsiFile;
using test::TextOf;
using test::Utf16File;

RegFileValue Text(std::u16string name, std::u16string text) {
  RegFileValue v;
  v.name = std::move(name);
  v.text = std::move(text);
  return v;
}

RegFileValue Number(std::u16string name, std::uint32_t number) {
  RegFileValue v;
  v.name = std::move(name);
  v.data = RegData::Number;
  v.type = 4;
  v.number = number;
  return v;
}

class RegFileTest : public ::testing::Test {
 protected:
  // The line and reason the reader refuses the file with.
  std::pair<int, std::string> Refusal(const std::vector<std::uint8_t>& bytes) {
    try {
      ReadRegFile(bytes, codec);
    } catch (const RegFileError& e) {
      return {e.line(), e.what()};
    }
    return {-1, "accepted"};
  }
  std::pair<int, std::string> Refusal(std::u16string_view body) {
    return Refusal(Utf16File(u"Windows Registry Editor Version 5.00\r\n" + std::u16string(body)));
  }

  test::Latin1Codec codec;
};

TEST_F(RegFileTest, WritesWhatTheRegistryEditorExportsWithEscapesAndReadsItBack) {
  RegFile file;
  file.comments = {u"two keys"};
  file.keys.push_back(RegFileKey{0, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\A", false,
                                 {Text(u"", u"x"), Text(u"Say \"hi\"", u"C:\\opos\\"), Number(u"N", 0xFFFFFFFF)}});
  file.keys.push_back(RegFileKey{0, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B]", false, {Number(u"Zero", 10)}});

  const std::vector<std::uint8_t> bytes = WriteRegFile(file);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(TextOf(bytes),
            u"Windows Registry Editor Version 5.00\r\n"
            u"; two keys\r\n"
            u"\r\n"
            u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\r\n"
            u"@=\"x\"\r\n"
            u"\"Say \\\"hi\\\"\"=\"C:\\\\opos\\\\\"\r\n"
            u"\"N\"=dword:ffffffff\r\n"
            u"\r\n"
            u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B]]\r\n"
            u"\"Zero\"=dword:0000000a\r\n"
            u"\r\n");

  const RegFile back = ReadRegFile(bytes, codec);
  ASSERT_EQ(back.keys.size(), 2u);
  EXPECT_EQ(back.keys[0].path, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\A");
  EXPECT_EQ(back.keys[0].line, 4);
  ASSERT_EQ(back.keys[0].values.size(), 3u);
  EXPECT_EQ(back.keys[0].values[0].name, u"");
  EXPECT_EQ(back.keys[0].values[1].name, u"Say \"hi\"");
  EXPECT_EQ(back.keys[0].values[1].text, u"C:\\opos\\");
  EXPECT_EQ(back.keys[0].values[1].line, 6);
  EXPECT_EQ(back.keys[0].values[2].data, RegData::Number);
  EXPECT_EQ(back.keys[0].values[2].number, 0xFFFFFFFFu);
  EXPECT_EQ(back.keys[1].path, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B]");
  EXPECT_EQ(back.keys[1].values[0].number, 10u);
}

TEST_F(RegFileTest, ReadsTheEightBitFormInTheCodePageWithItsLooserSpelling) {
  const RegFile file = ReadRegFile(AnsiFile("REGEDIT4\n\n  ; comment\n[-HKEY_LOCAL_MACHINE\\Old]\n"
                                            "[HKEY_LOCAL_MACHINE\\Caf\xe9]  ; note\n"
                                            "\"Gone\"=-\n\"Mixed\" = DWORD:1F\n"
                                            "\"Bin\"=hex(2):41,00,\\\n   42,00\n\"After\"=\"\xe9t\xe9\"\r"),
                                   codec);
  ASSERT_EQ(file.keys.size(), 2u);
  EXPECT_TRUE(file.keys[0].remove);
  EXPECT_EQ(file.keys[0].path, u"HKEY_LOCAL_MACHINE\\Old");
  EXPECT_EQ(file.keys[1].path, u"HKEY_LOCAL_MACHINE\\Caf\u00e9");
  const auto& values = file.keys[1].values;
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0].data, RegData::Delete);
  EXPECT_EQ(values[1].number, 0x1Fu);
  EXPECT_EQ(values[2].data, RegData::Hex);
  EXPECT_EQ(values[2].type, 2u);
  // The continued hex value took two lines.
  EXPECT_EQ(values[3].line, 10);
  EXPECT_EQ(values[3].text, u"\u00e9t\u00e9");
}

TEST_F(RegFileTest, RefusesWhatIsNotTheFormatNamingTheLine) {
  struct Case {
    std::u16string body;
    int line;
    std::string reason;
  };
  const Case cases[] = {
      {u"\"a\"=\"b\"\r\n", 2, "A value must come after a key line."},
      {u"[HKEY_LOCAL_MACHINE\\A\r\n", 2, "A key line must end with \"]\"."},
      {u"[]\r\n", 2, "The key line names no key."},
      {u"[HKEY_LOCAL_MACHINE\\A] x\r\n", 2, "Unexpected text at the end of the line."},
      {u"\r\n[A]\r\n\"a\r\n", 4, "A quoted text has no closing quote."},
      {u"[A]\r\n\"a\\n\"=\"b\"\r\n", 3, "A backslash in quotes must be followed by \\ or \"."},
      {u"[A]\r\n\"a\" \"b\"\r\n", 3, "The value name must be followed by \"=\"."},
      {u"[A]\r\n\"a\"=dword:123456789\r\n", 3, "Unexpected text at the end of the line."},
      {u"[A]\r\n\"a\"=dword:\r\n", 3, "A dword value needs 1 to 8 hexadecimal digits."},
      {u"[A]\r\n\"a\"=text\r\n", 3, "The value's data is neither quoted text, dword: nor hex:."},
      {u"[A]\r\n\"a\"=\"b\"c\r\n", 3, "Unexpected text at the end of the line."},
      {u"[A]\r\n\"a\"=hex(x):00\r\n", 3, "hex( must be followed by a type number and \")\"."},
      {u"[A]\r\n\"a\"=hex:0g\r\n", 3, "A hex value holds two-digit bytes separated by commas."},
      {u"[A]\r\n\"a\"=hex:00,\\\r\n", 3, "The file ends inside a continued hex value."},
      {u"[A]\r\nvalue\r\n", 3, "This line is not a key, a value or a comment."},
      {std::u16string(u"[A]\r\n\"a\"=\"b\0c\"\r\n", 14), 3, "The line holds a zero character."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Refusal(c.body), (std::pair<int, std::string>{c.line, c.reason})) << std::string(c.body.begin(), c.body.end());
  }
}

TEST_F(RegFileTest, RefusesAFileOfAnotherKind) {
  const std::string header =
      "The file is not a registry file: its first line must be \"Windows Registry Editor Version 5.00\" in UTF-16, "
      "or \"REGEDIT4\".";
  EXPECT_EQ(Refusal(std::vector<std::uint8_t>{}), (std::pair<int, std::string>{1, header}));
  // The UTF-16 header without a byte-order mark, the 8-bit header in UTF-16,
  // and a UTF-8 byte-order mark.
  EXPECT_EQ(Refusal(AnsiFile("Windows Registry Editor Version 5.00\r\n")).first, 1);
  EXPECT_EQ(Refusal(Utf16File(u"REGEDIT4\r\n")).first, 1);
  EXPECT_EQ(Refusal(AnsiFile("\xEF\xBB\xBFREGEDIT4\r\n")).first, 1);
  std::vector<std::uint8_t> odd = Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[A]");
  odd.push_back(0x41);
  EXPECT_EQ(Refusal(odd), (std::pair<int, std::string>{3, "The file ends in the middle of a UTF-16 character."}));
}

TEST_F(RegFileTest, TheWriterRefusesWhatOneLineCannotCarry) {
  for (const std::u16string& text : {std::u16string(u"a\r\nb"), std::u16string(u"a\nb"), std::u16string(1, u'\0')}) {
    RegFile file;
    file.keys.push_back(RegFileKey{0, u"HKEY_LOCAL_MACHINE\\A", false, {Text(u"v", text)}});
    EXPECT_THROW(WriteRegFile(file), std::invalid_argument);
    file.keys[0].values = {Text(text, u"x")};
    EXPECT_THROW(WriteRegFile(file), std::invalid_argument);
  }
}

}  // namespace
}  // namespace vantrel
