// The shipped 32-bit Vantrel.exe with the 32-bit stand-ins, on a machine
// whose Wine runs 32-bit programs only through qemu-user (tests/wine/
// qemu-smoke.sh prepares that and names the program folder). Emulated, the
// program takes about a minute to start, and its memory cannot be read from
// here: it is driven only with messages that Wine carries across processes
// (texts, combo items, clicks, item counts).
#include <gtest/gtest.h>

#include <string>

#include "console/win32/resource.h"
#include "tests/e2e/console/ConsoleRegistry.h"
#include "tests/e2e/driver/TestDriver.h"

namespace vantrel::e2e {
namespace {

constexpr DWORD kStartMs = 300000;
constexpr DWORD kStepMs = 120000;

// TVM_GETCOUNT carries no pointer, so it crosses into the emulated process.
LRESULT TreeCount(HWND tree) {
  DWORD_PTR count = 0;
  return SendMessageTimeoutW(tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 30000, &count) ? static_cast<LRESULT>(count) : -1;
}

void CopyInto(const std::wstring& from, const std::wstring& folder, const wchar_t* name) {
  const std::wstring target = folder + name;
  ASSERT_TRUE(CopyFileW((from + L"\\" + name).c_str(), target.c_str(), FALSE))
      << "cannot copy " << std::string(target.begin(), target.end()) << ": " << GetLastError();
}

TEST(VantrelSmoke32, StartsShowsTheDevicesSavesIntoThe32BitViewAndCloses) {
  const std::string programDir = kit::e2e::EnvVar("KIT_SMOKE_PROGRAM_DIR");
  if (programDir.empty()) GTEST_SKIP() << "KIT_SMOKE_PROGRAM_DIR is not set (run by tests/wine/qemu-smoke.sh)";

  // KIT_SMOKE_VIEW=64 lets a developer try the same steps on the x86-64 build.
  UseRegistryView(kit::e2e::EnvVar("KIT_SMOKE_VIEW") == "64" ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
  ClearProfiles();
  PutSz(L"Front", L"DeviceName", L"Front");
  PutDword(L"Front", L"ProtocolType", 0);
  PutSz(L"Back", L"DeviceName", L"Back");
  PutDword(L"Back", L"ProtocolType", 1);

  const std::wstring folder = L"C:\\kit-smoke32\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring from = kit::e2e::WindowsPathOf(programDir);
  for (const wchar_t* name : {L"Vantrel.exe", L"OPOSPOSPrinter.ocx", L"SOZELTANO.dll"}) {
    ASSERT_NO_FATAL_FAILURE(CopyInto(from, folder, name));
  }

  kit::e2e::App app = kit::e2e::App::Start(folder + L"Vantrel.exe");
  const HWND main = app.WaitForWindow(L"TMainFM", L"ZELTANOOpos", kStartMs);
  ASSERT_NE(main, nullptr) << "no console window within " << kStartMs / 1000 << " s";
  const HWND tree = kit::e2e::FindControlById(main, IDC_DEVTREE);
  // The class node and its two devices.
  EXPECT_TRUE(kit::e2e::WaitUntil([&] { return TreeCount(tree) == 3; }, kStepMs)) << TreeCount(tree) << " tree items";
  kit::e2e::SaveScreenshot("console32-qemu-start");

  auto control = [&](int id) { return kit::e2e::FindControlById(main, id); };
  kit::e2e::SetText(control(IDC_EDTDEVNAME), L"Lane");
  kit::e2e::ChooseComboItem(control(IDC_CBCONN), 1);
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return kit::e2e::IsShown(control(IDC_EDTIP)); }, kStepMs));
  kit::e2e::SetText(control(IDC_EDTIP), L"10.2.3.4");
  kit::e2e::SetText(control(IDC_EDTPORT), L"9100");
  kit::e2e::Click(control(IDC_BTNSAVE));
  EXPECT_TRUE(kit::e2e::WaitUntil([&] { return ValueNames(L"Lane").size() == 14; }, kStepMs))
      << ValueNames(L"Lane").size() << " values in the 32-bit view";
  EXPECT_TRUE(HasSz(L"Lane", L"DeviceName", L"Lane"));
  EXPECT_TRUE(HasSz(L"Lane", L"TcpIp", L"10.2.3.4"));
  EXPECT_TRUE(HasDword(L"Lane", L"TcpPort", 9100));
  EXPECT_TRUE(HasDword(L"Lane", L"ProtocolType", 1));
  EXPECT_TRUE(kit::e2e::WaitUntil([&] { return TreeCount(tree) == 4; }, kStepMs)) << TreeCount(tree) << " tree items";
  kit::e2e::SaveScreenshot("console32-qemu-saved");

  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD code = 0xdeadbeef;
  EXPECT_TRUE(app.WaitForExit(kStepMs, &code)) << "the console did not close";
  EXPECT_EQ(code, 0u);
  ClearProfiles();
}

}  // namespace
}  // namespace vantrel::e2e
