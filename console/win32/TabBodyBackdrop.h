// Paints the tab control's body behind a label that stands on it. The labels
// are children of the window, not of the tab control, so the body does not
// show through them by itself: with a visual style the tab's pane is drawn
// into the label's own paint, without one the label takes the plain colour
// of a tab control's body.
//
// UXTHEME.dll is not a KnownDLL: it is bound at run time from the system
// directory, at the first label painted.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace vantrel::win32 {

class TabBodyBackdrop {
 public:
  TabBodyBackdrop() = default;
  ~TabBodyBackdrop();
  TabBodyBackdrop(const TabBodyBackdrop&) = delete;
  TabBodyBackdrop& operator=(const TabBodyBackdrop&) = delete;

  // For WM_CTLCOLORSTATIC of label, whose paint dc is: paints the part of
  // the tab's body beneath the label and sets the text colours; returns the
  // brush the label fills its background with.
  HBRUSH PaintBehind(HWND tab, HWND label, HDC dc);
  // The visual style or the DPI changed: the tab's theme is opened again at
  // the next paint.
  void Forget();

 private:
  // Null without a visual style.
  HTHEME Theme(HWND tab);

  HTHEME theme_ = nullptr;
  bool opened_ = false;
};

}  // namespace vantrel::win32
