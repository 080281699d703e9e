// The registration of the OPOS components at every start of the real
// Vantrel.exe, seen from outside: what COM resolves afterwards, where the
// class points, and what a health check does without the control.
#include <objbase.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/win32/resource.h"
#include "tests/e2e/console-health/HealthSession.h"
#include "tests/e2e/console/ConsoleRegistry.h"

namespace vantrel::e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

::testing::AssertionResult Resolves(const wchar_t* progId) {
  CLSID clsid = {};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (hr != S_OK) return ::testing::AssertionFailure() << "CLSIDFromProgID returned 0x" << std::hex << hr;
  return ::testing::AssertionSuccess();
}

std::wstring InprocServerOf(const wchar_t* classKey) {
  wchar_t path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  const std::wstring key = std::wstring(L"CLSID\\") + classKey + L"\\InprocServer32";
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS) {
    return L"";
  }
  return path;
}

const wchar_t kControlClassKey[] = L"{CCB90152-B81E-11D2-AB74-0040054C3719}";

class RegistrationTest : public HealthSession {};

TEST_F(RegistrationTest, BothComponentsBesideTheProgramAreRegisteredAtStart) {
  ASSERT_FALSE(Resolves(kControlProgId));
  ASSERT_FALSE(Resolves(kServiceObjectProgId));
  ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::Both));
  kit::e2e::SaveScreenshot("console-health-10-registered");

  EXPECT_THAT(CallLog(), ElementsAre("CO DllRegisterServer", "SO DllRegisterServer"));
  EXPECT_TRUE(Resolves(kControlProgId));
  EXPECT_TRUE(Resolves(kServiceObjectProgId));
  CLSID clsid = {};
  ASSERT_EQ(CLSIDFromProgID(kControlProgId, &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, kControlClsid));
  // Registered from the program's own folder.
  EXPECT_EQ(InprocServerOf(kControlClassKey), folder + kControlFile);
  // Nothing is shown at start.
  EXPECT_FALSE(kit::e2e::WaitForMessageBox(app->pid(), 1000).has_value());
}

TEST_F(RegistrationTest, WithOnlyTheServiceObjectOnlyItIsRegistered) {
  ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::ServiceObjectOnly));
  EXPECT_THAT(CallLog(), ElementsAre("SO DllRegisterServer"));
  EXPECT_FALSE(Resolves(kControlProgId));
  EXPECT_TRUE(Resolves(kServiceObjectProgId));
  EXPECT_FALSE(kit::e2e::WaitForMessageBox(app->pid(), 1000).has_value());
}

TEST_F(RegistrationTest, WithNeitherFileNothingIsRegisteredAndTheTreeIsStillBuilt) {
  PutSavedDevice(L"Counter");
  ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::None));
  EXPECT_THAT(CallLog(), IsEmpty());
  EXPECT_FALSE(Resolves(kControlProgId));
  EXPECT_FALSE(Resolves(kServiceObjectProgId));
  ASSERT_TRUE(kit::e2e::WaitUntil([&] { return kit::e2e::TreeItems(Ctl(IDC_DEVTREE)).size() == 2; }));
  EXPECT_EQ(kit::e2e::TreeItems(Ctl(IDC_DEVTREE))[1].text, L"Counter");
  EXPECT_FALSE(kit::e2e::WaitForMessageBox(app->pid(), 1000).has_value());
}

// The error display: the program's title, a stop icon, the COM error with
// its HRESULT and the "." the display adds.
const wchar_t kControlMissingText[] =
    L"Cannot create the OPOS POSPrinter control {CCB90152-B81E-11D2-AB74-0040054C3719}: "
    L"CoCreateInstance returned HRESULT 0x80040154.";

TEST_F(RegistrationTest, AHealthCheckWithoutTheControlShowsTheComErrorInTheErrorDisplay) {
  PutSavedDevice(L"Counter");
  ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::ServiceObjectOnly));
  ASSERT_FALSE(Resolves(kControlProgId));
  ClearCallLog();

  // The control is created before the name is looked at, so even an empty
  // name with no clicked node reports it.
  ASSERT_EQ(Text(IDC_EDTDEVNAME), L"");
  kit::e2e::Click(Ctl(IDC_BTNTEST));
  auto box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kControlMissingText);
  kit::e2e::AnswerMessageBox(*box, IDOK);

  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
  kit::e2e::Click(Ctl(IDC_BTNTEST));
  box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-health-11-no-control");
  EXPECT_EQ(box->caption, L"Vantrel");
  EXPECT_EQ(box->text, kControlMissingText);
  EXPECT_TRUE(box->hasIcon);
  EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
  kit::e2e::AnswerMessageBox(*box, IDOK);

  EXPECT_THAT(CallLog(), IsEmpty());
  EXPECT_TRUE(StillRunning());
}

// The console runs elevated: from a folder that others may change it loads
// nothing, says so once at start and again instead of a health check.
TEST_F(RegistrationTest, AFolderOthersMayChangeRegistersNothingAndSaysWhy) {
  PutSavedDevice(L"Counter");
  ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::Both, ProgramFolder::OthersMayChange));
  const std::wstring why = L"The OPOS components were not registered: " + folder.substr(0, folder.size() - 1) +
                           L" can be changed by users who are not administrators. Copy Vantrel into a folder "
                           L"that only administrators can change, such as Program Files.";
  auto box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  kit::e2e::SaveScreenshot("console-health-12-folder-others-may-change");
  EXPECT_EQ(box->text, why);
  EXPECT_EQ(box->caption, L"Vantrel");
  kit::e2e::AnswerMessageBox(*box, IDOK);
  EXPECT_FALSE(kit::e2e::WaitForMessageBox(app->pid(), 1000).has_value());
  EXPECT_THAT(CallLog(), IsEmpty());
  EXPECT_FALSE(Resolves(kControlProgId));
  EXPECT_FALSE(Resolves(kServiceObjectProgId));

  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
  kit::e2e::Click(Ctl(IDC_BTNTEST));
  box = kit::e2e::WaitForMessageBox(app->pid());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, why);
  kit::e2e::AnswerMessageBox(*box, IDOK);
  EXPECT_THAT(CallLog(), IsEmpty());
  EXPECT_TRUE(StillRunning());
}

}  // namespace
}  // namespace vantrel::e2e
