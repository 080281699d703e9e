// "CheckHealth" in the real Vantrel.exe against the stand-in control and
// service object: the box the user sees and the calls the control received.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/win32/resource.h"
#include "tests/e2e/console-health/HealthSession.h"
#include "tests/e2e/console/ConsoleRegistry.h"

namespace vantrel::e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::vector<std::string> kFullSequence = ControlAndService(
    {"Open(Counter)", "ClaimDevice(5000)", "DeviceEnabled=true", "CheckHealth(3)", "DeviceEnabled=false",
     "ReleaseDevice", "Close"});

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

::testing::AssertionResult IsInformationBox(const std::optional<kit::e2e::MessageBoxInfo>& box,
                                            const std::wstring& caption, const std::wstring& text) {
  if (!box) return ::testing::AssertionFailure() << "no message box appeared";
  if (box->caption != caption || box->text != text || box->buttons != std::vector<std::wstring>{L"OK"} ||
      box->hasIcon) {
    auto failure = ::testing::AssertionFailure();
    failure << "box \"" << Narrow(box->text) << "\" captioned \"" << Narrow(box->caption) << "\", "
            << box->buttons.size() << " button(s)";
    if (!box->buttons.empty()) failure << " first \"" << Narrow(box->buttons.front()) << "\"";
    return failure << (box->hasIcon ? ", with an icon" : ", no icon");
  }
  return ::testing::AssertionSuccess();
}

class CheckHealthTest : public HealthSession {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(HealthSession::SetUp());
    // Written before the start, so that the tree shows the device.
    PutSavedDevice(L"Counter");
    ASSERT_NO_FATAL_FAILURE(StartVantrel(Components::Both));
    ClearCallLog();  // the registration at start wrote to it
  }

  // Clicks "CheckHealth" and waits for the box it opens.
  std::optional<kit::e2e::MessageBoxInfo> PressCheckHealth() {
    kit::e2e::Click(Ctl(IDC_BTNTEST));
    return kit::e2e::WaitForMessageBox(app->pid());
  }
  void Dismiss(const std::optional<kit::e2e::MessageBoxInfo>& box) {
    ASSERT_TRUE(box);
    kit::e2e::AnswerMessageBox(*box, IDOK);
  }
  // The calls after a box come once it is dismissed: waits for that many
  // lines, then a little longer so that a call too many shows as well.
  std::vector<std::string> CallLogOnceItHas(std::size_t lines) {
    kit::e2e::WaitUntil([&] { return CallLog().size() >= lines; }, 5000);
    Sleep(300);
    return CallLog();
  }
};

TEST_F(CheckHealthTest, AHealthyDeviceShowsOkAfterTheWholeSequence) {
  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
  const auto box = PressCheckHealth();
  kit::e2e::SaveScreenshot("console-health-01-ok");
  EXPECT_TRUE(IsInformationBox(box, L"Information", L"CheckHealth OK"));
  ASSERT_NO_FATAL_FAILURE(Dismiss(box));
  EXPECT_THAT(CallLogOnceItHas(kFullSequence.size()), ElementsAreArray(kFullSequence));
  EXPECT_TRUE(StillRunning());
}

TEST_F(CheckHealthTest, AFailedCheckShowsFailAndStillReleasesAndCloses) {
  PutDword(L"Counter", L"StandInHealthResult", 111);
  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
  const auto box = PressCheckHealth();
  kit::e2e::SaveScreenshot("console-health-02-fail");
  EXPECT_TRUE(IsInformationBox(box, L"Information", L"CheckHealth Fail"));
  ASSERT_NO_FATAL_FAILURE(Dismiss(box));
  EXPECT_THAT(CallLogOnceItHas(kFullSequence.size()), ElementsAreArray(kFullSequence));
}

TEST_F(CheckHealthTest, AnOpenFailureIsNeitherClaimedNorClosed) {
  PutDword(L"Counter", L"StandInOpenResult", 107);
  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
  const auto box = PressCheckHealth();
  kit::e2e::SaveScreenshot("console-health-03-cannot-open");
  EXPECT_TRUE(IsInformationBox(box, L"Error", L"Can not open device"));
  ASSERT_NO_FATAL_FAILURE(Dismiss(box));
  EXPECT_THAT(CallLogOnceItHas(2), ElementsAreArray(ControlAndService({"Open(Counter)"})));
}

TEST_F(CheckHealthTest, ATypedNameIsPassedAsItStands) {
  kit::e2e::SetText(Ctl(IDC_EDTDEVNAME), L"Nobody Here");
  const auto box = PressCheckHealth();
  EXPECT_TRUE(IsInformationBox(box, L"Error", L"Can not open device"));
  ASSERT_NO_FATAL_FAILURE(Dismiss(box));
  // The control finds no such profile and never reaches a service object.
  EXPECT_THAT(CallLogOnceItHas(1), ElementsAre("CO Open(Nobody Here)"));
}

TEST_F(CheckHealthTest, AClaimFailureClosesOnlyOnceTheBoxIsDismissed) {
  PutDword(L"Counter", L"StandInClaimResult", 102);
  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
  const auto box = PressCheckHealth();
  kit::e2e::SaveScreenshot("console-health-04-cannot-claim");
  EXPECT_TRUE(IsInformationBox(box, L"Error", L"Can not claim device"));
  EXPECT_THAT(CallLog(), ElementsAreArray(ControlAndService({"Open(Counter)", "ClaimDevice(5000)"})));
  ASSERT_NO_FATAL_FAILURE(Dismiss(box));
  const auto closed = ControlAndService({"Open(Counter)", "ClaimDevice(5000)", "Close"});
  EXPECT_THAT(CallLogOnceItHas(closed.size()), ElementsAreArray(closed));
}

TEST_F(CheckHealthTest, AnEmptyNameWithNoClickedNodeDoesNothing) {
  EXPECT_EQ(Text(IDC_EDTDEVNAME), L"");
  kit::e2e::Click(Ctl(IDC_BTNTEST));
  EXPECT_FALSE(kit::e2e::WaitForMessageBox(app->pid(), 2000).has_value());
  EXPECT_THAT(CallLog(), IsEmpty());
  EXPECT_TRUE(StillRunning());
  // Still usable afterwards.
  ASSERT_NO_FATAL_FAILURE(ClickNode(L"Counter"));
}

TEST_F(CheckHealthTest, AnEmptyNameAfterAClickOnTheClassNodeOpensTheClassName) {
  ASSERT_NO_FATAL_FAILURE(ClickNode(L"POSPrinter", false));
  ASSERT_EQ(Text(IDC_EDTDEVNAME), L"");
  const auto box = PressCheckHealth();
  EXPECT_TRUE(IsInformationBox(box, L"Error", L"Can not open device"));
  ASSERT_NO_FATAL_FAILURE(Dismiss(box));
  EXPECT_THAT(CallLogOnceItHas(1), ElementsAre("CO Open(POSPrinter)"));
}

}  // namespace
}  // namespace vantrel::e2e
