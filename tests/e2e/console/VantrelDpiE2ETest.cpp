// Vantrel.exe at 96 and 144 DPI, with Wine's visual style and at 96 DPI
// without one: it opens at the layout for its DPI, the editor grows with the
// window, the smallest window still shows the whole "Config" group, and the
// connection page's label is painted on the tab's body. Screenshots of each.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "console/editor/MainLayout.h"
#include "console/win32/resource.h"
#include "tests/e2e/console/ConsoleRegistry.h"
#include "tests/e2e/driver/TestDriver.h"

namespace vantrel::e2e {
namespace {

using kit::e2e::App;
using kit::e2e::RectIn;

::testing::AssertionResult At(const RECT& rect, const Box& box, bool withHeight = true) {
  if (rect.left == box.x && rect.top == box.y && rect.right - rect.left == box.width &&
      (!withHeight || rect.bottom - rect.top == box.height)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "at " << rect.left << "," << rect.top << " size " << rect.right - rect.left
                                       << "x" << rect.bottom - rect.top << ", expected " << box.x << "," << box.y
                                       << " size " << box.width << "x" << box.height;
}

// Programs started afterwards draw with the prefix's visual style (Wine's
// "Light") or without any, as Windows' classic look.
void UseVisualStyle(bool on) {
  const wchar_t* value = on ? L"1" : L"0";
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", L"ThemeActive",
                  REG_SZ, value, static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

struct Look {
  int dpi;
  bool visualStyle;
};

class VantrelDpiTest : public ::testing::TestWithParam<Look> {
 protected:
  void SetUp() override {
    kit::e2e::UseRealPixels();
    ClearProfiles();
    kit::e2e::SetScreenDpi(static_cast<DWORD>(Dpi()));
    UseVisualStyle(GetParam().visualStyle);
    const std::wstring folder = L"C:\\kit-dpi\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(kit::e2e::DistFile("Vantrel", "Vantrel.exe").c_str(), (folder + L"Vantrel.exe").c_str(),
                          FALSE));
    app.emplace(App::Start(folder + L"Vantrel.exe"));
    main = app->WaitForWindow(L"TMainFM", L"ZELTANOOpos");
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override {
    if (app) app->Kill();
    kit::e2e::SetScreenDpi(96);
    UseVisualStyle(true);
  }

  int Dpi() const { return GetParam().dpi; }

  ClientSize Client() const {
    RECT rect = {};
    GetClientRect(main, &rect);
    return {rect.right, rect.bottom};
  }
  RECT Ctl(int id) const { return RectIn(main, kit::e2e::FindControlById(main, id)); }
  // The window resized from outside, as a user drags its frame.
  void Resize(int width, int height) {
    SetWindowPos(main, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(300);
  }
  ::testing::AssertionResult LaidOut() const {
    const MainLayout layout = LayOutMainWindow(Client(), Dpi());
    for (const auto& [id, box, withHeight] : {std::tuple{IDC_GROUPBOX1, layout.configGroup, true},
                                              {IDC_EDTDEVNAME, layout.configFields[0], true},
                                              {IDC_CBCONN, layout.configFields[2], false},
                                              {IDC_PAGECONTROL1, layout.pages, true},
                                              {IDC_CBUSBDEV, layout.pageFields[0], false},
                                              {IDC_BTNSAVE, layout.save, true}}) {
      auto at = At(Ctl(id), box, withHeight);
      if (!at) return at << " (control " << id << ")";
    }
    return ::testing::AssertionSuccess();
  }

  // The "USB Device:" label shows, right of its text, what the tab's body
  // shows just left of the label (the window's face would stand out there
  // when a visual style draws the body in another colour).
  ::testing::AssertionResult LabelOnTabBody() const {
    RECT label = {};
    GetWindowRect(kit::e2e::FindControlById(main, IDC_LBL_USBDEV), &label);
    const int y = (label.top + label.bottom) / 2;
    const POINT onLabel{label.right - 3, y};
    const POINT onBody{label.left - ScaleForDpi(6, Dpi()), y};
    COLORREF labelColour = CLR_INVALID;
    COLORREF bodyColour = CLR_INVALID;
    // What was painted reaches the screen a moment later.
    const bool same = kit::e2e::WaitUntil(
        [&] {
          labelColour = kit::e2e::ScreenPixel(onLabel);
          bodyColour = kit::e2e::ScreenPixel(onBody);
          return labelColour != CLR_INVALID && labelColour == bodyColour;
        },
        5000);
    if (same) return ::testing::AssertionSuccess();
    char seen[96];
    std::snprintf(seen, sizeof seen, "label %06lX at %ld,%ld, tab body %06lX at %ld,%ld", labelColour, onLabel.x,
                  onLabel.y, bodyColour, onBody.x, onBody.y);
    return ::testing::AssertionFailure() << seen;
  }

  std::optional<App> app;
  HWND main = nullptr;
};

TEST_P(VantrelDpiTest, TheLayoutFollowsTheDpiAndTheWindowSize) {
  const int dpi = Dpi();
  const std::string tag = "console-dpi-" + std::to_string(dpi) + (GetParam().visualStyle ? "" : "-classic");
  EXPECT_EQ(Client(), InitialClientSize(dpi));
  EXPECT_TRUE(LaidOut());
  kit::e2e::SaveScreenshot(tag);
  EXPECT_TRUE(LabelOnTabBody());

  // Smaller than allowed: the window stops at its minimum.
  RECT window = {};
  GetWindowRect(main, &window);
  Resize(50, 50);
  EXPECT_EQ(Client(), MinimumClientSize(dpi));
  EXPECT_TRUE(LaidOut());
  const RECT group = Ctl(IDC_GROUPBOX1);
  EXPECT_LE(group.right, Client().width);
  EXPECT_LE(group.bottom, Client().height);
  kit::e2e::SaveScreenshot(tag + "-minimum");
  EXPECT_TRUE(LabelOnTabBody());
  const LONG narrowField = Ctl(IDC_EDTDEVNAME).right - Ctl(IDC_EDTDEVNAME).left;

  // Back to the first size (the screen is too small to go much beyond it at
  // 144 DPI): the editor's fields take all the width the window gains.
  Resize(window.right - window.left, window.bottom - window.top);
  EXPECT_EQ(Client(), InitialClientSize(dpi));
  EXPECT_EQ(Ctl(IDC_EDTDEVNAME).right - Ctl(IDC_EDTDEVNAME).left,
            narrowField + InitialClientSize(dpi).width - MinimumClientSize(dpi).width);
  EXPECT_TRUE(LaidOut());
}

INSTANTIATE_TEST_SUITE_P(Dpi, VantrelDpiTest, ::testing::Values(Look{96, true}, Look{144, true}, Look{96, false}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                           return std::to_string(info.param.dpi) + (info.param.visualStyle ? "" : "Classic");
                         });

}  // namespace
}  // namespace vantrel::e2e
