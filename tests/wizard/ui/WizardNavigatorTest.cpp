#include "wizard/ui/navigation/WizardNavigator.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/wizard/ui/EnglishTexts.h"
#include "tests/wizard/ui/RecordingHost.h"

namespace quispor {
namespace {

using ::testing::ElementsAre;
using testing::RecordingHost;

constexpr char kNoAdmin[] = "Please run this program as an administrator.";
constexpr char kPortNull[] =
    "Please select a port for printer.Please connect the printer USB to the computer and turn on "
    "the power.";

class WizardNavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::UseLanguage(0x0409); }

  // A host through its initialisation, with the log emptied.
  void Start(const char16_t* configCaption = nullptr) {
    nav.BeginInitialise([configCaption](char16_t* title) {
      if (configCaption != nullptr) CopyWideText(title, kWideTextCapacity, configCaption);
    });
    nav.FinishInitialise();
    host.TakeCalls();
  }

  // Drives the machine to a step along the usual path.
  void GoToPorts() {
    Start();
    nav.OnNext();
    host.TakeCalls();
  }
  void GoToPortPage(PortKind kind) {
    GoToPorts();
    selections.portKind = kind;
    nav.OnNext();
    host.TakeCalls();
  }
  void GoToFinishAfterInstall() {
    GoToPortPage(PORT_COM);
    host.portToRead = u"COM1:";
    nav.OnNext();
    host.TakeCalls();
  }

  // What a button's handler does around its work: the host busy, then the
  // buttons as the step tables leave them, then idle.
  static std::vector<std::string> Handled(std::vector<std::string> work, bool backEnabled) {
    work.insert(work.begin(), "Busy");
    work.push_back(backEnabled ? "EnableBack" : "DisableBack");
    work.push_back("EnableNext");
    work.push_back("Idle");
    return work;
  }

  RecordingHost host;
  WizardSelections selections;
  WizardNavigator nav{host, host, host, selections};
};

TEST_F(WizardNavigatorTest, InitialisationSetsBuiltInTitleButtonsAndShowsChoicePage) {
  nav.BeginInitialise([](char16_t* title) { EXPECT_EQ(title[0], 0); });
  EXPECT_THAT(host.TakeCalls(),
              ElementsAre("SetTitle(VEXO Printer Driver Install v1.25)", "BackText(Last Step)",
                          "NextText(Next Step)", "DisableBack"));
  EXPECT_EQ(nav.step(), STEP_CHOICE);
  nav.FinishInitialise();
  EXPECT_THAT(host.TakeCalls(), ElementsAre("Show(Choice)"));
}

TEST_F(WizardNavigatorTest, ConfiguredCaptionReplacesTitleAndCaptionsAccessBox) {
  Start(u"Front Desk Setup");
  EXPECT_EQ(host.title, "Front Desk Setup");
  host.accessResult = 5;
  nav.OnNext();
  EXPECT_EQ(host.TakeCalls(), Handled({"IsUninstallChosen", "CheckIsManageAccess",
                                       std::string("FreeBox(") + kNoAdmin + "|Front Desk Setup)"},
                                      false));
  EXPECT_EQ(nav.step(), STEP_CHOICE);
}

TEST_F(WizardNavigatorTest, UnterminatedCaptionFromLoaderIsCutNotOverrun) {
  nav.BeginInitialise([](char16_t* title) {
    for (size_t i = 0; i < kWideTextCapacity; ++i) title[i] = u'x';
  });
  EXPECT_EQ(host.title, std::string(kWideTextCapacity - 1, 'x'));
}

TEST_F(WizardNavigatorTest, AccessDeniedKeepsChoicePageEveryTime) {
  Start();
  host.accessResult = 5;
  const std::vector<std::string> refused =
      Handled({"IsUninstallChosen", "CheckIsManageAccess",
               std::string("FreeBox(") + kNoAdmin + "|VEXO Printer Driver Install v1.25)"},
              false);
  nav.OnNext();
  EXPECT_EQ(host.TakeCalls(), refused);
  nav.OnNext();
  EXPECT_EQ(host.TakeCalls(), refused);
  EXPECT_EQ(nav.step(), STEP_CHOICE);
}

TEST_F(WizardNavigatorTest, OtherAccessFailuresLetTheWizardGoOn) {
  for (uint32_t code : {2u, 1314u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(code);
    WizardNavigator fresh{host, host, host, selections};
    fresh.BeginInitialise({});
    host.TakeCalls();
    host.accessResult = code;
    fresh.OnNext();
    EXPECT_EQ(fresh.step(), STEP_PORTS);
    host.TakeCalls();
  }
}

TEST_F(WizardNavigatorTest, NextOnChoiceWithInstallShowsPortsPage) {
  Start();
  nav.OnNext();
  EXPECT_EQ(host.TakeCalls(), Handled({"IsUninstallChosen", "CheckIsManageAccess", "Hide(Choice)", "Show(Ports)"},
                                      true));
  EXPECT_EQ(nav.step(), STEP_PORTS);
  EXPECT_FALSE(selections.uninstall);
}

TEST_F(WizardNavigatorTest, UninstallGoesStraightToFinishWithBackDisabled) {
  Start();
  host.uninstallChosen = true;
  nav.OnNext();
  EXPECT_EQ(host.TakeCalls(), Handled({"IsUninstallChosen", "CheckIsManageAccess", "Hide(Choice)",
                                       "Show(Finish)", "RunUninstall"},
                                      false));
  EXPECT_EQ(nav.step(), STEP_FINISH);
  EXPECT_TRUE(selections.uninstall);
  EXPECT_FALSE(host.backEnabled);
  nav.OnNext();
  // The window is gone: nothing is set on it after the close.
  EXPECT_THAT(host.TakeCalls(), ElementsAre("Busy", "IsUninstallChosen", "Close(129)"));
  EXPECT_EQ(host.exitCode, 129);
}

TEST_F(WizardNavigatorTest, NextOnPortsPageOpensThePageOfThePortKind) {
  struct Row {
    PortKind kind;
    WizardStep step;
    std::vector<std::string> calls;
  };
  const Row rows[] = {
      {PORT_USB, STEP_USB, Handled({"IsUninstallChosen", "Hide(Ports)", "RefreshUsbPorts", "Show(Usb)"}, true)},
      {PORT_ENET, STEP_ENET, Handled({"IsUninstallChosen", "Hide(Ports)", "Show(Enet)"}, true)},
      {PORT_COM, STEP_COM, Handled({"IsUninstallChosen", "Hide(Ports)", "Show(Com)"}, true)},
      {PORT_LPT, STEP_LPT, Handled({"IsUninstallChosen", "Hide(Ports)", "Show(Lpt)"}, true)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    GoToPorts();
    selections.portKind = row.kind;
    nav.OnNext();
    EXPECT_EQ(nav.step(), row.step);
    EXPECT_EQ(host.TakeCalls(), row.calls);
  }
}

TEST_F(WizardNavigatorTest, EmptyPortNameShowsPortNullBoxCaptionedWithModelName) {
  for (PortKind kind : {PORT_USB, PORT_ENET, PORT_COM, PORT_LPT}) {
    SCOPED_TRACE(kind);
    GoToPortPage(kind);
    const WizardStep step = nav.step();
    CopyWideText(selections.modelName, kWideTextCapacity, u"VEXO_58");
    CopyWideText(selections.portName, kWideTextCapacity, u"stale");
    host.portToRead.clear();
    nav.OnNext();
    const std::string page = testing::PageName(PortPageOf(step));
    EXPECT_EQ(host.TakeCalls(), Handled({"IsUninstallChosen", "ReadPortName(" + page + ")",
                                         std::string("OwnedBox(") + kPortNull + "|VEXO_58)"},
                                        true));
    EXPECT_EQ(host.portNameOnEntry, u"") << "portName is emptied before the page fills it";
    EXPECT_EQ(nav.step(), step);
  }
}

TEST_F(WizardNavigatorTest, ChosenPortHidesPageShowsFinishAndRunsInstall) {
  for (PortKind kind : {PORT_USB, PORT_ENET, PORT_COM, PORT_LPT}) {
    SCOPED_TRACE(kind);
    GoToPortPage(kind);
    const std::string page = testing::PageName(PortPageOf(nav.step()));
    host.portToRead = u"USB001";
    nav.OnNext();
    EXPECT_EQ(host.TakeCalls(), Handled({"IsUninstallChosen", "ReadPortName(" + page + ")", "Hide(" + page + ")",
                                         "Show(Finish)", "RunInstall"},
                                        true));
    EXPECT_EQ(host.installedPort, "USB001");
    EXPECT_EQ(nav.step(), STEP_FINISH);
    EXPECT_TRUE(host.backEnabled);
  }
}

TEST_F(WizardNavigatorTest, UninstallFlagIsReadAtEveryNextWhateverTheStep) {
  GoToPortPage(PORT_LPT);
  host.uninstallChosen = true;  // the hidden choice page still says uninstall
  host.portToRead = u"LPT1:";
  nav.OnNext();
  EXPECT_TRUE(selections.uninstall);
  EXPECT_EQ(nav.step(), STEP_FINISH);
  const std::vector<std::string> calls = host.TakeCalls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "RunInstall"), calls.end()) << "only STEP_CHOICE acts on the flag";
}

TEST_F(WizardNavigatorTest, BackOnEachStep) {
  Start();
  nav.OnBack();
  EXPECT_EQ(host.TakeCalls(), Handled({}, false));
  EXPECT_EQ(nav.step(), STEP_CHOICE);

  GoToPorts();
  nav.OnBack();
  EXPECT_EQ(host.TakeCalls(), Handled({"RefreshPrinterScan", "Preselect", "Show(Choice)", "Hide(Ports)"}, false));
  EXPECT_EQ(nav.step(), STEP_CHOICE);

  for (PortKind kind : {PORT_USB, PORT_ENET, PORT_COM, PORT_LPT}) {
    SCOPED_TRACE(kind);
    GoToPortPage(kind);
    const std::string page = testing::PageName(PortPageOf(nav.step()));
    nav.OnBack();
    EXPECT_EQ(host.TakeCalls(), Handled({"Hide(" + page + ")", "Show(Ports)"}, true));
    EXPECT_EQ(nav.step(), STEP_PORTS);
  }

  GoToFinishAfterInstall();
  nav.OnBack();
  EXPECT_EQ(host.TakeCalls(),
            Handled({"BackText(Last Step)", "NextText(Next Step)", "Hide(Finish)", "Show(Ports)"}, true));
  EXPECT_EQ(nav.step(), STEP_PORTS);
}

TEST_F(WizardNavigatorTest, BackOnFinishAfterRemovalGoesToPortsAndEnablesBack) {
  Start();
  host.uninstallChosen = true;
  nav.OnNext();
  host.TakeCalls();
  nav.OnBack();
  EXPECT_EQ(nav.step(), STEP_PORTS);
  EXPECT_TRUE(host.backEnabled);
}

TEST_F(WizardNavigatorTest, SecondInstallationInOneRun) {
  GoToFinishAfterInstall();
  nav.OnBack();
  nav.OnNext();  // ports -> serial page again
  host.portToRead = u"COM2:";
  nav.OnNext();
  EXPECT_EQ(nav.step(), STEP_FINISH);
  EXPECT_EQ(host.installedPort, "COM2:");
  nav.OnNext();
  EXPECT_EQ(host.exitCode, 129);
}

TEST_F(WizardNavigatorTest, CloseCommandsEndWithTheirIdFromAnyStep) {
  for (int id : {1, 2}) {
    Start();
    nav.OnCloseCommand(id);
    EXPECT_EQ(host.exitCode, id);
    GoToPortPage(PORT_ENET);
    nav.OnCloseCommand(id);
    EXPECT_EQ(host.exitCode, id);
    GoToFinishAfterInstall();
    nav.OnCloseCommand(id);
    EXPECT_THAT(host.TakeCalls(), ElementsAre("Close(" + std::to_string(id) + ")"));
  }
}

// A click that reaches the host while a handler runs (a message box's loop
// dispatches it, or it queued up behind the sequence) lands on the buttons as
// the handler left them: a second Next at a port page would close the wizard
// with 129 before the outcome could be read.
TEST_F(WizardNavigatorTest, ClicksThatArriveWhileAHandlerRunsAreIgnored) {
  GoToPortPage(PORT_COM);
  host.portToRead = u"COM1:";
  host.whileRunning = [this] {
    EXPECT_TRUE(host.busy);
    nav.OnNext();
    nav.OnBack();
  };
  nav.OnNext();
  const std::vector<std::string> calls = host.TakeCalls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "RunInstall"), 1);
  EXPECT_EQ(nav.step(), STEP_FINISH);
  EXPECT_EQ(host.exitCode, -1);
  EXPECT_TRUE(host.backEnabled);
  EXPECT_TRUE(host.nextEnabled);
  EXPECT_FALSE(host.busy);

  // The access box of the choice page, and the removal.
  Start();
  host.accessResult = 5;
  nav.OnNext();
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "CheckIsManageAccess"), 1);
  host.accessResult = 0;
  host.uninstallChosen = true;
  host.TakeCalls();
  nav.OnNext();
  EXPECT_EQ(nav.step(), STEP_FINISH);
  EXPECT_EQ(host.exitCode, -1);
  EXPECT_FALSE(host.backEnabled) << "disabled after a removal";
  EXPECT_TRUE(host.nextEnabled);
}

TEST_F(WizardNavigatorTest, ChineseButtonTexts) {
  testing::UseLanguage(0x0804);
  nav.BeginInitialise({});
  EXPECT_EQ(host.backText, "上一步");
  EXPECT_EQ(host.nextText, "下一步");
  EXPECT_EQ(host.title, "VEXO Printer Driver Install v1.25");
  testing::UseLanguage(0x0409);
}

}  // namespace
}  // namespace quispor
