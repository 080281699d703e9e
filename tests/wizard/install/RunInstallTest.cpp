// The finish page's installation: buttons relabelled first, then the outcome
// replaces the finish text; the host's choices reach the request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeText.h"
#include "tests/wizard/install/InstallFixture.h"
#include "wizard/ui/navigation/FinishSequences.h"

namespace quispor::testing {
namespace {

class RecordingFinish : public FinishView {
 public:
  std::vector<std::string> calls;
  void SetBackButtonText(const char16_t* text) override { calls.push_back("back " + kit::fakes::ToUtf8(text)); }
  void SetNextButtonText(const char16_t* text) override { calls.push_back("next " + kit::fakes::ToUtf8(text)); }
  void SetFinishText(const char16_t* text) override { calls.push_back("text " + kit::fakes::ToUtf8(text)); }
};

TEST_F(InstallTest, RunInstallLabelsTheButtonsThenWritesTheOutcome) {
  WizardSelections selections;
  selections.modelIndex = 2;
  CopyWideText(selections.modelName, kWideTextCapacity, u"VEXO_80");
  CopyWideText(selections.portName, kWideTextCapacity, u"LPT1:");
  selections.setAsDefault = false;
  RecordingFinish view;
  FinishPageReport page(view);
  EXPECT_EQ(RunInstall(services, selections, page), 0);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"back Install Another Printer", "next Close",
                                                  "text VEXO_80Installed printer ."}));
  EXPECT_EQ(spooler.FindPrinter(u"VEXO_80")->port, u"LPT1:");
  EXPECT_TRUE(spooler.defaultPrinter.empty());
  EXPECT_EQ(std::u16string(ProcessInstallState().lastPrinterName), u"VEXO_80");

  // Another run replaces the text; a failure keeps the last printer's name.
  view.calls.clear();
  CopyWideText(selections.portName, kWideTextCapacity, u"USB007");
  EXPECT_EQ(RunInstall(services, selections, page), 1796);
  EXPECT_EQ(view.calls.back(),
            "text Fail to add printer.Please connect the printer USB to the computer and turn on the power.");
  EXPECT_EQ(ProcessInstallState().stage, STAGE_PRINTER);
}

TEST_F(InstallTest, FinishPageButtonsInChinese) {
  UseLanguage(0x0804);
  RecordingFinish view;
  FinishPageReport(view).SequenceStarted();
  EXPECT_EQ(view.calls, (std::vector<std::string>{"back 安装其它打印机", "next 退出"}));
}

}  // namespace
}  // namespace quispor::testing
