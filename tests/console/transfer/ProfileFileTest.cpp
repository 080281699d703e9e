#include "console/transfer/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/console/store/StoreTestSupport.h"
#include "tests/console/transfer/TransferTestSupport.h"

namespace vantrel {
namespace {

using test::AnsiFile;
using test::TextOf;
using test::Utf16File;

DeviceEntry Device(const std::string& name, std::int32_t protocol) {
  DeviceEntry d = test::EditorEntry(name, protocol);
  d.Pid = "P-7";
  d.Timeout = -1;
  return d;
}

int LineOf(const std::u16string& text, const std::u16string& needle) {
  const std::size_t at = text.find(needle);
  if (at == std::u16string::npos) return -1;
  int line = 1;
  for (std::size_t i = 0; i < at; ++i) line += text[i] == u'\n';
  return line;
}

class ProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    profiles.devices = {Device("Front", 0), Device("Lane \"7\"", 2)};
    profiles.devices[1].Pid = "C:\\opos\\\"pid\"";
    profiles.alternateNames = {{"Alias", "Front"}, {"Back\\Door \"2\"", "Lane \"7\""}};
    valid = TextOf(WriteRegFile(ProfileRegFile(profiles, codec)));
  }

  ProfileSet Read(const std::vector<std::uint8_t>& bytes) { return ReadProfileRegFile(ReadRegFile(bytes, codec), codec); }

  enum class Where { First, Last, Everywhere };
  // Line and reason of the refusal of the valid file with `from` replaced
  // by `to`. As every key stands twice, a change to one copy only makes the
  // two differ.
  std::pair<int, std::string> Refusal(const std::u16string& from, const std::u16string& to,
                                      Where where = Where::First) {
    std::u16string text = valid;
    for (std::size_t at = where == Where::Last ? text.rfind(from) : text.find(from); at != std::u16string::npos;
         at = where == Where::Everywhere ? text.find(from, at + to.size()) : std::u16string::npos) {
      text.replace(at, from.size(), to);
    }
    if (text == valid) return {-2, "no such text"};
    try {
      Read(Utf16File(text));
    } catch (const RegFileError& e) {
      return {e.line(), e.what()};
    }
    return {-1, "accepted"};
  }
  int Line(const std::u16string& needle) const { return LineOf(valid, needle); }
  int LastLine(const std::u16string& needle) const {
    const std::u16string head = valid.substr(0, valid.rfind(needle));
    return static_cast<int>(std::count(head.begin(), head.end(), u'\n')) + 1;
  }

  test::Latin1Codec codec;
  ProfileSet profiles;
  std::u16string valid;
};

TEST_F(ProfileFileTest, EveryKeyStandsForBothRegistryViewsWithTheFourteenValuesInSaveOrder) {
  const std::u16string plain = u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";
  const std::u16string wow = u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\OLEforRetail\\ServiceOPOS\\POSPRINTER";
  const std::u16string front =
      u"\\Front]\r\n@=\"SOZELTANO.OPOSPrinter\"\r\n\"Pid\"=\"P-7\"\r\n\"DeviceClass\"=\"POSPrinter\"\r\n"
      u"\"DeviceName\"=\"Front\"\r\n\"DevType\"=\"\"\r\n\"TcpIp\"=\"192.168.1.20\"\r\n\"TcpPort\"=dword:0000238c\r\n"
      u"\"Timeout\"=dword:ffffffff\r\n\"Version\"=\"v2\"\r\n\"USBType\"=dword:00000004\r\n"
      u"\"USBDevName\"=\"VID_811E&PID_2001\"\r\n\"CommName\"=\"COM12\"\r\n\"Baudrate\"=dword:0001c200\r\n"
      u"\"ProtocolType\"=dword:00000000\r\n";
  for (const std::u16string& root : {plain, wow}) {
    EXPECT_NE(valid.find(root + u"]\r\n\"Alias\"=\"Front\"\r\n\"Back\\\\Door \\\"2\\\"\"=\"Lane \\\"7\\\"\"\r\n"),
              std::u16string::npos);
    EXPECT_NE(valid.find(root + front), std::u16string::npos);
  }
  EXPECT_LT(valid.find(plain), valid.find(wow));
}

TEST_F(ProfileFileTest, ARoundTripInEveryEncodingGivesTheSameProfiles) {
  profiles.devices[0].Version = "caf\xe9";  // one character beyond ASCII
  valid = TextOf(WriteRegFile(ProfileRegFile(profiles, codec)));
  EXPECT_EQ(Read(Utf16File(valid)), profiles);

  std::u16string old = valid;
  old.replace(0, old.find(u"\r\n"), u"REGEDIT4");
  EXPECT_EQ(Read(Utf16File(old)), profiles);
  std::string bytes;
  ASSERT_TRUE(codec.Narrow(old, &bytes));
  EXPECT_EQ(Read(AnsiFile(bytes)), profiles);

  // As Notepad saves the export: UTF-8, with or without a byte-order mark.
  std::string utf8;
  for (char16_t c : valid) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | c >> 6);
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  EXPECT_EQ(Read(AnsiFile(utf8)), profiles);
  EXPECT_EQ(Read(AnsiFile("\xEF\xBB\xBF" + utf8)), profiles);
}

TEST_F(ProfileFileTest, KeysOfEitherViewAndAnyLetterCaseMeanTheSameDevice) {
  const ProfileSet set = Read(Utf16File(
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[hkey_local_machine\\software\\wow6432node\\oleforretail\\serviceopos\\posprinter\\Front]\r\n" +
      valid.substr(valid.find(u"@=")) ));
  ASSERT_EQ(set.devices.size(), 2u);
  EXPECT_EQ(set.devices[0].DeviceName, "Front");
}

TEST_F(ProfileFileTest, RefusesAnythingButDeviceProfilesNamingTheLine) {
  using R = std::pair<int, std::string>;
  const int pid = Line(u"\"Pid\"=\"P-7\"");
  EXPECT_EQ(Refusal(u"\"Pid\"=\"P-7\"", u"\"Pid\"=dword:00000007"), (R{pid, "The value Pid must be text (REG_SZ)."}));
  EXPECT_EQ(Refusal(u"\"TcpPort\"=dword:0000238c", u"\"TcpPort\"=\"9100\""),
            (R{Line(u"\"TcpPort\""), "The value TcpPort must be a dword (REG_DWORD)."}));
  EXPECT_EQ(Refusal(u"@=\"SOZELTANO.OPOSPrinter\"", u"@=hex(2):41,00"),
            (R{Line(u"@="), "The value @ must be text (REG_SZ)."}));
  EXPECT_EQ(Refusal(u"\"Pid\"=\"P-7\"", u"\"Pid\"=\"P-7\"\r\n\"Description\"=\"x\""),
            (R{pid + 1, "The value Description is not part of a device profile."}));
  EXPECT_EQ(Refusal(u"\"Pid\"=\"P-7\"", u"\"Pid\"=\"P-7\"\r\n\"PID\"=\"P-7\""), (R{pid + 1, "The value Pid is given twice."}));
  EXPECT_EQ(Refusal(u"\"Timeout\"=dword:ffffffff\r\n", u""),
            (R{Line(u"\\Front]"), "The device key lacks the value Timeout."}));
  EXPECT_EQ(Refusal(u"\"DeviceName\"=\"Front\"", u"\"DeviceName\"=\"Fronts\""),
            (R{Line(u"\"DeviceName\"=\"Front\""), "DeviceName must be the name of its key, Front."}));
  EXPECT_EQ(Refusal(u"\"Pid\"=\"P-7\"", u"\"Pid\"=\"P-\u4e2d\""),
            (R{pid, "\"P-?\" cannot be written in this system's code page."}));
  EXPECT_EQ(Refusal(u"\"Pid\"=\"P-7\"", u"\"Pid\"=-"),
            (R{pid, "The file deletes a value; only device profiles can be imported."}));

  const int alias = Line(u"\"Alias\"");
  EXPECT_EQ(Refusal(u"\"Alias\"=\"Front\"", u"\"Alias\"=\"Nobody\"", Where::Everywhere),
            (R{alias, "The alternate name Alias points to Nobody, which the file does not hold."}));
  EXPECT_EQ(Refusal(u"\"Alias\"=\"Front\"", u"@=\"Front\""),
            (R{alias, "The class key's default value is not part of a device profile."}));
  EXPECT_EQ(Refusal(u"\"Alias\"=\"Front\"", u"\"Alias\"=dword:1"), (R{alias, "The alternate name Alias must be text (REG_SZ)."}));
  EXPECT_EQ(Refusal(u"\r\n[", u"\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail]\r\n["),
            (R{Line(u"\r\n[") + 1, "The file deletes a key; only device profiles can be imported."}));
  EXPECT_EQ(Refusal(u"POSPRINTER\\Front]", u"POSPRINTER\\Front\\Sub]"),
            (R{Line(u"POSPRINTER\\Front]"),
               "The key HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER\\Front\\Sub is neither the "
               "POSPrinter class key nor a device key under it."}));
  EXPECT_EQ(Refusal(u"ServiceOPOS\\POSPRINTER]", u"ServiceOPOS\\CashDrawer]").first, Line(u"ServiceOPOS\\POSPRINTER]"));
  EXPECT_EQ(Refusal(u"\"Pid\"=\"P-7\"", u"\"Pid\"=\"P-8\"", Where::Last),
            (R{LineOf(valid, u"WOW6432Node\\OLEforRetail\\ServiceOPOS\\POSPRINTER\\Front]"),
               "The device Front is given twice with different values."}));
  EXPECT_EQ(Refusal(u"\"Alias\"=\"Front\"", u"\"Alias\"=\"Lane \\\"7\\\"\"", Where::Last),
            (R{LastLine(u"\"Alias\""), "The alternate name Alias is given twice for different devices."}));
}

TEST_F(ProfileFileTest, NamesThatDifferOnlyInLetterCaseAreTheSameAsInTheRegistry) {
  // Written by an earlier console that saved "FRONT" over "Front", and an
  // alternate name typed in another case.
  std::u16string text = valid;
  for (std::size_t at = text.find(u"\"DeviceName\"=\"Front\""); at != std::u16string::npos;
       at = text.find(u"\"DeviceName\"=\"Front\"", at + 1)) {
    text.replace(at, 20, u"\"DeviceName\"=\"FRONT\"");
  }
  for (std::size_t at = text.find(u"\"Alias\"=\"Front\""); at != std::u16string::npos;
       at = text.find(u"\"Alias\"=\"Front\"", at + 1)) {
    text.replace(at, 15, u"\"Alias\"=\"front\"");
  }
  const ProfileSet set = Read(Utf16File(text));
  ASSERT_EQ(set.devices.size(), 2u);
  EXPECT_EQ(set.devices[0].DeviceName, "Front");  // the key and its name agree
  EXPECT_EQ(set.alternateNames[0], (AlternateName{"Alias", "front"}));
}

TEST_F(ProfileFileTest, RefusesAFileWithoutADevice) {
  const auto refusal = [&] {
    Read(Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n"
                   u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER]\r\n"));
  };
  EXPECT_EQ(test::ErrorText<RegFileError>(refusal), "The file holds no device profile.");
}

TEST_F(ProfileFileTest, AnExportRefusesALineBreakNamingTheDevice) {
  profiles.devices[0].Version = "1\r\n2";
  EXPECT_EQ(test::ErrorText<std::invalid_argument>([&] { ProfileRegFile(profiles, codec); }),
            "Device Front cannot be exported: a name or text of its profile holds a line break.");
}

// The import reads key by key (ReadProfileFile) and gives what reading the
// whole file first gives, refusals included: a line the registry editor
// would not read is named even after a key refused for what it holds.
TEST_F(ProfileFileTest, TheImportReadsKeyByKeyWhatTheWholeFileGives) {
  const auto outcome = [&](const std::vector<std::uint8_t>& bytes, bool byKey) -> std::pair<int, std::string> {
    try {
      return {0, (byKey ? ReadProfileFile(bytes, codec) : Read(bytes)) == profiles ? "same" : "other"};
    } catch (const RegFileError& e) {
      return {e.line(), e.what()};
    }
  };
  std::u16string wrongType = valid;
  wrongType.replace(wrongType.find(u"\"Pid\"=\"P-7\""), 11, u"\"Pid\"=dword:7");
  std::u16string withZero = valid;
  withZero.replace(withZero.rfind(u"\"Pid\""), 1, std::u16string(1, u'\0'));
  std::vector<std::uint8_t> brokenTail = Utf16File(valid);
  brokenTail.push_back(0x41);
  const std::vector<std::vector<std::uint8_t>> files = {
      Utf16File(valid),           Utf16File(wrongType), Utf16File(wrongType + u"\r\noops\r\n"),
      Utf16File(withZero),        brokenTail,           Utf16File(valid.substr(0, valid.find(u"\r\n\r\n[", 10))),
      AnsiFile("REGEDIT4\n\n[T]")};
  for (const std::vector<std::uint8_t>& file : files) EXPECT_EQ(outcome(file, true), outcome(file, false));
  EXPECT_EQ(outcome(Utf16File(wrongType + u"\r\noops\r\n"), true).second,
            "This line is not a key, a value or a comment.");
}

// The export writes straight from the profiles (WriteProfileFile) the bytes
// of the RegFile writer, past the room it reserves, and refuses the same.
TEST_F(ProfileFileTest, TheExportWritesWhatTheRegFileWriterWrites) {
  profiles.devices[1].USBDevName = std::string(5000, '\\');  // twice as long once escaped
  profiles.alternateNames.push_back({std::string(3000, '"'), "Front"});
  const std::vector<std::uint8_t> bytes = WriteProfileFile(profiles, codec);
  EXPECT_EQ(bytes, WriteRegFile(ProfileRegFile(profiles, codec)));
  EXPECT_EQ(Read(bytes), profiles);

  profiles.devices[1].Version = "1\n2";
  EXPECT_EQ(test::ErrorText<std::invalid_argument>([&] { WriteProfileFile(profiles, codec); }),
            "Device Lane \"7\" cannot be exported: a name or text of its profile holds a line break.");
}

}  // namespace
}  // namespace vantrel
