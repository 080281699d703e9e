#include "wizard/ui/text/ConfigCaption.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"

namespace quispor {
namespace {

constexpr char16_t kGuard = 0xBEEF;
constexpr char kConfigPath[] = "C:\\Kit\\config.ini";

class ConfigCaptionTest : public ::testing::Test {
 protected:
  ConfigCaptionTest() {
    system_.moduleFileName = u"C:\\Kit\\Quispor.exe";
    std::fill(std::begin(title_), std::end(title_), kGuard);
    title_[0] = u'\0';
  }

  void WriteConfig(const std::string& bytes) { files_.File(kConfigPath).bytes = bytes; }

  std::u16string Load() {
    LoadConfigCaption(system_, files_, codePage_, title_);
    EXPECT_EQ(files_.OpenStreams(), 0u) << "config.ini left open";
    for (std::size_t i = kCaptionCapacity; i < std::size(title_); ++i) {
      EXPECT_EQ(title_[i], kGuard) << "written beyond the title buffer at " << i;
    }
    return std::u16string(title_);
  }

  kit::fakes::FakeSystemInfo system_;
  kit::fakes::FakeCrtFiles files_;
  kit::fakes::FakeCodePage codePage_;
  char16_t title_[kCaptionCapacity + 16];
};

TEST_F(ConfigCaptionTest, EntryWithCrLfGivesTheTitleWithoutTheLineEnd) {
  WriteConfig("Caption=Front Desk Printer Setup\r\n");
  EXPECT_EQ(Load(), u"Front Desk Printer Setup");
  EXPECT_EQ(files_.calls, (std::vector<std::string>{"fopen(\"C:\\Kit\\config.ini\", \"rb\")", "fseek(0, 2)", "ftell",
                                                    "fseek(0, 0)", "fread(1, 34)", "fclose(\"C:\\Kit\\config.ini\")"}));
  EXPECT_EQ(system_.calls, (std::vector<std::string>{"GetModuleFileNameA(null, 259)"}));
}

TEST_F(ConfigCaptionTest, FollowingLinesBelongToTheCaption) {
  WriteConfig("[Setup]\r\nCaption=Title\r\nVersion=2\r\n");
  EXPECT_EQ(Load(), u"Title\r\nVersion=2");
}

TEST_F(ConfigCaptionTest, AtMostFourTrailingBreaksGoSpacesStay) {
  WriteConfig("Caption=T\r\n\r\n\n");
  EXPECT_EQ(Load(), u"T\r");
  title_[0] = u'\0';
  WriteConfig("Caption=Title \t\r\n");
  EXPECT_EQ(Load(), u"Title ");
}

TEST_F(ConfigCaptionTest, KeyMayEndALongerWord) {
  WriteConfig("WindowCaption=Setup\n");
  EXPECT_EQ(Load(), u"Setup");
  title_[0] = u'\0';
  WriteConfig("Caption=First\nCaption=Second");
  EXPECT_EQ(Load(), u"First\nCaption=Second");
}

TEST_F(ConfigCaptionTest, NothingUsableLeavesTheTitleEmpty) {
  for (const std::string& content : {std::string("Caption="), std::string("Caption=\r\n"), std::string("Title=x\r\n"),
                                     std::string("caption=lower case key"), std::string("")}) {
    WriteConfig(content);
    EXPECT_EQ(Load(), u"") << content;
  }
}

TEST_F(ConfigCaptionTest, MissingFileLeavesTheTitleEmpty) {
  EXPECT_EQ(Load(), u"");
  EXPECT_EQ(files_.calls, (std::vector<std::string>{"fopen(\"C:\\Kit\\config.ini\", \"rb\")"}));
}

TEST_F(ConfigCaptionTest, TextEndsAtItsFirstNulByte) {
  WriteConfig(std::string("Caption=AB\0CD\r\n", 15));
  EXPECT_EQ(Load(), u"AB");
  title_[0] = u'\0';
  WriteConfig(std::string("X\0Caption=Hidden", 16));
  EXPECT_EQ(Load(), u"");
}

TEST_F(ConfigCaptionTest, CaptionIsConvertedFromTheAnsiCodePage) {
  codePage_.extra[u'安'] = "\xB0\xB2";
  codePage_.extra[u'装'] = "\xD7\xB0";
  WriteConfig("Caption=\xB0\xB2\xD7\xB0 Caf\xE9\r\n");
  EXPECT_EQ(Load(), u"安装 Café");
}

TEST_F(ConfigCaptionTest, OverlongCaptionIsCutTo259WithoutWritingBeyond) {
  WriteConfig("Caption=" + std::string(400, 'x') + "\r\n");
  const std::u16string title = Load();
  EXPECT_EQ(title, std::u16string(259, u'x'));
  // Exactly 259 fits without the cut.
  title_[0] = u'\0';
  WriteConfig("Caption=" + std::string(259, 'y'));
  EXPECT_EQ(Load(), std::u16string(259, u'y'));
}

TEST_F(ConfigCaptionTest, ProgramPathsThatDoNotFitAreRefused) {
  // Folder of 249 characters: with "config.ini" exactly 259, which fits.
  system_.moduleFileName = u"C:\\" + std::u16string(245, u'd') + u"\\Q.exe";
  files_.File("C:\\" + std::string(245, 'd') + "\\config.ini").bytes = "Caption=Fits\r\n";
  EXPECT_EQ(Load(), u"Fits");
  // One character more and the path would pass 259: refused unopened.
  files_.calls.clear();
  title_[0] = u'\0';
  system_.moduleFileName = u"C:\\" + std::u16string(246, u'd') + u"\\Q.exe";
  files_.File("C:\\" + std::string(246, 'd') + "\\config.ini").bytes = "Caption=Never\r\n";
  EXPECT_EQ(Load(), u"");
  // A program path that GetModuleFileNameA had to cut names another folder.
  system_.moduleFileName = u"C:\\" + std::u16string(300, u'e') + u"\\Q.exe";
  EXPECT_EQ(Load(), u"");
  EXPECT_TRUE(files_.calls.empty());
}

TEST_F(ConfigCaptionTest, ProcessWideOverloadFindsNoCaptionInTheHostTree) {
  LoadConfigCaption(title_);
  EXPECT_EQ(std::u16string(title_), u"");
}

}  // namespace
}  // namespace quispor
