// Where the console window's controls stand: a grid in pixels at 96 DPI,
// scaled to the window's DPI. The tree keeps its width and fills the height;
// the editor on its right takes the rest of the width, so its fields grow
// with the window; the two buttons keep to the bottom right corner. Below
// the minimum client size nothing shrinks further, so the "Config" group is
// never cut off.
#pragma once

#include <array>

namespace vantrel {

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
  bool operator==(const Box&) const = default;
};

struct ClientSize {
  int width = 0;
  int height = 0;
  bool operator==(const ClientSize&) const = default;
};

struct MainLayout {
  Box tree;
  Box configGroup;
  // "Device Name:", "Alternate Name:", "Connect Type:" and their fields.
  std::array<Box, 3> configLabels;
  std::array<Box, 3> configFields;
  Box pages;
  // The first and second row of whichever connection page shows.
  std::array<Box, 2> pageLabels;
  std::array<Box, 2> pageFields;
  Box checkHealth;
  Box save;
  // Height of a combo box's window with its list dropped.
  int comboHeight = 0;
};

// value pixels at 96 DPI, at dpi.
int ScaleForDpi(int value, int dpi);

ClientSize InitialClientSize(int dpi);
ClientSize MinimumClientSize(int dpi);
// The layout for a client area of this size (smaller sizes count as the
// minimum).
MainLayout LayOutMainWindow(ClientSize client, int dpi);

// What a label is painted on. The labels are children of the window, as are
// the group box and the tab control they stand on, so nothing beneath shows
// through them: each takes the face of what it stands on.
enum class Backdrop {
  WindowFace,  // the window's own (the "Config" group's inside is the same)
  TabBody,     // the tab control's body: its visual style's pane, if any
};
// label and pages (the tab control) in the same coordinates: a label lying
// wholly on the tab control stands on its body; any other on the window.
Backdrop LabelBackdrop(const Box& label, const Box& pages);

}  // namespace vantrel
