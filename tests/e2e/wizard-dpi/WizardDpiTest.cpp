// The wizard's dialogs scale by their dialog units: at 144 DPI the host is
// half as big again as at 96, and on every page it shows no control spills
// out of its parent. Screenshots of each page at 144 DPI.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/e2e/wizard/WizardSession.h"

namespace kit::e2e::wizard {
namespace {

// Ports page: port kinds and the model list; the first control of each
// port page.
constexpr int kEnet = 1004, kUsb = 1005, kCom = 1006, kLpt = 1007, kModelList = 1039;
constexpr int kUsbList = 1008, kIpAddress = 1009, kComList = 1013, kLptList = 1014;
constexpr int kInstall = 1022;

SIZE ClientSize(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return SIZE{rect.right, rect.bottom};
}

struct Spill {
  HWND parent;
  std::vector<std::wstring> found;
};

BOOL CALLBACK CheckChild(HWND child, LPARAM lParam) {
  auto* spill = reinterpret_cast<Spill*>(lParam);
  HWND parent = GetParent(child);
  if (!IsWindowVisible(child) || !parent) return TRUE;
  const RECT rect = RectIn(parent, child);
  RECT area = {};
  GetClientRect(parent, &area);
  if (rect.left < area.left || rect.top < area.top || rect.right > area.right || rect.bottom > area.bottom) {
    spill->found.push_back(ClassOf(child) + L" " + std::to_wstring(GetDlgCtrlID(child)) + L": " + ReadText(child));
  }
  return TRUE;
}

// Every visible control lies inside its parent's client area.
::testing::AssertionResult NothingSpills(HWND host) {
  Spill spill{host, {}};
  EnumChildWindows(host, CheckChild, reinterpret_cast<LPARAM>(&spill));
  if (spill.found.empty()) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "outside their parent:";
  for (const std::wstring& what : spill.found) failure << " [" << Narrow(what) << "]";
  return failure;
}

TEST(WizardDpi, DialogsScaleByTheirDialogUnits) {
  UseRealPixels();
  SIZE at96 = {};
  {
    SetScreenDpi(96);
    WizardSession wizard;
    ASSERT_NE(wizard.host(), nullptr);
    at96 = ClientSize(wizard.host());
    ASSERT_TRUE(wizard.WaitShown(kInstall));
    Sleep(500);  // the first paint in a fresh prefix takes its time
    SaveScreenshot("wizard-dpi-96-choice");
  }
  SetScreenDpi(144);
  WizardSession wizard;
  ASSERT_NE(wizard.host(), nullptr);
  const SIZE at144 = ClientSize(wizard.host());
  SetScreenDpi(96);
  // The font's cell does not grow by exactly 1.5, so neither do the units.
  EXPECT_NEAR(static_cast<double>(at144.cx) / at96.cx, 1.5, 0.1) << at96.cx << " -> " << at144.cx;
  EXPECT_NEAR(static_cast<double>(at144.cy) / at96.cy, 1.5, 0.1) << at96.cy << " -> " << at144.cy;

  EXPECT_TRUE(NothingSpills(wizard.host()));
  SaveScreenshot("wizard-dpi-144-choice");
  ASSERT_TRUE(wizard.Next(kModelList));
  EXPECT_TRUE(NothingSpills(wizard.host()));
  SaveScreenshot("wizard-dpi-144-ports");
  for (const auto& [kind, shown, name] : {std::tuple{kUsb, kUsbList, "usb"}, {kEnet, kIpAddress, "ethernet"},
                                          {kCom, kComList, "serial"}, {kLpt, kLptList, "parallel"}}) {
    Click(wizard.Control(kind));
    ASSERT_TRUE(wizard.Next(shown)) << name;
    EXPECT_TRUE(NothingSpills(wizard.host())) << name;
    SaveScreenshot(std::string("wizard-dpi-144-") + name);
    ASSERT_TRUE(wizard.Back(kModelList)) << name;
  }
}

}  // namespace
}  // namespace kit::e2e::wizard
