#include "console/win32/TabBodyBackdrop.h"

#include <commctrl.h>
#include <vssym32.h>

#include "console/win32/Dpi.h"
#include "trust/win32/SystemLibrary.h"

namespace vantrel::win32 {
namespace {

// The visual style functions, bound once and kept for the process.
// OpenThemeDataForDpi exists from Windows 10 (1703) on; before that the
// theme is the one of the system DPI, which OpenThemeData gives.
struct VisualStyles {
  decltype(&::OpenThemeData) openThemeData = nullptr;
  decltype(&::OpenThemeDataForDpi) openThemeDataForDpi = nullptr;
  decltype(&::CloseThemeData) closeThemeData = nullptr;
  decltype(&::DrawThemeBackground) drawThemeBackground = nullptr;

  bool Complete() const { return openThemeData && closeThemeData && drawThemeBackground; }
};

const VisualStyles& UxTheme() {
  static const VisualStyles table = [] {
    kit::trust::win32::SystemLibrary library(L"uxtheme.dll");
    VisualStyles bound;
    bound.openThemeData = library.Find<decltype(&::OpenThemeData)>("OpenThemeData");
    bound.openThemeDataForDpi = library.Find<decltype(&::OpenThemeDataForDpi)>("OpenThemeDataForDpi");
    bound.closeThemeData = library.Find<decltype(&::CloseThemeData)>("CloseThemeData");
    bound.drawThemeBackground = library.Find<decltype(&::DrawThemeBackground)>("DrawThemeBackground");
    library.release();
    return bound;
  }();
  return table;
}

// Where the tab control draws its pane, in its client area: everything below
// the row of tabs.
RECT PaneRect(HWND tab) {
  RECT pane = {};
  GetClientRect(tab, &pane);
  RECT item = {};
  if (TabCtrl_GetItemCount(tab) > 0 && TabCtrl_GetItemRect(tab, 0, &item)) pane.top = item.bottom;
  return pane;
}

}  // namespace

TabBodyBackdrop::~TabBodyBackdrop() { Forget(); }

void TabBodyBackdrop::Forget() {
  if (theme_ != nullptr) UxTheme().closeThemeData(theme_);
  theme_ = nullptr;
  opened_ = false;
}

HTHEME TabBodyBackdrop::Theme(HWND tab) {
  if (opened_) return theme_;
  opened_ = true;
  const VisualStyles& styles = UxTheme();
  if (!styles.Complete()) return nullptr;
  // Null where no visual style is active or the program is not themed.
  theme_ = styles.openThemeDataForDpi != nullptr ? styles.openThemeDataForDpi(tab, L"Tab", WindowDpi(tab))
                                                 : styles.openThemeData(tab, L"Tab");
  return theme_;
}

HBRUSH TabBodyBackdrop::PaintBehind(HWND tab, HWND label, HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const HTHEME theme = Theme(tab);
  if (theme == nullptr) {
    // A tab control without a visual style has the dialog colour inside.
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  // The pane in the label's coordinates, drawn only where the label is.
  RECT pane = PaneRect(tab);
  MapWindowPoints(tab, label, reinterpret_cast<POINT*>(&pane), 2);
  RECT area = {};
  GetClientRect(label, &area);
  UxTheme().drawThemeBackground(theme, dc, TABP_PANE, 0, &pane, &area);
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace vantrel::win32
