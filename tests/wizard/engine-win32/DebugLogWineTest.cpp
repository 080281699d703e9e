// WriteDebugLog with the real C runtime and files on drive C.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "wizard/engine/DebugLog.h"

namespace quispor {
namespace {

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return "<no file>";
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const char* path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class DebugLogWineTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    SetFileAttributesA(kDebugLogPath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(kDebugLogPath);
    DeleteFileA(kDebugFlagPath);
  }
};

TEST_F(DebugLogWineTest, WithoutTheFlagFileNoLogIsCreated) {
  WriteDebugLog(u"RestartSpooler Enter\r\n");
  EXPECT_EQ(GetFileAttributesA(kDebugLogPath), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DebugLogWineTest, WithTheFlagFileTheExactBytesAreAppended) {
  WriteBytes(kDebugFlagPath, "");
  WriteDebugLog(u"RestartSpooler,error=0x5\r\n");
  WriteDebugLog(u"RestartSpooler QueryServiceStatus break");
  WriteDebugLog(u"");
  WriteDebugLog(u"a\nb");
  EXPECT_EQ(ReadAll(kDebugLogPath),
            "RestartSpooler,error=0x5\r\r\n\r\nRestartSpooler QueryServiceStatus break\r\n\r\na\r\nb\r\n");
}

TEST_F(DebugLogWineTest, LinesAppendToAnEarlierRunAndLongLinesStayWhole) {
  WriteBytes(kDebugFlagPath, "flag content is never read");
  WriteBytes(kDebugLogPath, "earlier run\r\n");
  const std::u16string longLine(700, u'L');
  WriteDebugLog(longLine.c_str());
  EXPECT_EQ(ReadAll(kDebugLogPath), "earlier run\r\n" + std::string(700, 'L') + "\r\n");
}

TEST_F(DebugLogWineTest, TextIsStoredInTheAnsiCodePage) {
  WriteBytes(kDebugFlagPath, "");
  WriteDebugLog(u"SetUSBPortName: \u524d\u53f0 Caf\u00e9 \u0e01");
  if (GetACP() == 1252) {
    EXPECT_EQ(ReadAll(kDebugLogPath), "SetUSBPortName: ?? Caf\xE9 ?\r\n");  // neither Chinese nor Thai in 1252
  } else if (GetACP() == 936) {
    EXPECT_EQ(ReadAll(kDebugLogPath), "SetUSBPortName: \xC7\xB0\xCC\xA8 Caf\xA8\xA6 ?\r\n");  // no Thai in 936
  } else {
    GTEST_SKIP() << "no expectation for ANSI code page " << GetACP();
  }
}

TEST_F(DebugLogWineTest, FlagFileCountsFromTheNextLine) {
  WriteDebugLog(u"before");
  WriteBytes(kDebugFlagPath, "");
  WriteDebugLog(u"during");
  DeleteFileA(kDebugFlagPath);
  WriteDebugLog(u"after");
  EXPECT_EQ(ReadAll(kDebugLogPath), "during\r\n");
}

TEST_F(DebugLogWineTest, ReadOnlyLogReceivesLinesAgainOnceWritable) {
  WriteBytes(kDebugFlagPath, "");
  WriteBytes(kDebugLogPath, "");
  ASSERT_TRUE(SetFileAttributesA(kDebugLogPath, FILE_ATTRIBUTE_READONLY));
  HANDLE probe = CreateFileA(kDebugLogPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    // Wine keeps the attribute as Unix permissions, which do not bind root.
    CloseHandle(probe);
    GTEST_SKIP() << "this system lets a read-only file be opened for writing";
  }
  WriteDebugLog(u"lost to stdout");
  EXPECT_EQ(ReadAll(kDebugLogPath), "");
  ASSERT_TRUE(SetFileAttributesA(kDebugLogPath, FILE_ATTRIBUTE_NORMAL));
  WriteDebugLog(u"back in the file");
  EXPECT_EQ(ReadAll(kDebugLogPath), "back in the file\r\n");
}

TEST_F(DebugLogWineTest, NoHandleIsHeldBetweenLines) {
  WriteBytes(kDebugFlagPath, "");
  WriteDebugLog(u"one");
  // An exclusive open succeeds only when nobody holds the file.
  HANDLE exclusive = CreateFileA(kDebugLogPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE) << GetLastError();
  WriteDebugLog(u"while locked");
  CloseHandle(exclusive);
  WriteDebugLog(u"two");
  EXPECT_EQ(ReadAll(kDebugLogPath), "one\r\ntwo\r\n");
}

}  // namespace
}  // namespace quispor
