// The wizard under Wine's default (English) locale with an empty spooler.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

using ::testing::ElementsAre;

constexpr wchar_t kPortNull[] =
    L"Please select a port for printer.Please connect the printer USB to the computer and turn on the "
    L"power.";

// Choice page 1022..1025, ports page 1004..1039, port pages, finish 1030.
constexpr int kInstall = 1022, kUninstall = 1023, kInstallInfo = 1024, kUninstallInfo = 1025;
constexpr int kModelList = 1039, kDefaultPrinter = 1029;
constexpr int kEnet = 1004, kUsb = 1005, kCom = 1006, kLpt = 1007;
constexpr int kUsbList = 1008, kIpAddress = 1009, kTcpPort = 1032, kComList = 1013, kLptList = 1014;
constexpr int kFinishText = 1030;

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : std::string();
}

// The wizard runs elevated from wherever it was downloaded to. Wine's spooler
// client loads localspl.dll by name when the serial and parallel pages list
// the spooler's ports at start; one planted beside the wizard must not be
// the one loaded. Nor may a winspool.drv there: told to prefer native
// libraries (this program's CTest environment), Wine takes a planted copy of a
// library the program imports, as Windows does for every library that is not
// a KnownDLL. The record the planted library's DllMain leaves tells, not the
// module's path: Wine reports the planted path even where it loaded its own
// copy.
TEST(WizardEnglish, ALibraryPlantedBesideTheWizardIsNeverLoaded) {
  const std::string planted = ReadAll(WindowsPathOf(KIT_PLANTED_LIBRARY));
  const std::wstring exe = ProgramCopy(L"planted", {{L"localspl.dll", planted}, {L"winspool.drv", planted}});
  ASSERT_FALSE(exe.empty());
  DeleteFileW(L"C:\\planted-library.txt");
  // Wine reads the overrides from the Unix environment its programs inherit,
  // not from an environment block handed to CreateProcess.
  ASSERT_THAT(EnvVar("WINEDLLOVERRIDES"), ::testing::HasSubstr("winspool.drv=n,b"));
  WizardSession wizard(L"", {}, exe);
  if (wizard.host() != nullptr) {
    EXPECT_THAT(ComboItems(wizard.Control(kComList)), ElementsAre(L"COM1:", L"COM2:", L"COM3:", L"COM4:"))
        << "the spooler's ports are listed, so its libraries are loaded";
  }
  const std::string record = ReadAll(L"C:\\planted-library.txt");
  EXPECT_TRUE(record.empty()) << "loaded: " << Narrow(std::wstring(reinterpret_cast<const wchar_t*>(record.data()),
                                                                  record.size() / sizeof(wchar_t)));
  ASSERT_NE(wizard.host(), nullptr);
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardEnglish, ChoicePageOffersOnlyInstallWhenNoMakerPrinterExists) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_EQ(ReadText(wizard.host()), kBuiltInTitle);
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kInstall), true));
  EXPECT_FALSE(IsShown(wizard.Control(kUninstall)));
  EXPECT_FALSE(IsShown(wizard.Control(kUninstallInfo)));
  EXPECT_EQ(wizard.Text(kInstall), L"Install printer driver");
  EXPECT_EQ(wizard.Text(kInstallInfo), L"Please connect your printer to the PC and turn it on.");
  EXPECT_EQ(wizard.Text(kBack), L"Last Step");
  EXPECT_EQ(wizard.Text(kNext), L"Next Step");
  EXPECT_FALSE(IsEnabled(wizard.Control(kBack)));
  EXPECT_FALSE(IsShown(wizard.Control(kModelList))) << "only the choice page is shown";
  SaveScreenshot("wizard-en-choice");

  // Escape closes at once with IDCANCEL.
  FocusWindow(wizard.Control(kNext));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

// Where a window sits relative to a reference rectangle, as the centring
// rule puts it (truncated halves, kept inside the area).
::testing::AssertionResult CentredIn(const RECT& window, const RECT& area) {
  const LONG width = window.right - window.left, height = window.bottom - window.top;
  LONG left = (area.left + area.right) / 2 - width / 2;
  LONG top = (area.top + area.bottom) / 2 - height / 2;
  if (left + width > area.right) left = area.right - width;
  if (left < area.left) left = area.left;
  if (top + height > area.bottom) top = area.bottom - height;
  if (top < area.top) top = area.top;
  if (window.left == left && window.top == top) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at (" << window.left << ", " << window.top << "), expected ("
                                       << left << ", " << top << ")";
}

TEST(WizardEnglish, HostCentredOnWorkAreaAndPagesOnItsClientArea) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  RECT host{};
  GetWindowRect(wizard.host(), &host);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(wizard.host(), MONITOR_DEFAULTTONEAREST), &monitor));
  EXPECT_TRUE(CentredIn(host, monitor.rcWork));

  RECT client{};
  GetClientRect(wizard.host(), &client);
  RECT back{};
  GetWindowRect(wizard.Control(kBack), &back);
  MapWindowPoints(nullptr, wizard.host(), reinterpret_cast<POINT*>(&back), 2);
  for (int inside : {kInstall, kModelList, kUsbList, kIpAddress, kComList, kLptList, kFinishText}) {
    SCOPED_TRACE(inside);
    HWND page = GetParent(wizard.Control(inside));
    RECT r{};
    GetWindowRect(page, &r);
    MapWindowPoints(nullptr, wizard.host(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(CentredIn(r, client));
    EXPECT_LE(r.bottom, back.top) << "pages stay above the buttons";
  }
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardEnglish, UninstallFlagPreselectsUninstallButNotWithCapitalU) {
  {
    // Any word may come before it; /quiet would start a run without a window.
    WizardSession wizard(L"/other -uninstall");
    ASSERT_NE(wizard.host(), nullptr);
    EXPECT_TRUE(ShownAndChecked(wizard.Control(kUninstall), true));
    EXPECT_TRUE(ShownAndChecked(wizard.Control(kInstall), false));
    EXPECT_TRUE(IsShown(wizard.Control(kUninstallInfo)));
    EXPECT_EQ(wizard.Text(kUninstall), L"Uninstall printer driver");
    EXPECT_EQ(wizard.Text(kUninstallInfo), L"Uninstall the printer driver and components which printer selected.");
    SaveScreenshot("wizard-en-choice-uninstall");
    // The two choices form one group.
    Click(wizard.Control(kInstall));
    EXPECT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(kInstall)); }));
    EXPECT_FALSE(IsChecked(wizard.Control(kUninstall)));
    SendMessageW(wizard.host(), WM_CLOSE, 0, 0);  // the close box
    EXPECT_EQ(wizard.ExitCode(), 2);
  }
  {
    WizardSession wizard(L"-Uninstall");
    ASSERT_NE(wizard.host(), nullptr);
    EXPECT_TRUE(ShownAndChecked(wizard.Control(kInstall), true));
    EXPECT_FALSE(IsShown(wizard.Control(kUninstall)));
    PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(wizard.ExitCode(), 2);
  }
}

TEST(WizardEnglish, PortsPageDefaultsAndBackToChoice) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(wizard.Next(kModelList));
  EXPECT_FALSE(IsShown(wizard.Control(kInstall)));
  EXPECT_THAT(ComboItems(wizard.Control(kModelList)),
              ElementsAre(L"VEXO_216", L"VEXO_PRINTER", L"VEXO_80", L"VEXO_58"));
  EXPECT_EQ(ComboSelection(wizard.Control(kModelList)), 0);
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kDefaultPrinter), true));
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kUsb), true));
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kEnet), false));
  EXPECT_EQ(wizard.Text(kDefaultPrinter), L"Default Printer");
  EXPECT_EQ(wizard.Text(kUsb), L"USB port - Connect the printer to your computer using a USB cable");
  EXPECT_TRUE(IsEnabled(wizard.Control(kBack)));
  SaveScreenshot("wizard-en-ports");

  ASSERT_TRUE(wizard.Back(kInstall));
  // The choice page is shown before the ports page is hidden.
  EXPECT_TRUE(wizard.WaitShown(kModelList, false));
  EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(wizard.Control(kBack)); }));
  EXPECT_TRUE(ShownAndChecked(wizard.Control(kInstall), true));

  // The ports page keeps the user's choices across back and next.
  ASSERT_TRUE(wizard.Next(kModelList));
  ChooseComboItem(wizard.Control(kModelList), 2);
  ASSERT_TRUE(wizard.Back(kInstall));
  ASSERT_TRUE(wizard.Next(kModelList));
  EXPECT_EQ(ComboSelection(wizard.Control(kModelList)), 2);

  // Enter with the focus on a radio button closes with IDOK.
  FocusWindow(wizard.Control(kUsb));
  PressKey(VK_RETURN);
  EXPECT_EQ(wizard.ExitCode(), 1);
}

struct PortPageCase {
  int radio;
  int shownControl;
  const char* screenshot;
};

// Wine has no USB printer and no Standard TCP/IP port monitor, so these two
// pages find no port; its spooler does list COM1: to COM4: and LPT1: to LPT3:.
TEST(WizardEnglish, PortPagesWithoutAPortAskForOneCaptionedWithTheModel) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(wizard.Next(kModelList));
  ChooseComboItem(wizard.Control(kModelList), 3);  // VEXO_58 captions the box
  const PortPageCase cases[] = {{kUsb, kUsbList, "wizard-en-usb"},
                                {kEnet, kIpAddress, "wizard-en-enet"}};
  for (const PortPageCase& c : cases) {
    SCOPED_TRACE(c.screenshot);
    Click(wizard.Control(c.radio));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(c.radio)); }));
    for (int other : {kEnet, kUsb, kCom, kLpt}) {
      if (other != c.radio) {
        EXPECT_FALSE(IsChecked(wizard.Control(other))) << other;
      }
    }
    ASSERT_TRUE(wizard.Next(c.shownControl));
    EXPECT_FALSE(IsShown(wizard.Control(kModelList)));
    SaveScreenshot(c.screenshot);

    ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
    auto box = WaitForMessageBox(wizard.pid());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, L"VEXO_58");
    EXPECT_EQ(box->text, kPortNull);
    EXPECT_THAT(box->buttons, ElementsAre(L"OK"));
    SaveScreenshot(std::string(c.screenshot) + "-port-null");
    AnswerMessageBox(*box, IDOK);
    EXPECT_TRUE(IsShown(wizard.Control(c.shownControl))) << "the page stays";

    ASSERT_TRUE(wizard.Back(kModelList));
    EXPECT_FALSE(IsShown(wizard.Control(c.shownControl)));
  }
  PostMessageW(wizard.host(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(wizard.ExitCode(), 1);
}

// A double click on Next at the ports page with USB: the second click queues
// up while the USB page is filled, and must not press Next again on it (an
// empty list there asks for a port).
TEST(WizardEnglish, ADoubleClickOnNextAtThePortsPageShowsTheUsbPage) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(wizard.Next(kModelList));
  ASSERT_TRUE(IsChecked(wizard.Control(kUsb)));
  wizard.DoubleClick(kNext);
  EXPECT_TRUE(wizard.WaitShown(kUsbList));
  EXPECT_FALSE(WaitForMessageBox(wizard.pid(), 2000).has_value()) << "the second click pressed Next on the USB page";
  EXPECT_TRUE(IsShown(wizard.Control(kUsbList)));
  EXPECT_TRUE(IsEnabled(wizard.Control(kNext)));
  EXPECT_TRUE(IsEnabled(wizard.Control(kBack)));
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardEnglish, SerialAndParallelPagesListTheSpoolersPortsSorted) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(wizard.Next(kModelList));
  const struct {
    int radio, list;
    std::vector<std::wstring> ports;
    const char* screenshot;
  } cases[] = {{kCom, kComList, {L"COM1:", L"COM2:", L"COM3:", L"COM4:"}, "wizard-en-com"},
               {kLpt, kLptList, {L"LPT1:", L"LPT2:", L"LPT3:"}, "wizard-en-lpt"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screenshot);
    Click(wizard.Control(c.radio));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(wizard.Control(c.radio)); }));
    ASSERT_TRUE(wizard.Next(c.list));
    EXPECT_EQ(ComboItems(wizard.Control(c.list)), c.ports);
    EXPECT_EQ(ComboSelection(wizard.Control(c.list)), 0);
    SaveScreenshot(c.screenshot);
    ASSERT_TRUE(wizard.Back(kModelList));
  }
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardEnglish, PortPageShellsShowTheirControls) {
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  HWND ip = wizard.Control(kIpAddress);
  ASSERT_NE(ip, nullptr);
  EXPECT_EQ(ClassOf(ip), L"SysIPAddress32") << "the IP address control exists with ICC_BAR_CLASSES";
  EXPECT_EQ(ClassOf(wizard.Control(kTcpPort)), L"RichEdit20W");
  EXPECT_EQ(wizard.Text(kTcpPort), L"9100");
  EXPECT_EQ(wizard.Text(1015), L"Please Input IP Address:");
  EXPECT_EQ(wizard.Text(1017), L"USB Port:");
  EXPECT_EQ(wizard.Text(1010), L"SEARCH USB");
  EXPECT_EQ(wizard.Text(1012), L"If you don't know how to choose a USB port, please click on the search");
  EXPECT_FALSE(IsEnabled(wizard.Control(1012)));
  EXPECT_EQ(wizard.Text(1018), L"COM Port:");
  EXPECT_EQ(wizard.Text(1016), L"LPT Port:");
  EXPECT_EQ(ClassOf(wizard.Control(kFinishText)), L"RichEdit20W");
  EXPECT_THAT(ComboItems(wizard.Control(kUsbList)), ::testing::IsEmpty());
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

TEST(WizardEnglish, UninstallReachesFinishWithBackDisabledAndNextEnds129) {
  WizardSession wizard(L"-uninstall");
  ASSERT_NE(wizard.host(), nullptr);
  ASSERT_TRUE(wizard.Next(kFinishText));
  EXPECT_FALSE(IsShown(wizard.Control(kUninstall)));
  EXPECT_TRUE(WaitUntil([&] { return wizard.Text(kNext) == L"Close"; }));
  EXPECT_EQ(wizard.Text(kBack), L"Install Another Printer");
  EXPECT_FALSE(IsEnabled(wizard.Control(kBack)));
  SaveScreenshot("wizard-en-finish");
  ASSERT_TRUE(wizard.ClickAndWaitFor(kNext, 0));
  EXPECT_EQ(wizard.ExitCode(), 129);
}

TEST(WizardEnglish, ConfigIniCaptionBecomesTheTitle) {
  const std::wstring exe = ProgramCopy(L"captioned", {{L"config.ini", "[Setup]\r\nCaption=Front Desk Printer Setup\r\n"}});
  ASSERT_FALSE(exe.empty());
  WizardSession wizard(L"", {}, exe);
  ASSERT_NE(wizard.host(), nullptr);
  EXPECT_EQ(ReadText(wizard.host()), L"Front Desk Printer Setup");
  PostMessageW(wizard.host(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(wizard.ExitCode(), 2);
}

}  // namespace
}  // namespace kit::e2e::wizard
