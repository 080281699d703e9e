// Driver-store INF files as the removal may find them: empty, huge, binary,
// odd-length UTF-16, odd line ends.
#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "wizard/removal/InfSearch.h"

namespace quispor::removal {
namespace {

constexpr int32_t kVexo80 = 2;  // data file VEXO_80.DAT
constexpr char kInfPath[] = "C:\\Windows\\inf\\oem7.inf";

std::string Utf16(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

class InfFileInputTest : public ::testing::Test {
 protected:
  int Contains(const std::string& bytes) {
    files_.File(kInfPath).bytes = bytes;
    const int found = InfContainsModel(files_, codePage_, u"C:\\Windows\\inf\\oem7.inf", kVexo80);
    EXPECT_EQ(files_.OpenStreams(), 0u);
    return found;
  }

  kit::fakes::FakeCrtFiles files_;
  kit::fakes::FakeCodePage codePage_;
};

TEST_F(InfFileInputTest, EmptyAndTinyFilesMatchNothing) {
  EXPECT_EQ(Contains(""), 0);
  EXPECT_EQ(Contains("V"), 0);
  EXPECT_EQ(Contains("VEXO_80.DA"), 0);
}

TEST_F(InfFileInputTest, FiftyMegabytesAreSearchedToTheirLastByte) {
  // The UTF-16 name in the last bytes: both searches run over all 50 MB.
  std::string big(50u << 20, ';');
  const std::string wide = Utf16("VEXO_80.DAT");
  big.replace(big.size() - wide.size(), wide.size(), wide);  // an even offset
  EXPECT_EQ(Contains(big), 1);
}

TEST_F(InfFileInputTest, NulBytesAndCtrlZDoNotEndTheSearch) {
  // Read in binary: neither a NUL nor a Ctrl-Z (the text mode end of file)
  // stops the read before the name.
  EXPECT_EQ(Contains(std::string("[Ver\0sion]\r\n\x1A\x1A", 15) + "CopyFiles=VEXO_80.DAT"), 1);
  EXPECT_EQ(Contains(std::string(4096, '\0') + "VEXO_80.DAT"), 1);
  EXPECT_EQ(Contains("VEXO_80\0.DAT"), 0);
}

TEST_F(InfFileInputTest, OddLengthUtf16AndMisalignedNames) {
  // A byte-order mark, the name, then one stray byte at the end.
  EXPECT_EQ(Contains("\xFF\xFE" + Utf16("x=VEXO_80.DAT") + "\r"), 1);
  // The same text shifted by one byte is no UTF-16 text of the name.
  EXPECT_EQ(Contains("\xFF\xFE\x01" + Utf16("VEXO_80.DAT")), 0);
  // Cut in the middle of the last character.
  const std::string cut = Utf16("VEXO_80.DAT");
  EXPECT_EQ(Contains("\xFF\xFE" + cut.substr(0, cut.size() - 1)), 0);
}

TEST_F(InfFileInputTest, CrWithoutLfIsOrdinaryText) {
  EXPECT_EQ(Contains("[Strings]\rA=1\rB=VEXO_80.DAT\r"), 1);
  EXPECT_EQ(Contains("VEXO_80\r.DAT"), 0);
}

}  // namespace
}  // namespace quispor::removal
