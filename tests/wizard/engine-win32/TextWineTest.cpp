// The text table and the config.ini caption on the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "wizard/ui/text/ConfigCaption.h"
#include "wizard/shared/PoText.h"

namespace quispor {
namespace {

std::string ProgramFolderA() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1);
}

TEST(TextWineTest, LanguageFollowsTheSystemDefaultLanguage) {
  const LANGID id = GetSystemDefaultLangID();
  ResetPoLanguageForTest();
  EXPECT_EQ(GetPoLanguage(), id == 0x0804 ? kPoChinese : kPoEnglish) << std::hex << id;
  if (id == 0x0409) {
    EXPECT_EQ(std::u16string(GetPoText("PO_NEXT_STEP")), u"Next Step");
    char16_t buffer[kPoTextCapacity];
    EXPECT_EQ(CopyPoText("PO_UNINSTALL_ING_NAME", buffer), buffer);
    EXPECT_EQ(std::u16string(buffer), u"Deleting printer ");
  } else if (id == 0x0804) {
    EXPECT_EQ(std::u16string(GetPoText("PO_NEXT_STEP")), u"\u4e0b\u4e00\u6b65");
  }
  EXPECT_EQ(GetPoText("po_next_step"), nullptr);
}

class ConfigCaptionWineTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = ProgramFolderA() + "config.ini"; }
  void TearDown() override { DeleteFileA(path_.c_str()); }
  void Write(const std::string& bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::u16string Load() {
    char16_t title[kCaptionCapacity] = {};
    LoadConfigCaption(title);
    return title;
  }
  std::string path_;
};

TEST_F(ConfigCaptionWineTest, CaptionBesideTheProgramBecomesTheTitle) {
  Write("; kit\r\nCaption=Front Desk Setup\r\n");
  EXPECT_EQ(Load(), u"Front Desk Setup");
  Write("Caption=Line one\r\nLine two\r\n");
  EXPECT_EQ(Load(), u"Line one\r\nLine two");
}

TEST_F(ConfigCaptionWineTest, MissingOrEmptyConfigGivesNoTitle) {
  DeleteFileA(path_.c_str());
  EXPECT_EQ(Load(), u"");
  Write("");
  EXPECT_EQ(Load(), u"");
  Write("Caption=");
  EXPECT_EQ(Load(), u"");
}

TEST_F(ConfigCaptionWineTest, AnsiBytesConvertThroughTheSystemCodePage) {
  if (GetACP() == 1252) {
    Write("Caption=Caf\xE9 \x80\r\n");
    EXPECT_EQ(Load(), u"Caf\u00e9 \u20ac");
  } else if (GetACP() == 936) {
    Write("Caption=\xB0\xB2\xD7\xB0\r\n");
    EXPECT_EQ(Load(), u"\u5b89\u88c5");
  } else {
    GTEST_SKIP() << "no expectation for ANSI code page " << GetACP();
  }
}

}  // namespace
}  // namespace quispor
