// config.ini as a user or a broken editor may leave it beside the wizard.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeSystemInfo.h"
#include "wizard/ui/text/ConfigCaption.h"

namespace quispor {
namespace {

constexpr char16_t kGuard = 0xBEEF;

class ConfigIniInputTest : public ::testing::Test {
 protected:
  ConfigIniInputTest() { system_.moduleFileName = u"C:\\Kit\\Quispor.exe"; }

  std::u16string Load(const std::string& bytes) {
    files_.File("C:\\Kit\\config.ini").bytes = bytes;
    std::fill(std::begin(title_), std::end(title_), kGuard);
    title_[0] = u'\0';
    LoadConfigCaption(system_, files_, codePage_, title_);
    EXPECT_EQ(files_.OpenStreams(), 0u);
    for (std::size_t i = kCaptionCapacity; i < std::size(title_); ++i) {
      EXPECT_EQ(title_[i], kGuard) << "title written beyond its buffer at " << i;
    }
    const auto end = std::find(std::begin(title_), std::begin(title_) + kCaptionCapacity, u'\0');
    EXPECT_NE(end, std::begin(title_) + kCaptionCapacity) << "title not terminated";
    return std::u16string(std::begin(title_), end);
  }

  kit::fakes::FakeSystemInfo system_;
  kit::fakes::FakeCrtFiles files_;
  kit::fakes::FakeCodePage codePage_;
  char16_t title_[kCaptionCapacity + 32];
};

TEST_F(ConfigIniInputTest, MegabytesWithTheKeyAtTheEndAndNoLineEnd) {
  const std::string filler(8 << 20, 'z');
  EXPECT_EQ(Load(filler + "\r\nCaption=Setup"), u"Setup");
  // The caption runs to the end of an 8 MB file: cut to the title's room.
  EXPECT_EQ(Load("Caption=" + filler), std::u16string(259, u'z'));
}

TEST_F(ConfigIniInputTest, NulBytesEndTheTextTheyAppearIn) {
  EXPECT_EQ(Load(std::string("Capt\0ion=Lost", 13)), u"");
  EXPECT_EQ(Load(std::string("Caption=Kept\0Hidden\r\n", 21)), u"Kept");
  EXPECT_EQ(Load(std::string(1000, '\0') + "Caption=After"), u"");
}

TEST_F(ConfigIniInputTest, ACaptionOfTenThousandCharactersIsCutTo259) {
  std::string caption;
  for (int i = 0; i < 10000; ++i) caption += static_cast<char>('a' + i % 26);
  const std::u16string title = Load("Caption=" + caption + "\r\n");
  ASSERT_EQ(title.size(), 259u);
  EXPECT_EQ(title.back(), static_cast<char16_t>('a' + 258 % 26));
}

// Code page 936: a lead byte without its trail byte, and lead bytes cut at
// the title's end. A double-byte character is never split into a lone half.
TEST_F(ConfigIniInputTest, InvalidAndCutMultiByteSequences) {
  codePage_.extra[u'\u6253'] = "\xB4\xF2";
  const std::u16string lone = Load("Caption=\xB4\xF2\xB4");
  EXPECT_EQ(lone.substr(0, 1), u"\u6253");
  EXPECT_LE(lone.size(), 2u);
  std::string many;
  for (int i = 0; i < 400; ++i) many += "\xB4\xF2";
  const std::u16string title = Load("Caption=" + many);
  EXPECT_EQ(title, std::u16string(259, u'\u6253'));
  // Bytes with the high bit set that form no character at all.
  EXPECT_LE(Load("Caption=\xFF\xFE\x80").size(), 3u);
}

}  // namespace
}  // namespace quispor
