// The wizard's Chinese texts. CTest runs this binary under the zh_CN locale
// (KIT_WINE_LOCALE), which makes Wine report the system language 0x0804 to
// the wizard it starts. (A locale put only into the child's environment
// block is not enough: the child still reports 0x0409.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

using ::testing::ElementsAre;

TEST(WizardChinese, EveryPageInChinese) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_EQ(wizard.Text(1022), L"安装打印机驱动程序");
  EXPECT_EQ(wizard.Text(1024), L"请将您的打印机连接到电脑同时开启电源开关");
  EXPECT_EQ(wizard.Text(kBack), L"上一步");
  EXPECT_EQ(wizard.Text(kNext), L"下一步");
  EXPECT_EQ(ReadText(wizard.host()), kBuiltInTitle);
  SaveScreenshot("wizard-zh-choice");

  ASSERT_TRUE(wizard.Next(1039));
  EXPECT_EQ(wizard.Text(1028), L"打印机型号：");
  EXPECT_EQ(wizard.Text(1029), L"默认打印机");
  EXPECT_EQ(wizard.Text(1005), L"USB - 使用USB数据线将打印机连接到您的计算机");
  SaveScreenshot("wizard-zh-ports");

  struct Page {
    int radio, shown;
    const char* shot;
  };
  const Page pages[] = {{1005, 1008, "wizard-zh-usb"},
                        {1004, 1009, "wizard-zh-enet"},
                        {1006, 1013, "wizard-zh-com"},
                        {1007, 1014, "wizard-zh-lpt"}};
  for (const Page& page : pages) {
    SCOPED_TRACE(page.shot);
    Click(wizard.Control(page.radio));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(page.radio)); }));
    ASSERT_TRUE(wizard.Next(page.shown));
    SaveScreenshot(page.shot);
    if (page.radio == 1006 || page.radio == 1007) {
      // Wine's spooler lists serial and parallel ports, so these pages offer one.
      EXPECT_EQ(ComboSelection(wizard.Control(page.shown)), 0);
      ASSERT_TRUE(wizard.Back(1039));
      continue;
    }
    ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
    auto box = WaitForMessageBox(wizard.pid());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"请您为打印机选择一个端口,请将打印机USB连接到电脑上并打开电源。");
    EXPECT_EQ(box->caption, L"VEXO_216");
    if (page.radio == 1005) SaveScreenshot("wizard-zh-port-null");
    AnswerMessageBox(*box, IDOK);
    ASSERT_TRUE(wizard.Back(1039));
  }
  EXPECT_EQ(wizard.Text(1017), L"USB口:");
  EXPECT_EQ(wizard.Text(1010), L"搜索USB");
  EXPECT_EQ(wizard.Text(1015), L"请输入IP地址:");
  EXPECT_EQ(wizard.Text(1018), L"串口:");
  EXPECT_EQ(wizard.Text(1016), L"并口:");
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardChinese, FinishPageAfterUninstallChoice) {
  WizardSession wizard(L"-uninstall");
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_EQ(wizard.Text(1023), L"卸载打印机驱动程序");
  SaveScreenshot("wizard-zh-choice-uninstall");
  ASSERT_TRUE(wizard.Next(1030));
  EXPECT_TRUE(WaitUntil([&] { return wizard.Text(kNext) == L"退出"; }));
  EXPECT_EQ(wizard.Text(kBack), L"安装其它打印机");
  SaveScreenshot("wizard-zh-finish");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  EXPECT_EQ(wizard.ExitCode(), 129);
}

}  // namespace
}  // namespace kit::e2e::wizard
