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

// What a file was read as: "[path] name=data ...", the default value as
// "@", numbers and types in hexadecimal.
std::u16string Render(const RegFile& file) {
  const auto hex = [](std::uint32_t n) {
    std::u16string digits;
    do {
      digits.insert(digits.begin(), u"0123456789abcdef"[n % 16]);
      n /= 16;
    } while (n != 0);
    return digits;
  };
  std::u16string out;
  for (const RegFileKey& key : file.keys) {
    if (!out.empty()) out += u' ';
    out += (key.remove ? u"[-" : u"[") + key.path + u"]";
    for (const RegFileValue& value : key.values) {
      out += u" " + (value.name.empty() ? u"@" : value.name) + u"=";
      switch (value.data) {
        case RegData::Text: out += u"\"" + value.text + u"\""; break;
        case RegData::Number: out += u"dword:" + hex(value.number); break;
        case RegData::Hex: out += u"hex(" + hex(value.type) + u")"; break;
        case RegData::Delete: out += u"-"; break;
      }
    }
  }
  return out;
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

TEST_F(RegFileTest, ReadsAnEightBitFileThatIsNotUtf8InTheCodePage) {
  const RegFile file = ReadRegFile(AnsiFile("REGEDIT4\n\n  ; comment\n[-HKEY_LOCAL_MACHINE\\Old]\n"
                                            "[HKEY_LOCAL_MACHINE\\Caf\xe9]  ; note\n"
                                            "\"Gone\"=-\n\"Mixed\" = dword:1F\n"
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
      {u"[A]\r\nvalue\r\n", 3, "This line is not a key, a value or a comment."},
      {std::u16string(u"[A]\r\n\"a\"=\"b\0c\"\r\n", 14), 3, "The line holds a zero character."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Refusal(c.body), (std::pair<int, std::string>{c.line, c.reason})) << std::string(c.body.begin(), c.body.end());
  }
}

TEST_F(RegFileTest, TakesEitherHeaderInEveryEncodingTheRegistryEditorReads) {
  const std::string body = "\r\n[A]\r\n\"V\"=\"caf\xc3\xa9\"\r\n";
  std::vector<std::uint8_t> bom = {0xEF, 0xBB, 0xBF};
  const std::string v5 = "Windows Registry Editor Version 5.00";
  for (const std::string& header : {v5, std::string("REGEDIT4")}) {
    SCOPED_TRACE(header);
    std::vector<std::uint8_t> utf8 = AnsiFile(header + body);
    std::vector<std::uint8_t> withBom = bom;
    withBom.insert(withBom.end(), utf8.begin(), utf8.end());
    for (const auto& bytes : {utf8, withBom, Utf16File(kit::fakes::WidenBytes(header) + u"\r\n[A]\r\n\"V\"=\"caf\u00e9\"\r\n")}) {
      const RegFile file = ReadRegFile(bytes, codec);
      ASSERT_EQ(file.keys.size(), 1u);
      ASSERT_EQ(file.keys[0].values.size(), 1u);
      EXPECT_EQ(file.keys[0].values[0].text, u"caf\u00e9");
    }
  }
}

TEST_F(RegFileTest, RefusesAFileOfAnotherKind) {
  const std::string header =
      "The file is not a registry file: its first line must be \"Windows Registry Editor Version 5.00\" or "
      "\"REGEDIT4\".";
  EXPECT_EQ(Refusal(std::vector<std::uint8_t>{}), (std::pair<int, std::string>{1, header}));
  // UTF-16 without its byte-order mark, and big-endian.
  std::vector<std::uint8_t> bare = Utf16File(u"REGEDIT4\r\n");
  EXPECT_EQ(Refusal(std::vector<std::uint8_t>(bare.begin() + 2, bare.end())).first, 1);
  EXPECT_EQ(Refusal(std::vector<std::uint8_t>{0xFE, 0xFF, 0, 'R', 0, 'E'}).first, 1);
  std::vector<std::uint8_t> odd = Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[A]");
  odd.push_back(0x41);
  EXPECT_EQ(Refusal(odd), (std::pair<int, std::string>{3, "The file ends in the middle of a UTF-16 character."}));
  // A UTF-8 byte-order mark promises UTF-8: a byte outside it is refused
  // rather than read in the code page.
  EXPECT_EQ(Refusal(AnsiFile("\xEF\xBB\xBFREGEDIT4\r\n\r\n[A]\r\n\"V\"=\"caf\xe9\"\r\n")),
            (std::pair<int, std::string>{4, "The file has a UTF-8 byte-order mark, but this line is not UTF-8."}));
}

// The registry editor's behaviour as Wine's regedit conformance tests
// (programs/regedit/tests/regedit.c, which pass on Windows) pin it, one row
// per case named as there: a file the editor imports whole reads with every
// value; a file where it would drop something silently is refused at the
// line at fault. Every row runs as 8-bit text, as UTF-8 with a byte-order
// mark and as UTF-16.
TEST_F(RegFileTest, ReadsWhatTheRegistryEditorImportsAndRefusesWhatItWouldDrop) {
  const auto r4 = [](std::string_view lines) { return "REGEDIT4\n\n[T]\n" + std::string(lines); };
  const auto v5 = [](std::string_view lines) { return "Windows Registry Editor Version 5.00\n\n[T]\n" + std::string(lines); };
  struct Case {
    const char* wine;
    std::string text;  // ASCII
    int line;          // refused at this line; 0: read
    std::u16string read = {};
  };
  const Case cases[] = {
      // test_basic_import
      {"TestValue", r4("\"TestValue\"=\"AValue\"\n"), 0, u"[T] TestValue=\"AValue\""},
      {"TestValue2", "REGEDIT4\r\n\r\n[T]\r\n\"TestValue2\"=\"BValue\"\r\n", 0, u"[T] TestValue2=\"BValue\""},
      {"TestValue3", v5("\"TestValue3\"=\"Value\"\n"), 0, u"[T] TestValue3=\"Value\""},
      {"TestValue4", "REGEDIT4\r\r[T]\r\"TestValue4\"=\"DValue\"\r", 0, u"[T] TestValue4=\"DValue\""},
      {"TestValue5", "Windows Registry Editor Version 5.00\r\r[T]\r\"TestValue5\"=\"Value\"\r", 0, u"[T] TestValue5=\"Value\""},
      {"TestDword", r4("\"TestDword\"=dword:00000017\n"), 0, u"[T] TestDword=dword:17"},
      {"TestBinary", r4("\"TestBinary\"=hex:aa,bb,cc,11\n"), 0, u"[T] TestBinary=hex(3)"},
      {"With=Equals", r4("\"With=Equals\"=\"asdf\"\n"), 0, u"[T] With=Equals=\"asdf\""},
      {"Empty string", r4("\"Empty string\"=\"\"\n\"\"=\"Default registry value\"\n\n"), 0,
       u"[T] Empty string=\"\" @=\"Default registry value\""},
      {"Line1-4", r4("\"Line1\"=\"Value1\"\n\n\"Line2\"=\"Value2\"\n\n\n\"Line3\"=\"Value3\"\n\n\n\n\"Line4\"=\"Value4\"\n\n"), 0,
       u"[T] Line1=\"Value1\" Line2=\"Value2\" Line3=\"Value3\" Line4=\"Value4\""},
      {"Wine1-4",
       r4("\"Wine1\"=dword:00000782\n\n\"Wine2\"=\"Test Value\"\n\"Wine3\"=hex(7):4c,69,6e,65,20,\\\n"
          "  63,6f,6e,63,61,74,65,6e,61,74,69,6f,6e,00,00\n#comment\n@=\"Test\"\n;comment\n\n\"Wine4\"=dword:12345678\n\n"),
       0, u"[T] Wine1=dword:782 Wine2=\"Test Value\" Wine3=hex(7) @=\"Test\" Wine4=dword:12345678"},
      {"Wine5", r4("\"Wine5\"=\"No newline\""), 0, u"[T] Wine5=\"No newline\""},
      {"Wine8a,b", r4("\"Wine8a\"=dword:1\n\"Wine8b\"=dword:4444\n\n"), 0, u"[T] Wine8a=dword:1 Wine8b=dword:4444"},
      {"Wine9a,b,g", r4("\"Wine9a\"=hex(2):4c,69,6e,65,00\n\"Wine9b\"=\"Value 1\"\n\"Wine9g\"=\"Value 4\"\n\n"), 0,
       u"[T] Wine9a=hex(2) Wine9b=\"Value 1\" Wine9g=\"Value 4\""},
      {"Wine9c", r4("\"Wine9c\"=hex(2):4c,69,6e,65\\\n\"Wine9d\"=\"Value 2\"\n"), 4},
      {"Wine9e", r4("\"Wine9e\"=hex(2):4c,69,6e,65,\\\n\"Wine9f\"=\"Value 3\"\n\"Wine9g\"=\"Value 4\"\n"), 5},
      {"quotes", r4("\"double\\\"quote\"=\"valid \\\"or\\\" not\"\n\"single'quote\"=dword:00000008\n\n"), 0,
       u"[T] double\"quote=\"valid \"or\" not\" single'quote=dword:8"},
      {"Wine10a-c",
       r4("\"Wine10a\"=hex(0):56,00,61,00\n\"Wine10b\"=hex(0):56,00,\\\n  75,00\n"
          "\"Wine10c\"=hex(0):56,00,\\;comment\n  6c,00,\\\n  65,00\n"),
       0, u"[T] Wine10a=hex(0) Wine10b=hex(0) Wine10c=hex(0)"},
      {"Wine10d", r4("\"Wine10d\"=hex(0):56,00,61,00,\\;comment\n  6c,00,75,00,\n  65,00,00,00\n"), 6},
      {"Wine10e", r4("\"Wine10e\"=hex(0):56,00,61,00,\\;comment\n  6c,00,75,00,;comment\n  65,00,00,00\n"), 6},
      {"Subkey\"1, Subkey/2",
       "REGEDIT4\n\n[T\\Subkey\"1]\n\"Wine\\\\31\"=\"Test value\"\n\n[T\\Subkey/2]\n\"123/\\\"4;'5\"=\"Random value name\"\n\n", 0,
       u"[T\\Subkey\"1] Wine\\31=\"Test value\" [T\\Subkey/2] 123/\"4;'5=\"Random value name\""},
      {"Wine13a-h",
       r4("\"Wine13a\"=hex(0):56,61\n\"Wine13b\"=hex(10):56\n\"Wine13e\"=hex(7fff):56\n\"Wine13h\"=hex(ffffffff):56\n"), 0,
       u"[T] Wine13a=hex(0) Wine13b=hex(10) Wine13e=hex(7fff) Wine13h=hex(ffffffff)"},
      {"Wine13i", r4("\"Wine13i\"=hex(100000000):56,61,6c,75,65,00\n"), 4},
      {"Wine13j", r4("\"Wine13j\"=hex(0x2):56,61,6c,75,65,00\n"), 4},
      {"Wine13l", r4("\"Wine13l\"=hex(x2):56,61,6c,75,65,00\n"), 4},
      {"Wine14a,b", r4("\"Wine14a\"=hex(7):4c,69,  \\\n  63,00\n\"Wine14b\"=hex(7):4c,69,\t\\\n  63,00\n\n"), 0,
       u"[T] Wine14a=hex(7) Wine14b=hex(7)"},
      {"Wine15, Wine16", r4("\"Wine15\"=hex(2):25,50,41,54,48,25,00,\n\n\"Wine16\"=hex(2):\\\n  25,48,4f,4d,45,25,00\n\n"), 0,
       u"[T] Wine15=hex(2) Wine16=hex(2)"},
      {"Wine17a", r4("\"Wine17a\"=hex(0):56,61,6c,75,65,\\"), 0, u"[T] Wine17a=hex(0)"},
      {"Wine18e", r4("\"Wine18e\"=hex(7):4c,69,\\\n  63,6f,;comment\n  65,6e\n\n"), 6},
      // test_invalid_import
      {"TestNoEndQuote", r4("\"TestNoEndQuote\"=\"Asdffdsa\n"), 4},
      {"TestNoBeginQuote", r4("\"TestNoBeginQuote\"=Asdffdsa\"\n"), 4},
      {"TestNoQuotes", r4("\"TestNoQuotes\"=Asdffdsa\n"), 4},
      {"NameNoEndQuote", r4("\"NameNoEndQuote=\"Asdffdsa\"\n"), 4},
      {"NameNoBeginQuote", r4("NameNoBeginQuote\"=\"Asdffdsa\"\n"), 4},
      {"NameNoQuotes", r4("NameNoQuotes=\"Asdffdsa\"\n"), 4},
      {"MixedQuotes", r4("\"MixedQuotes=Asdffdsa\"\n"), 4},
      {"REGEDIT3", "REGEDIT3\n\n[T]\n\"Test1\"=\"Value\"\n", 1},
      {"regedit4", "regedit4\n\n[T]\n\"Test2\"=\"Value\"\n", 1},
      {"Regedit4", "Regedit4\n\n[T]\n\"Test3\"=\"Value\"\n", 1},
      {"REGEDIT 4", "REGEDIT 4\n\n[T]\n\"Test4\"=\"Value\"\n", 1},
      {"REGEDIT4FOO", "REGEDIT4FOO\n\n[T]\n\"Test5\"=\"Value\"\n", 1},
      {"REGEDIT4 FOO", "REGEDIT4 FOO\n\n[T]\n\"Test6\"=\"Value\"\n", 1},
      {"REGEDIT5", "REGEDIT5\n\n[T]\n\"Test7\"=\"Value\"\n", 1},
      {"Version 4.00", "Windows Registry Editor Version 4.00\n\n[T]\n\"Test8\"=\"Value\"\n", 1},
      {"Version 5", "Windows Registry Editor Version 5\n\n[T]\n\"Test9\"=\"Value\"\n", 1},
      {"VERSION 5.00", "WINDOWS REGISTRY EDITOR VERSION 5.00\n\n[T]\n\"Test10\"=\"Value\"\n", 1},
      {"version 5.00", "Windows Registry Editor version 5.00\n\n[T]\n\"Test11\"=\"Value\"\n", 1},
      {"REGEDIT (Windows 3.1)", "REGEDIT\r\nHKEY_CLASSES_ROOT\\T = Value0\r\n", 1},
      {"Multi-Line1", r4("\"Multi-Line1\"=hex(7):4c,69,6e,65,20\\\n,63,6f,6e,00,00\n\n"), 4},
      {"Multi-Line2", r4("\"Multi-Line2\"=hex(7):4c,69,6e,65,20\\\n  ,63,6f,6e,00,00\n\n"), 4},
      {"Test12a", r4("\"Test12a\"=dword:\n"), 4},
      {"Test12b", r4("\"Test12b\"=dword:hello\n"), 4},
      {"Test12c", r4("\"Test12c\"=dword:123456789\n"), 4},
      {"Test12d", r4("\"Test12d\"=dword:012345678\n"), 4},
      {"Test12e", r4("\"Test12e\"=dword:000000001\n"), 4},
      {"Test13a", r4("\"Test13a\"=dword:12345678abc\n"), 4},
      {"Test13b", r4("\"Test13b\"=dword:12345678 abc\n"), 4},
      {"Test14a", r4("\"Test14a\"=dword:0x123\n"), 4},
      {"Test14b", r4("\"Test14b\"=dword:123 456\n"), 4},
      {"Test15a", r4("\"Test15a\"=\"foo\"bar\"\n"), 4},
      {"Test15b", r4("\"Test15b\"=\"foo\"\"bar\"\n"), 4},
      {"Test16a", r4("\"Test16a\"=\n"), 4},
      {"Test16b", r4("\"Test16b\"=\\\"\n"), 4},
      {"Test16d", r4("\"Test16d\"=\\\"Value\"\n"), 4},
      {"Subkey1 (key name on two lines)", "REGEDIT4\n\n[T\\\nSubkey1]\n", 3},
      {"Subkey2 (key name on two lines)", "REGEDIT4\n\n[T\n\\Subkey2]\n", 3},
      {"Test17a", r4("\"Test\\\n17a\"=\"Value 1\"\n\"Test17b\"=\"Value 2\"\n"), 4},
      {"Test17c", r4("\"Test\n\\17c\"=\"Value 3\"\n"), 4},
      {"Test18a", r4("\"Test18a\"=dword:1234\\\n5678\n"), 4},
      {"Test18b", r4("\"Test18b\"=\"Test \\\nValue\"\n"), 4},
      {"Test19a", r4("\"Test19a\"=hex(0):56,00,61,00,6c,00\\\n,75,00,65,00,00,00\n"), 4},
      {"Test19c", r4("\"Test19c\"=hex(0):56,00,61,00,6c,00\\\n  75,00,65,00,00,00\n"), 4},
      {"Test19d", r4("\"Test19d\"=hex(0):56,00,61,00,6c,00,7\\\n5,00,65,00,00,00\n"), 4},
      {"Test19f", r4("\"Test19f\"=hex(0):56,00,61,00,\\;comment\n  6c,00,75,00,\\#comment\n  65,00,00,00\n\n"), 5},
      {"Wine22a", r4("\"Wine22a\"=hex(0):25,50,100,54,48,25,00\n"), 4},
      {"Wine22b", r4("\"Wine22b\"=hex(0):25,1a4,100,164,124,25,00\n"), 4},
      {"Wine23a", r4("\"Wine23a\"=hex(2):25,48\\,4f,4d,45,25,00\n"), 4},
      {"Wine23b", r4("\"Wine23b\"=hex(2):25,48,\\4f,4d,45,25,00\n"), 4},
      {"Wine23c", r4("\"Wine23c\"=hex(2):25,48\\ ,4f,4d,45,25,00\n"), 4},
      {"Wine23d", r4("\"Wine23d\"=hex(2):25,48,\\ 4f,4d,45,25,00\n"), 4},
      {"Wine23e", r4("\"Wine23e\"=hex(2):\\25,48,4f,4d,45,25,00\n"), 4},
      {"Wine23g", r4("\"Wine23g\"=hex(2):25,48,4\\f,4d,45,25,00\n"), 4},
      {"Wine23h", r4("\"Wine23h\"=hex(2):25,48,4\\\n  f,4d,45,25,00\n"), 4},
      {"Wine23i", r4("\"Wine23i\"=hex(2):25,50,\\,41,54,48,25,00\n"), 4},
      {"Wine23j", r4("\"Wine23j\"=hex(2):25,48,4f,4d,45,25,5c,\\\\\n  25,50,41,54,48,25,00\n"), 4},
      {"Wine23k", r4("\"Wine23k\"=hex(2):,\\\n  25,48,4f,4d,45,25,00\n\n"), 4},
      {"Wine24a", r4("\"Wine24a\"=hex(2):4c,69,6e,65,20,\\\n[T\\Subkey1]\n"), 5},
      {"Wine24b", r4("\"Wine24b\"=hex(2):4c,69,6e,65,20\\\n[T\\Subkey2]\n"), 4},
      {"Wine25a", r4("\"Wine25a\"=hex(2):4c,69,6e,65,20,\\\n\"Wine25b\"=\"Test value\"\n"), 5},
      {"Wine25c", r4("\"Wine25c\"=hex(2):4c,69,6e,65,20,\\\n;comment\n\"Wine25d\"=\"Test value\"\n"), 6},
      {"Wine25e", r4("\"Wine25e\"=hex(2):4c,69,6e,65,20,\\\n#comment\n\"Wine25f\"=\"Test value\"\n"), 5},
      {"Wine25g", r4("\"Wine25g\"=hex(2):4c,69,6e,65,20,\\\n\n\"Wine25h\"=\"Test value\"\n"), 6},
      {"Wine25i", r4("\"Wine25i\"=hex(2):4c,69,6e,65,20\\\n\"Wine25j\"=\"Test value\"\n\n"), 4},
      {"Wine26a", r4("\"Wine26a\"=hex(2):4c,69,6e,65,20,\\\n\"Wine26b\"=dword:00000008\n"), 5},
      {"Wine28a", r4("\"Wine28a\"=hex(2):4c,69,6e,65,20,\\\n@=\"Default value 1\"\n\n"), 5},
      {"Wine29a", r4("\"Wine29a\"=hex:11,22,33,\\\n\\\n  44,55,66\n"), 5},
      {"Wine29b", r4("\"Wine29b\"=hex:11,22,33,\\\n  \\\n  44,55,66\n\n"), 5},
      {"Wine30a", r4("\"Wine30a\"=hex(0):25,48,4f,4d,45,25,5c,/\n  25,50,41,54,48,25,00\n"), 4},
      {"Wine30b", r4("\"Wine30b\"=hex(0):25,48,4f,4d,45,25,5c/\n  25,50,41,54,48,25,00\n\n"), 4},
      {"Wine31", r4("\"Wine31\"=hex(7):4c,69,6e,65,20\\"), 4},
      {"Wine32a", r4("\"Wine32a\"=hex(7):4c,69,6e,65,20,\\\n  ,63,6f,6e,00,00\n"), 5},
      {"Wine32b", r4("\"Wine32b\"=hex(7):4c,69,6e,65,20,\\\n  63,,6f,6e,00,00\n\n"), 5},
      // test_comments
      {"comments Wine1,2", r4("#comment\\\n\"Wine1\"=\"Line 1\"\n;comment\\\n\"Wine2\"=\"Line 2\"\n\n"), 0,
       u"[T] Wine1=\"Line 1\" Wine2=\"Line 2\""},
      {"comments Wine3", r4("\"Wine3\"=\"Value 1\"#comment\n"), 4},
      {"comments Wine4,6", r4("\"Wine4\"=\"Value 2\";comment\n\"Wine6\"=dword:02040608 ;comment\n\n"), 0,
       u"[T] Wine4=\"Value 2\" Wine6=dword:2040608"},
      {"comments Wine5", r4("\"Wine5\"=dword:01020304 #comment\n"), 4},
      {"comments Wine7", r4("\"Wine7\"=hex(7):4c,69,6e,65,20,\\\n  #comment\n  63,6f,6e,00,00\n\"Wine8\"=\"A valid line\"\n"), 5},
      {"comments Wine9,10",
       r4("\"Wine9\"=hex(7):4c,69,6e,65,20,\\\n  ;comment\n  63,6f,6e,00,00\n\"Wine10\"=\"Another valid line\"\n\n"), 0,
       u"[T] Wine9=hex(7) Wine10=\"Another valid line\""},
      {"comments Comment1-4, Wine12",
       r4("#\"Comment1\"=\"Value 1\"\n;\"Comment2\"=\"Value 2\"\n    #\"Comment3\"=\"Value 3\"\n"
          "    ;\"Comment4\"=\"Value 4\"\n\"Wine12\"=\"Value 7\";\"Comment6\"=\"Value 6\"\n\n"),
       0, u"[T] Wine12=\"Value 7\""},
      {"comments Wine11", r4("\"Wine11\"=\"Value 6\"#\"Comment5\"=\"Value 5\"\n"), 4},
      {"comments Wine13", r4("\"Wine13\"=#\"Value 8\"\n"), 4},
      {"comments Wine14", r4("\"Wine14\"=;\"Value 9\"\n"), 4},
      {"comments Wine15-20, 24, 25a,b",
       r4("\"Wine15\"=\"#comment1\"\n\"Wine18\"=\"Value;comment4\"\n\"Wine20\"=\"Value ;comment6\"\n"
          "\"Wine24\"=dword:00000004;comment\n\"Wine25a\"=dword:1234;5678\n\"Wine25b\"=dword:1234 ;5678\n\n"),
       0,
       u"[T] Wine15=\"#comment1\" Wine18=\"Value;comment4\" Wine20=\"Value ;comment6\" Wine24=dword:4 "
       u"Wine25a=dword:1234 Wine25b=dword:1234"},
      {"comments Wine21", r4("\"Wine21\"=#dword:00000001\n"), 4},
      {"comments Wine23", r4("\"Wine23\"=dword:00000003#comment\n"), 4},
      {"comments Wine25c", r4("\"Wine25c\"=dword:1234#5678\n"), 4},
      {"comments Wine26a,b", r4("\"Wine26a\"=\"Value1\"  ;comment\n\"Wine26b\"=\"Value2\"\t\t;comment\n\n"), 0,
       u"[T] Wine26a=\"Value1\" Wine26b=\"Value2\""},
      {"comments Wine26c", r4("\"Wine26c\"=\"Value3\"  #comment\n"), 4},
      {"comments Multi-Line1,3,4,6",
       r4("\"Multi-Line1\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,\\;comment\n  63,61,74,\\;comment\n  65,6e,00,00\n"
          "\"Multi-Line4\"=hex(7):4c,69,6e,\\;#comment\n  65,20,00,00\n"
          "\"Multi-Line6\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,\\;comment\n  63,61,74,\\\n\n  65,6e,\\;comment\n\n"
          "  61,74,69,6f,6e,00,00\n\n"),
       0, u"[T] Multi-Line1=hex(7) Multi-Line4=hex(7) Multi-Line6=hex(7)"},
      {"comments Multi-Line2", r4("\"Multi-Line2\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,\\;comment\n  63,61,74,;comment\n  65,6e,00,00\n\n"), 7},
      {"comments Multi-Line5", r4("\"Multi-Line5\"=hex(7):4c,69,6e,\\;comment\n  63,61,74,\\#comment\n  65,6e,00,00\n\n"), 5},
      {"comments Wine27a,b", r4("\"Wine27a\"=hex(2):25,50,41,54,48,25,00  ;comment\n\"Wine27b\"=hex(2):25,50,00\t;comment\n\n"), 0,
       u"[T] Wine27a=hex(2) Wine27b=hex(2)"},
      {"comments Wine27c", r4("\"Wine27c\"=hex(2):25,50,41,54,48,25,00  #comment\n"), 4},
      {"comments Wine28a,c,e",
       r4("\"Wine28a\"=hex(2):25,48,5c,\\\n  25,00\n\"Wine28c\"=hex(2):25,48,5c,  \\  ;comment\n  25,00\n"
          "\"Wine28e\"=hex(2):25,48,5c,\\\t  ;comment\n  25,00\n\n"),
       0, u"[T] Wine28a=hex(2) Wine28c=hex(2) Wine28e=hex(2)"},
      {"comments Wine28b", r4("\"Wine28b\"=hex(2):25,48,4f,4d,45,25,5c\\\n  25,50,41,54,48,25,00\n"), 4},
      {"comments Wine28d", r4("\"Wine28d\"=hex(2):25,48,4f,4d,45,25,5c  \\  ;comment\n  25,50,00\n"), 4},
      {"comments Wine29a,b",
       r4("\"Wine29a\"=hex(7):4c,69,\\\n  63,6f,\\\n;comment\n  65,6e,\\;comment\n  61,00,00\n"
          "\"Wine29b\"=hex(7):4c,69,\\\n  ;comment\n  65,00\n\n"),
       0, u"[T] Wine29a=hex(7) Wine29b=hex(7)"},
      {"comments Wine29c", r4("\"Wine29c\"=hex(7):4c,69,\\\n  63,6f,\\\n#comment\n  65,6e,\\;comment\n  61,00,00\n\n"), 6},
      {"comments Wine29d", r4("\"Wine29d\"=hex(7):4c,69,\\\n  63,6f,\\\n  #comment\n  65,6e,\\;comment\n  61,00,00\n\n"), 6},
      // test_import_with_whitespace
      {"whitespace Wine1a", "  REGEDIT4\n\n[T]\n\"Wine1a\"=\"Value\"\n\n", 0, u"[T] Wine1a=\"Value\""},
      {"whitespace Wine1c", " \t Windows Registry Editor Version 5.00\n\n[T]\n\"Wine1c\"=\"Value\"\n\n", 0, u"[T] Wine1c=\"Value\""},
      {"whitespace Wine2c", "REGEDIT4\n\n \t [T]\n\"Wine2c\"=\"Value\"\n\n", 0, u"[T] Wine2c=\"Value\""},
      {"whitespace Wine4a-c",
       "                    REGEDIT4\n\n\t\t\t[T]\n\t    \"Wine4a\"=\"Tab and four spaces\"\n    \"Wine4b\"=dword:00112233\n"
       "\t  \t  \t  \"Wine4c\"=hex(7):4c,69,6e,65,20,\\\n        63,6f,6e,\\;comment\n\t\t\t\t63,61,74,\\;comment\n"
       "  \t65,6e,61,74,69,6f,6e,00,00\n\n",
       0, u"[T] Wine4a=\"Tab and four spaces\" Wine4b=dword:112233 Wine4c=hex(7)"},
      {"whitespace Wine5a-d",
       r4("  \"Wine5a\"=\"Leading spaces\"\n\t\t\"Wine5b\"\t\t=\"Leading tabs\"\n\t  \"Wine5c\"=\t  \"Tabs and spaces\"\n"
          "    \"Wine5d\"    \t    =    \t    \"More whitespace\"\n\n"),
       0, u"[T] Wine5a=\"Leading spaces\" Wine5b=\"Leading tabs\" Wine5c=\"Tabs and spaces\" Wine5d=\"More whitespace\""},
      {"whitespace Wine6a,c, Wine8b",
       r4("\"  Wine6a\"=\"Leading spaces\"\n  \"  Wine6c  \"  =  \"  Spaces everywhere  \"  \n"
          "\"Wine8b\"=\"Trailing tabs and spaces\"\t  \t\n\n"),
       0, u"[T]   Wine6a=\"Leading spaces\"   Wine6c  =\"  Spaces everywhere  \" Wine8b=\"Trailing tabs and spaces\""},
      {"whitespace Wine9a,b", r4("\"Wine9a\"=dword:  00000008\n\"Wine9b\"=dword:\t\t00000008\n\n"), 0,
       u"[T] Wine9a=dword:8 Wine9b=dword:8"},
      {"whitespace default values", r4("@  =  \"Test Value\"\n\t@\t=\tdword:\t00000008\t\n\n"), 0,
       u"[T] @=\"Test Value\" @=dword:8"},
      {"whitespace Wine10a,b",
       r4("\"Wine10a\"=hex(7):4c,69,6e,65,20,\\\n  63,6f,6e,\\\n\n  63,61,74,\\\n\n\n  65,6e,\\\n\n\n\n  61,00,00\n"
          "\"Wine10b\"=hex(7):4c,69,\\\n \n  63,61,74,\\\n\t\n\t\n  65,6e,\\\n\t \t\n\t \t\n  61,00,00\n\n"),
       0, u"[T] Wine10a=hex(7) Wine10b=hex(7)"},
      // test_key_creation_and_deletion
      {"No_Opening_Bracket", "REGEDIT4\n\nT\\No_Opening_Bracket]\n", 3},
      {"No_Closing_Bracket", "REGEDIT4\n\n[T\\No_Closing_Bracket\n", 3},
      {"Subkey1a", "REGEDIT4\n\n[ T\\Subkey1a]\n", 3},
      {"Subkey1b", "REGEDIT4\n\n[\tT\\Subkey1b]\n", 3},
      {"Subkey1c,d", "REGEDIT4\n\n[T\\Subkey1c ]\n[T\\Subkey1d\t]\n", 0, u"[T\\Subkey1c ] [T\\Subkey1d\t]"},
      {"Subkey2a,b deleted", "REGEDIT4\n\n[-T\\Subkey2a]\n\n[-T\\Subkey2b]\n\n", 0, u"[-T\\Subkey2a] [-T\\Subkey2b]"},
      {"[ -Subkey2a]", "REGEDIT4\n\n[ -T\\Subkey2a]\n", 3},
      {"[- Subkey2a]", "REGEDIT4\n\n[- T\\Subkey2a]\n", 3},
      {"[-\\tSubkey2b]", "REGEDIT4\n\n[-\tT\\Subkey2b]\n", 3},
      // test_value_deletion
      {"Wine46a-c,e", r4("\"Wine46a\"=-\n\"Wine46b\"=  -\n\"Wine46c\"=  \t-\t  \n\"Wine46e\"=- ;comment\n\n"), 0,
       u"[T] Wine46a=- Wine46b=- Wine46c=- Wine46e=-"},
      {"Wine46d", r4("\"Wine46d\"=-\"Test\"\n"), 4},
      {"Wine46f", r4("\"Wine46f\"=- #comment\n"), 4},
      // The editor reads its type tags in small letters only.
      {"DWORD:", r4("\"Upper\"=DWORD:00000001\n"), 4},
      {"Dword:", r4("\"Mixed\"=Dword:00000001\n"), 4},
      {"HEX:", r4("\"Upper\"=HEX:00\n"), 4},
      {"HEX(2):", r4("\"Upper\"=HEX(2):00\n"), 4},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> ansi = AnsiFile(c.text);
    std::vector<std::uint8_t> bom = {0xEF, 0xBB, 0xBF};
    bom.insert(bom.end(), ansi.begin(), ansi.end());
    for (const auto& bytes : {ansi, bom, Utf16File(kit::fakes::WidenBytes(c.text))}) {
      SCOPED_TRACE(::testing::Message() << c.wine << (bytes[0] == 0xEF ? " (UTF-8)" : bytes[0] == 0xFF ? " (UTF-16)" : ""));
      const auto [line, reason] = Refusal(bytes);
      EXPECT_EQ(line, c.line == 0 ? -1 : c.line) << reason;
      if (c.line == 0 && line == -1) {
        EXPECT_EQ(Render(ReadRegFile(bytes, codec)), c.read);
      }
    }
  }
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
