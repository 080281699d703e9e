// The removal's package cleanup and spooler restart on Wine's real file
// system, C runtime, processes and service control manager, with a stand-in
// pnputil.exe in the system directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "wizard/engine/DebugLog.h"
#include "wizard/engine/win32/Win32Platform.h"
#include "wizard/removal/InfSearch.h"
#include "wizard/removal/PackageCleanup.h"
#include "wizard/removal/PlatformRemoval.h"
#include "wizard/removal/SpoolerRestart.h"

namespace quispor::removal {
namespace {

constexpr char kRecordPath[] = "C:\\pnputil-standin.txt";
constexpr char kExitCodePath[] = "C:\\pnputil-standin-exit.txt";

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return "<no file>";
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Utf16(const std::string& text) {
  std::string out("\xFF\xFE", 2);
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

std::wstring StandInPath() {
  std::wstring path = L"Z:";
  for (char c : std::string(KIT_PNPUTIL_STANDIN)) {
    path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  }
  return path;
}

RemovalServices Services() { return RemovalServicesOf(win32::SystemPlatform()); }

// The system's text for a code as FormatMessageA gives it, without its line end.
std::string SystemText(DWORD code) {
  char text[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                           sizeof(text), nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
  return std::string(text, n);
}

class RemovalWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    WriteBytes(kDebugFlagPath, "");
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    DeleteFileA(kDebugLogPath);
    DeleteFileA(kDebugFlagPath);
    DeleteFileA(kRecordPath);
    DeleteFileA(kExitCodePath);
    for (const char* name : {"oem1.inf", "oem2.inf", "oem3.inf"}) {
      const std::string path = std::string("C:\\windows\\inf\\") + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
  }
};

TEST_F(RemovalWineTest, InfSearchReadsReadOnlyAndUtf16FilesWithTheRealRuntime) {
  WriteBytes("C:\\windows\\inf\\oem1.inf", "[Files]\r\nVEXO_58.DAT\r\n");
  WriteBytes("C:\\windows\\inf\\oem2.inf", Utf16("[Files] VEXO_80.DAT"));
  ASSERT_TRUE(SetFileAttributesA("C:\\windows\\inf\\oem1.inf", FILE_ATTRIBUTE_READONLY));
  RemovalServices services = Services();
  EXPECT_EQ(InfContainsModel(services.files, services.codePage, u"C:\\windows\\inf\\oem1.inf", 3), 1);
  EXPECT_EQ(InfContainsModel(services.files, services.codePage, u"C:\\windows\\inf\\oem1.inf", 2), 0);
  EXPECT_EQ(InfContainsModel(services.files, services.codePage, u"C:\\windows\\inf\\oem2.inf", 2), 1);
  char16_t name[kPackageNameCapacity] = {};
  EXPECT_EQ(GetMyOemInfFile(services, name, 2), 1);
  EXPECT_EQ(std::u16string(name), u"oem2.inf");
}

TEST_F(RemovalWineTest, DeleteMyInfFileHasPnputilDeleteTheModelsPackage) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring pnputil = std::wstring(system) + L"\\pnputil.exe";
  ASSERT_TRUE(CopyFileW(StandInPath().c_str(), pnputil.c_str(), FALSE)) << GetLastError();
  WriteBytes("C:\\windows\\inf\\oem1.inf", "[Files]\r\nVEXO_58.DAT\r\n");
  WriteBytes("C:\\windows\\inf\\oem2.inf", Utf16("[Files]\r\nVEXO_80.DAT\r\n"));
  WriteBytes("C:\\windows\\inf\\oem3.inf", "[Files]\r\nVEXO_80.DAT\r\n");

  RemovalServices services = Services();
  EXPECT_EQ(DeleteMyInfFile(services, 2), 0u);

  EXPECT_TRUE(Exists("C:\\windows\\inf\\oem1.inf"));
  EXPECT_FALSE(Exists("C:\\windows\\inf\\oem2.inf"));
  EXPECT_TRUE(Exists("C:\\windows\\inf\\oem3.inf"));
  const std::string record = ReadAll(kRecordPath);
  EXPECT_NE(record.find("pnputil.exe"), std::string::npos) << record;
  EXPECT_NE(record.find("-f -d oem2.inf"), std::string::npos) << record;
  EXPECT_EQ(ReadAll(kDebugLogPath),
            "GetMyOemInfFile::searchFileName=C:\\windows\\inf\\oem*.inf\r\r\n\r\n"
            "DeleteMyInfFile::infPath=oem2.inf\r\r\n\r\n"
            "DeleteMyInfFile:: ExecuteCmdByProcess Success\r\r\n\r\n"
            "DeleteMyInfFile:: pnputil exit code=0 (" + SystemText(0) + ")\r\r\n\r\n");
  DeleteFileW(pnputil.c_str());
}

TEST_F(RemovalWineTest, APnputilInTheCurrentFolderIsNeverTheOneThatRuns) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring pnputil = std::wstring(system) + L"\\pnputil.exe";
  ASSERT_TRUE(CopyFileW(StandInPath().c_str(), pnputil.c_str(), FALSE)) << GetLastError();
  // The folder the elevated wizard was started from, with a pnputil.exe of
  // someone else's in it.
  CreateDirectoryW(L"C:\\Downloads", nullptr);
  ASSERT_TRUE(CopyFileW(StandInPath().c_str(), L"C:\\Downloads\\pnputil.exe", FALSE)) << GetLastError();
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\Downloads"));
  WriteBytes("C:\\windows\\inf\\oem2.inf", "[Files]\r\nVEXO_80.DAT\r\n");

  RemovalServices services = Services();
  EXPECT_EQ(DeleteMyInfFile(services, 2), 0u);
  SetCurrentDirectoryW(before);

  const std::string record = ReadAll(kRecordPath);
  const std::string expected = "C:\\windows\\system32\\pnputil.exe|";
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, record.c_str(),
                           static_cast<int>(std::min(record.size(), expected.size())), expected.c_str(),
                           static_cast<int>(expected.size())),
            CSTR_EQUAL)
      << record;
  EXPECT_NE(record.find("-f -d oem2.inf"), std::string::npos) << record;
  EXPECT_FALSE(Exists("C:\\windows\\inf\\oem2.inf"));
  DeleteFileW(pnputil.c_str());
  DeleteFileW(L"C:\\Downloads\\pnputil.exe");
}

// cmd /C hands pnputil's exit code on; Windows' (here Wine's) own text for
// it goes into the log.
TEST_F(RemovalWineTest, PnputilsExitCodeComesBackThroughCmdWithTheSystemsText) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring pnputil = std::wstring(system) + L"\\pnputil.exe";
  ASSERT_TRUE(CopyFileW(StandInPath().c_str(), pnputil.c_str(), FALSE)) << GetLastError();
  WriteBytes("C:\\windows\\inf\\oem2.inf", "[Files]\r\nVEXO_80.DAT\r\n");
  RemovalServices services = Services();

  WriteBytes(kExitCodePath, "5");
  EXPECT_EQ(DeleteMyInfFile(services, 2), 5u);
  EXPECT_TRUE(Exists("C:\\windows\\inf\\oem2.inf"));
  const std::string log = ReadAll(kDebugLogPath);
  const std::size_t at = log.find("DeleteMyInfFile:: pnputil exit code=5 (");
  EXPECT_NE(at, std::string::npos) << log;
  std::printf("%s\n", log.substr(at == std::string::npos ? 0 : at).c_str());

  WriteBytes(kExitCodePath, "3010");
  EXPECT_EQ(DeleteMyInfFile(services, 2), 3010u);
  EXPECT_FALSE(Exists("C:\\windows\\inf\\oem2.inf"));
  const std::string text = SystemText(3010);
  EXPECT_NE(ReadAll(kDebugLogPath).find("DeleteMyInfFile:: pnputil exit code=3010" +
                                        (text.empty() ? std::string("\r") : " (" + text + ")")),
            std::string::npos)
      << ReadAll(kDebugLogPath);
  std::printf("the system's text for 3010: \"%s\"\n", text.c_str());
  DeleteFileW(pnputil.c_str());
}

TEST_F(RemovalWineTest, NoPackageNoCommand) {
  RemovalServices services = Services();
  EXPECT_EQ(DeleteMyInfFile(services, 0), 0u);
  EXPECT_FALSE(Exists(kRecordPath));
  EXPECT_EQ(ReadAll(kDebugLogPath),
            "GetMyOemInfFile::searchFileName=C:\\windows\\inf\\oem*.inf\r\r\n\r\n"
            "GetMyOemInfFile::FindFirstFile error=2\r\r\n\r\n"
            "DeleteMyInfFile:: GetMyOemInfFile Fail\r\r\n\r\n");
}

TEST_F(RemovalWineTest, RestartSpoolerStartsTheStoppedSpoolerOfAFreshPrefix) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr) << GetLastError();
  SC_HANDLE spooler = OpenServiceA(manager, "spooler", SERVICE_QUERY_STATUS);
  ASSERT_NE(spooler, nullptr) << GetLastError();
  SERVICE_STATUS status{};
  ASSERT_TRUE(QueryServiceStatus(spooler, &status));
  const DWORD before = status.dwCurrentState;

  EXPECT_EQ(RestartSpooler(win32::SystemPlatform().serviceManager), 0u);

  ASSERT_TRUE(QueryServiceStatus(spooler, &status));
  EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_RUNNING)) << "state before: " << before;
  CloseServiceHandle(spooler);
  CloseServiceHandle(manager);
  EXPECT_EQ(ReadAll(kDebugLogPath), "RestartSpooler Enter\r\r\n\r\nRestartSpooler QueryServiceStatus break\r\n");
  std::printf("spooler state before the restart: %lu\n", static_cast<unsigned long>(before));
}

}  // namespace
}  // namespace quispor::removal
