#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/wizard/ui/EnglishTexts.h"
#include "tests/wizard/ui/FakeDialogs.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "wizard/ui/pages/ChoicePage.h"
#include "wizard/ui/pages/PortsPage.h"
#include "wizard/ui/pages/WizardIds.h"

namespace quispor {
namespace {

using ::testing::ElementsAre;
using testing::FakeDialog;

// --- choice page -------------------------------------------------------------

class ChoicePageTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::UseLanguage(0x0409); }

  // Each choice's check state and whether it can be seen.
  ::testing::AssertionResult Shows(bool uninstall) {
    const auto& install = dialog.controls[IDC_RADIO_INSTALL];
    const auto& remove = dialog.controls[IDC_RADIO_UNINSTALL];
    const auto& note = dialog.controls[IDC_UNINSTALL_INFO];
    if (install.checked == !uninstall && remove.checked == uninstall && remove.visible == uninstall &&
        note.visible == uninstall && (!install.checked || install.visible))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "install checked " << install.checked << ", uninstall checked " << remove.checked
           << ", uninstall visible " << remove.visible << ", note visible " << note.visible;
  }

  FakeDialog dialog;
  void AddPrinter(std::u16string name, std::u16string driver) {
    kit::fakes::FakePrinter printer;
    printer.name = std::move(name);
    printer.driver = std::move(driver);
    spooler.printers.push_back(printer);
  }
  int EnumPrintersCalls() const {
    int n = 0;
    for (const auto& call : spooler.calls) n += call.rfind("EnumPrintersW(", 0) == 0;
    return n;
  }

  kit::fakes::FakeSpooler spooler;
};

TEST_F(ChoicePageTest, NoMakerPrinterOffersOnlyInstall) {
  AddPrinter(u"Office", u"Generic / Text Only");
  ChoicePage page(dialog, spooler, false);
  page.Create();
  EXPECT_TRUE(Shows(false));
  EXPECT_FALSE(page.IsUninstallChosen());
  EXPECT_EQ(dialog.controls[IDC_RADIO_INSTALL].text, u"Install printer driver");
  EXPECT_EQ(dialog.controls[IDC_INSTALL_INFO].text,
            u"Please connect your printer to the PC and turn it on.");
  EXPECT_EQ(dialog.controls[IDC_RADIO_UNINSTALL].text, u"Uninstall printer driver");
  EXPECT_EQ(dialog.controls[IDC_UNINSTALL_INFO].text,
            u"Uninstall the printer driver and components which printer selected.");
}

TEST_F(ChoicePageTest, InstalledMakerPrinterPreselectsUninstall) {
  AddPrinter(u"Counter", u"vexo_80");  // driver names match without regard to case
  ChoicePage page(dialog, spooler, false);
  page.Create();
  EXPECT_TRUE(Shows(true));
  EXPECT_TRUE(page.IsUninstallChosen());
  EXPECT_EQ(page.printers().count, 1);
  // Scan first, then the check states and visibility, then the texts.
  EXPECT_EQ(EnumPrintersCalls(), 2) << "two-call size query";
  EXPECT_THAT(dialog.log, ElementsAre("SetCheck(1022,0)", "SetCheck(1023,1)", "Show(1023,1)",
                                      "Show(1025,1)"));
}

TEST_F(ChoicePageTest, CommandLineFlagPreselectsUninstallWithoutPrinters) {
  ChoicePage page(dialog, spooler, true);
  page.Create();
  EXPECT_TRUE(Shows(true));
  EXPECT_EQ(page.printers().count, 0);
}

TEST_F(ChoicePageTest, FailedPrinterEnumerationOffersOnlyInstall) {
  AddPrinter(u"Counter", u"VEXO_80");
  spooler.FailNext("EnumPrintersW", 0);
  spooler.FailNext("EnumPrintersW", 5);
  ChoicePage page(dialog, spooler, false);
  page.Create();
  EXPECT_TRUE(Shows(false));
}

TEST_F(ChoicePageTest, ModelNameInsideALongerDriverNameIsNoMakerPrinter) {
  AddPrinter(u"A", u"VEXO_80 Plus");
  AddPrinter(u"B", u"VEXO_8");
  ChoicePage page(dialog, spooler, false);
  page.Create();
  EXPECT_TRUE(Shows(false));
}

TEST_F(ChoicePageTest, RescanAfterInstallReplacesTheUsersChoice) {
  ChoicePage page(dialog, spooler, false);
  page.Create();
  dialog.ClickRadio(IDC_RADIO_INSTALL, {IDC_RADIO_INSTALL, IDC_RADIO_UNINSTALL});
  AddPrinter(u"VEXO_58", u"VEXO_58");  // the run installed one
  page.RefreshPrinterScan();
  page.Preselect();
  EXPECT_TRUE(Shows(true));

  spooler.printers.clear();  // removed elsewhere: the old records must not linger
  dialog.ClickRadio(IDC_RADIO_UNINSTALL, {IDC_RADIO_INSTALL, IDC_RADIO_UNINSTALL});
  page.RefreshPrinterScan();
  page.Preselect();
  EXPECT_EQ(page.printers().count, 0);
  EXPECT_TRUE(page.printers().records.empty());
  EXPECT_TRUE(Shows(false)) << "the user's uninstall choice is replaced by the rule";
}

// --- ports page --------------------------------------------------------------

class PortsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UseLanguage(0x0409);
    CopyWideText(selections.modelName, kWideTextCapacity, u"stale");
    selections.modelIndex = 3;
    selections.setAsDefault = false;
    selections.portKind = PORT_LPT;
    page.Create();
  }

  FakeDialog dialog;
  WizardSelections selections;
  PortsPage page{dialog, selections};
};

TEST_F(PortsPageTest, UntouchedPageGivesFirstModelDefaultPrinterAndUsb) {
  EXPECT_THAT(dialog.items, ElementsAre(u"VEXO_216", u"VEXO_PRINTER", u"VEXO_80", u"VEXO_58"));
  EXPECT_EQ(dialog.selection, 0);
  EXPECT_EQ(selections.modelIndex, 0);
  EXPECT_EQ(std::u16string(selections.modelName), u"VEXO_216");
  EXPECT_TRUE(selections.setAsDefault);
  EXPECT_TRUE(dialog.controls[IDC_DEFAULT_PRINTER].checked);
  EXPECT_EQ(selections.portKind, PORT_USB);
  EXPECT_TRUE(dialog.controls[IDC_PORT_USB].checked);
  EXPECT_FALSE(dialog.controls[IDC_PORT_ENET].checked);
  EXPECT_EQ(dialog.controls[IDC_MY_PRINTER_TYPES].text, u"Printer Type:");
  EXPECT_EQ(dialog.controls[IDC_DEFAULT_PRINTER].text, u"Default Printer");
  EXPECT_EQ(dialog.controls[IDC_PORT_ENET].text,
            u"Ethernet port - Connect the printer to your network using a LAN cable");
  EXPECT_EQ(dialog.controls[IDC_PORT_USB].text,
            u"USB port - Connect the printer to your computer using a USB cable");
  EXPECT_EQ(dialog.controls[IDC_PORT_COM].text,
            u"Serial port - Connect the printer to your computer using a serial cable");
  EXPECT_EQ(dialog.controls[IDC_PORT_LPT].text,
            u"Parallel port - Connect the printer to your computer using a parallel cable");
}

TEST_F(PortsPageTest, RadioButtonsSetThePortKindByTheirIds) {
  const std::vector<int> group = {IDC_PORT_ENET, IDC_PORT_USB, IDC_PORT_COM, IDC_PORT_LPT};
  const std::pair<int, PortKind> rows[] = {{IDC_PORT_ENET, PORT_ENET},
                                           {IDC_PORT_COM, PORT_COM},
                                           {IDC_PORT_LPT, PORT_LPT},
                                           {IDC_PORT_USB, PORT_USB}};
  for (auto [id, kind] : rows) {
    dialog.ClickRadio(id, group);
    page.OnCommand(id, kButtonClicked);
    EXPECT_EQ(selections.portKind, kind) << id;
  }
  page.OnCommand(IDC_PORT_COM, 5 /* BN_KILLFOCUS */);
  EXPECT_EQ(selections.portKind, PORT_USB) << "only clicks count";
}

TEST_F(PortsPageTest, DefaultPrinterBoxClickedTwiceIsTrueAgain) {
  dialog.ClickCheckBox(IDC_DEFAULT_PRINTER);
  page.OnCommand(IDC_DEFAULT_PRINTER, kButtonClicked);
  EXPECT_FALSE(selections.setAsDefault);
  dialog.ClickCheckBox(IDC_DEFAULT_PRINTER);
  page.OnCommand(IDC_DEFAULT_PRINTER, kButtonClicked);
  EXPECT_TRUE(selections.setAsDefault);
}

TEST_F(PortsPageTest, ModelChoiceCopiesTextThenFindsTheRow) {
  dialog.selection = 2;
  page.OnCommand(IDC_MODEL_LIST, kComboSelChange);
  EXPECT_EQ(selections.modelIndex, 2);
  EXPECT_EQ(std::u16string(selections.modelName), u"VEXO_80");

  // The list's text is copied as it stands; the row is found without regard
  // to ASCII case.
  dialog.items[3] = u"vexo_58";
  dialog.selection = 3;
  page.OnCommand(IDC_MODEL_LIST, kComboSelChange);
  EXPECT_EQ(selections.modelIndex, 3);
  EXPECT_EQ(std::u16string(selections.modelName), u"vexo_58");
}

TEST_F(PortsPageTest, UnknownModelTextKeepsTheIndex) {
  dialog.selection = 1;
  page.OnCommand(IDC_MODEL_LIST, kComboSelChange);
  dialog.items.push_back(std::u16string(300, u'Z'));
  dialog.selection = 4;
  page.OnCommand(IDC_MODEL_LIST, kComboSelChange);
  EXPECT_EQ(selections.modelIndex, 1);
  EXPECT_EQ(std::u16string(selections.modelName), std::u16string(259, u'Z'));
}

TEST_F(PortsPageTest, OtherNotificationsOfTheListChangeNothing) {
  dialog.selection = 2;
  page.OnCommand(IDC_MODEL_LIST, 7 /* CBN_DROPDOWN */);
  EXPECT_EQ(selections.modelIndex, 0);
}

TEST_F(PortsPageTest, ChineseTexts) {
  testing::UseLanguage(0x0804);
  FakeDialog zh;
  WizardSelections s;
  PortsPage(zh, s).Create();
  EXPECT_EQ(zh.controls[IDC_MY_PRINTER_TYPES].text, u"打印机型号：");
  EXPECT_EQ(zh.controls[IDC_DEFAULT_PRINTER].text, u"默认打印机");
  testing::UseLanguage(0x0409);
}

}  // namespace
}  // namespace quispor
