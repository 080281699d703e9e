#include "tests/e2e/console-health/HealthSession.h"

#include <objbase.h>

#include <stdexcept>

#include "console/win32/resource.h"
#include "tests/e2e/console/ConsoleRegistry.h"
#include "tests/standins/opos/StandInCallLog.h"

namespace vantrel::e2e {
namespace {

// CLSIDFromProgID and friends in the test itself.
class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};
::testing::Environment* const kComEnvironment = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

void Unregister(const wchar_t* file) {
  const std::wstring path = kit::e2e::TestExeFolder() + file;
  HMODULE module = LoadLibraryW(path.c_str());
  ASSERT_NE(module, nullptr) << "cannot load the stand-in " << std::string(path.begin(), path.end()) << ": "
                             << GetLastError();
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto unregister = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, "DllUnregisterServer")));
  const HRESULT hr = unregister ? unregister() : E_NOTIMPL;
  FreeLibrary(module);
  ASSERT_EQ(hr, S_OK);
}

void CopyBeside(const std::wstring& from, const std::wstring& to) {
  ASSERT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE))
      << "copy to " << std::string(to.begin(), to.end()) << " failed: " << GetLastError();
}

std::wstring TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return std::wstring(name.begin(), name.end());
}

}  // namespace

void UnregisterStandIns() {
  Unregister(kControlFile);
  Unregister(kServiceObjectFile);
}

void PutSavedDevice(const std::wstring& name) {
  PutSz(name, L"", L"SOZELTANO.OPOSPrinter");
  PutSz(name, L"Pid", L"");
  PutSz(name, L"DeviceClass", L"POSPrinter");
  PutSz(name, L"DeviceName", name);
  PutSz(name, L"DevType", L"");
  PutSz(name, L"TcpIp", L"");
  PutDword(name, L"TcpPort", 5100);
  PutDword(name, L"Timeout", 1000);
  PutSz(name, L"Version", L"1.13");
  PutDword(name, L"USBType", 0);
  PutSz(name, L"USBDevName", L"VID_811E&PID_0007");
  PutSz(name, L"CommName", L"COM1");
  PutDword(name, L"Baudrate", 9600);
  PutDword(name, L"ProtocolType", 2);
}

void HealthSession::SetUp() {
  ClearProfiles();
  UnregisterStandIns();
}

void HealthSession::StartVantrel(Components components, ProgramFolder where) {
  if (where == ProgramFolder::OthersMayChange) {
    folder = kit::e2e::TestExeFolder() + L"others-may-change\\";
  } else {
    // A folder per test: a program killed with the stand-ins loaded leaves
    // nothing that the next test would have to delete.
    CreateDirectoryW(L"C:\\kit-health", nullptr);
    folder = L"C:\\kit-health\\" + TestName() + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  ClearCallLog();
  const std::wstring exe = folder + L"Vantrel.exe";
  ASSERT_NO_FATAL_FAILURE(CopyBeside(kit::e2e::DistFile("Vantrel", "Vantrel.exe"), exe));
  if (components == Components::Both) {
    ASSERT_NO_FATAL_FAILURE(CopyBeside(kit::e2e::TestExeFolder() + kControlFile, folder + kControlFile));
  }
  if (components != Components::None) {
    ASSERT_NO_FATAL_FAILURE(
        CopyBeside(kit::e2e::TestExeFolder() + kServiceObjectFile, folder + kServiceObjectFile));
  }

  app.emplace(kit::e2e::App::Start(exe));
  main = app->WaitForWindow(L"TMainFM", L"ZELTANOOpos");
  ASSERT_NE(main, nullptr);
  // The tree is built after the registration, so a filled tree means the
  // start-up is over.
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return !kit::e2e::TreeItems(Ctl(IDC_DEVTREE)).empty(); }));
}

void HealthSession::TearDown() {
  if (app) app->Kill();
  ClearProfiles();
  UnregisterStandIns();
}

void HealthSession::ClickNode(const std::wstring& text, bool isDevice) {
  HWND tree = Ctl(IDC_DEVTREE);
  for (const kit::e2e::TreeItem& item : kit::e2e::TreeItems(tree)) {
    if (item.text != text) continue;
    kit::e2e::ClickTreeItem(tree, item);
    if (isDevice) {
      ASSERT_TRUE(kit::e2e::WaitUntil([&] { return Text(IDC_EDTDEVNAME) == text; }));
    } else {
      kit::e2e::WaitUntil([&] { return kit::e2e::TreeItems(tree).front().selected; }, 3000);
    }
    return;
  }
  FAIL() << "no tree node " << std::string(text.begin(), text.end());
}

bool HealthSession::StillRunning() const {
  return app && WaitForSingleObject(app->process(), 0) == WAIT_TIMEOUT && IsWindow(main);
}

std::vector<std::string> HealthSession::CallLog() const {
  return kit::standins::ReadCallLog(folder + L"opos-calls.txt");
}

void HealthSession::ClearCallLog() const { DeleteFileW((folder + L"opos-calls.txt").c_str()); }

}  // namespace vantrel::e2e
