// An installation by Quispor.exe under a Chinese (PRC) system language: the
// port pages and the outcome in Chinese.
#include <windows.h>
#include <winspool.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

constexpr int kModelList = 1039, kCom = 1006, kEnet = 1004, kComList = 1013, kIpAddress = 1009, kFinishText = 1030;

TEST(WizardInstallChinese, SerialInstallAndEthernetPortNullInChinese) {
  const std::wstring exe = ProgramCopy(L"kit", {{L"VEXO_Printer_Render_64.dll", "render module"},
                                                {L"VEXO_Printer_UI_64.dll", "ui module"},
                                                {L"VEXO_80.DAT", "data file"}});
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(wizard.Next(kModelList));
  ChooseComboItem(wizard.Control(kModelList), 2);

  Click(wizard.Control(kEnet));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kEnet)); }));
  ASSERT_TRUE(wizard.Next(kIpAddress));
  EXPECT_EQ(wizard.Text(1015), L"请输入IP地址:");
  SaveScreenshot("wizard-install-zh-enet");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  auto box = WaitForMessageBox(wizard.pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, L"VEXO_80");
  EXPECT_EQ(box->text, L"请您为打印机选择一个端口,请将打印机USB连接到电脑上并打开电源。");
  SaveScreenshot("wizard-install-zh-enet-port-null");
  AnswerMessageBox(*box, IDOK);
  ASSERT_TRUE(wizard.Back(kModelList));

  Click(wizard.Control(kCom));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kCom)); }));
  ASSERT_TRUE(wizard.Next(kComList));
  EXPECT_EQ(wizard.Text(1018), L"串口:");
  EXPECT_EQ(ComboSelection(wizard.Control(kComList)), 0);
  SaveScreenshot("wizard-install-zh-com");
  ASSERT_TRUE(wizard.Next(kFinishText));
  EXPECT_TRUE(WaitUntil([&] { return wizard.Text(kFinishText) == L"VEXO_80已安装."; }))
      << Narrow(wizard.Text(kFinishText));
  EXPECT_EQ(wizard.Text(kBack), L"安装其它打印机");
  EXPECT_EQ(wizard.Text(kNext), L"退出");
  SaveScreenshot("wizard-install-zh-finish");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  EXPECT_EQ(wizard.ExitCode(), 129);
}

}  // namespace
}  // namespace kit::e2e::wizard
