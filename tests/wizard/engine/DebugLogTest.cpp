#include "wizard/engine/DebugLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"

namespace quispor {
namespace {

class DebugLogTest : public ::testing::Test {
 protected:
  void SetUp() override { BindDebugLog(codePage_, files_); }
  void TearDown() override {
    UnbindDebugLog();
    EXPECT_EQ(files_.OpenStreams(), 0u) << "a log handle was left open";
  }

  void RaiseFlag() { files_.File(kDebugFlagPath); }
  void LowerFlag() { files_.files.erase(kDebugFlagPath); }
  std::string Log() { return files_.Exists(kDebugLogPath) ? files_.File(kDebugLogPath).bytes : "<no file>"; }

  kit::fakes::FakeCodePage codePage_;
  kit::fakes::FakeCrtFiles files_;
};

TEST_F(DebugLogTest, WithoutTheFlagFileNothingIsWritten) {
  WriteDebugLog(u"RestartSpooler Enter\r\n");
  EXPECT_EQ(Log(), "<no file>");
  EXPECT_EQ(files_.standardOutput, "");
  EXPECT_EQ(files_.calls, (std::vector<std::string>{"fopen(\"C:\\Nimbel_Driver_Debug_Flag.txt\", \"rb\")"}));
}

TEST_F(DebugLogTest, ConvertsTestsTheFlagThenAppendsInTextModeSharedAndCloses) {
  RaiseFlag();
  WriteDebugLog(u"GetMyForms:: formNum zero\r\n");
  EXPECT_EQ(codePage_.calls,
            (std::vector<std::string>{"WideCharToMultiByte(cp=0, flags=0, length=-1, size=0, default=null)",
                                      "WideCharToMultiByte(cp=0, flags=0, length=-1, size=259, default=null)"}));
  EXPECT_EQ(files_.calls, (std::vector<std::string>{
                              "fopen(\"C:\\Nimbel_Driver_Debug_Flag.txt\", \"rb\")",
                              "fclose(\"C:\\Nimbel_Driver_Debug_Flag.txt\")",
                              "_fsopen(\"C:\\My_Debug_Driver_Log.txt\", \"a\", 64)",
                              "fwrite(\"C:\\My_Debug_Driver_Log.txt\", 27)",
                              "fwrite(\"C:\\My_Debug_Driver_Log.txt\", 1)",
                              "fflush(\"C:\\My_Debug_Driver_Log.txt\")",
                              "fclose(\"C:\\My_Debug_Driver_Log.txt\")",
                          }));
}

TEST_F(DebugLogTest, StoredBytesFollowTextModeLineEnds) {
  RaiseFlag();
  WriteDebugLog(u"RestartSpooler,error=0x5\r\n");
  EXPECT_EQ(Log(), "RestartSpooler,error=0x5\r\r\n\r\n");
  files_.File(kDebugLogPath).bytes.clear();
  WriteDebugLog(u"RestartSpooler QueryServiceStatus break");
  WriteDebugLog(u"");
  WriteDebugLog(u"a\nb");
  EXPECT_EQ(Log(), "RestartSpooler QueryServiceStatus break\r\n\r\na\r\nb\r\n");
}

TEST_F(DebugLogTest, CharactersOutsideTheCodePageBecomeItsDefaultCharacter) {
  RaiseFlag();
  WriteDebugLog(u"SetUSBPortName: 前台 Caf\u00e9 \u20ac");
  EXPECT_EQ(Log(), "SetUSBPortName: ?? Caf\xE9 ?\r\n");
}

TEST_F(DebugLogTest, LinesAppendToWhatEarlierRunsLeft) {
  RaiseFlag();
  files_.File(kDebugLogPath).bytes = "first run\r\n";
  WriteDebugLog(u"second run");
  EXPECT_EQ(Log(), "first run\r\nsecond run\r\n");
}

TEST_F(DebugLogTest, FlagFileCountsFromTheNextLine) {
  WriteDebugLog(u"before\r\n");
  RaiseFlag();
  WriteDebugLog(u"during");
  LowerFlag();
  WriteDebugLog(u"after");
  EXPECT_EQ(Log(), "during\r\n");
}

TEST_F(DebugLogTest, UnreadableFlagFileCountsAsMissing) {
  RaiseFlag();
  files_.File(kDebugFlagPath).heldWithoutSharing = true;
  WriteDebugLog(u"hidden");
  EXPECT_EQ(Log(), "<no file>");
}

TEST_F(DebugLogTest, ReadOnlyLogSendsLinesToStdoutUntilWritableAgain) {
  RaiseFlag();
  files_.File(kDebugLogPath).readOnly = true;
  WriteDebugLog(u"one\r\n");
  WriteDebugLog(u"two");
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(files_.standardOutput, "one\r\n\ntwo\n");
  files_.File(kDebugLogPath).readOnly = false;
  WriteDebugLog(u"three");
  EXPECT_EQ(Log(), "three\r\n");
  EXPECT_EQ(files_.standardOutput, "one\r\n\ntwo\n");
}

TEST_F(DebugLogTest, LockedLogAndFailedWritesAlsoReachStdout) {
  RaiseFlag();
  files_.File(kDebugLogPath).heldWithoutSharing = true;
  WriteDebugLog(u"locked");
  files_.File(kDebugLogPath).heldWithoutSharing = false;
  files_.File(kDebugLogPath).failWrites = true;
  WriteDebugLog(u"disk full");
  EXPECT_EQ(files_.standardOutput, "locked\ndisk full\n");
  files_.File(kDebugLogPath).failWrites = false;
  WriteDebugLog(u"space again");
  EXPECT_EQ(Log(), "space again\r\n");
}

TEST_F(DebugLogTest, LongLinesAreWrittenWhole) {
  RaiseFlag();
  const std::u16string longLine(600, u'x');
  WriteDebugLog(longLine.c_str());
  EXPECT_EQ(Log(), std::string(600, 'x') + "\r\n");
  files_.File(kDebugLogPath).bytes.clear();
  WriteDebugLog(std::u16string(258, u'y').c_str());
  WriteDebugLog(std::u16string(259, u'z').c_str());
  EXPECT_EQ(Log(), std::string(258, 'y') + "\r\n" + std::string(259, 'z') + "\r\n");
}

TEST_F(DebugLogTest, UnboundLogUsesTheHostTreesInertServices) {
  UnbindDebugLog();
  RaiseFlag();
  WriteDebugLog(u"goes nowhere");
  EXPECT_EQ(Log(), "<no file>");
  EXPECT_TRUE(files_.calls.empty());
  WriteDebugLog(static_cast<const char16_t*>(nullptr));
}

}  // namespace
}  // namespace quispor
