#include "console/editor/MainLayout.h"

#include <algorithm>

namespace vantrel {

namespace {

// The grid at 96 DPI.
constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 400;
constexpr int kTreeWidth = 200;
constexpr int kMargin = 10;
constexpr int kRightLeft = kTreeWidth + kMargin;  // left edge of the editor
constexpr int kInset = 14;                         // from a group's edge to its labels and fields
constexpr int kLabelWidth = 100;
constexpr int kLabelHeight = 16;
constexpr int kLabelDrop = 3;                      // a label sits this much below its field's top
constexpr int kFieldLeft = kInset + kLabelWidth + 6;
constexpr int kMinFieldWidth = 120;
constexpr int kRowHeight = 22;
constexpr int kComboHeight = 200;
constexpr int kGroupTop = 8;
constexpr int kGroupHeight = 112;
constexpr std::array<int, 3> kConfigRows = {30, 56, 82};
constexpr int kPagesTop = 130;
constexpr int kPagesHeight = 120;
constexpr std::array<int, 2> kPageRows = {164, 194};
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;

constexpr int kMinRightWidth = kFieldLeft + kMinFieldWidth + kInset;
constexpr int kMinWidth = kRightLeft + kMinRightWidth + kMargin;
constexpr int kMinHeight = kPagesTop + kPagesHeight + kMargin + kButtonHeight + kMargin;
static_assert(2 * kButtonWidth + kMargin <= kMinRightWidth, "both buttons fit beside the tree");

// A label and its field on one row of a group spanning [left, right).
void Row(int left, int right, int y, int dpi, Box* label, Box* field) {
  *label = {left + ScaleForDpi(kInset, dpi), y + ScaleForDpi(kLabelDrop, dpi), ScaleForDpi(kLabelWidth, dpi),
            ScaleForDpi(kLabelHeight, dpi)};
  const int fieldX = left + ScaleForDpi(kFieldLeft, dpi);
  *field = {fieldX, y, right - ScaleForDpi(kInset, dpi) - fieldX, ScaleForDpi(kRowHeight, dpi)};
}

}  // namespace

int ScaleForDpi(int value, int dpi) {
  // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
  const long long scaled = static_cast<long long>(value) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}

ClientSize InitialClientSize(int dpi) { return {ScaleForDpi(kInitialWidth, dpi), ScaleForDpi(kInitialHeight, dpi)}; }

ClientSize MinimumClientSize(int dpi) { return {ScaleForDpi(kMinWidth, dpi), ScaleForDpi(kMinHeight, dpi)}; }

MainLayout LayOutMainWindow(ClientSize client, int dpi) {
  const ClientSize minimum = MinimumClientSize(dpi);
  const int width = std::max(client.width, minimum.width);
  const int height = std::max(client.height, minimum.height);
  const auto s = [dpi](int value) { return ScaleForDpi(value, dpi); };

  MainLayout layout;
  // The tree fills the left edge of the visible client area.
  layout.tree = {0, 0, s(kTreeWidth), std::max(client.height, 0)};
  const int left = s(kRightLeft);
  const int right = width - s(kMargin);
  layout.configGroup = {left, s(kGroupTop), right - left, s(kGroupHeight)};
  for (std::size_t i = 0; i < kConfigRows.size(); ++i) {
    Row(left, right, s(kConfigRows[i]), dpi, &layout.configLabels[i], &layout.configFields[i]);
  }
  layout.pages = {left, s(kPagesTop), right - left, s(kPagesHeight)};
  for (std::size_t i = 0; i < kPageRows.size(); ++i) {
    Row(left, right, s(kPageRows[i]), dpi, &layout.pageLabels[i], &layout.pageFields[i]);
  }
  const int buttonY = height - s(kMargin) - s(kButtonHeight);
  layout.save = {right - s(kButtonWidth), buttonY, s(kButtonWidth), s(kButtonHeight)};
  layout.checkHealth = {layout.save.x - s(kMargin) - s(kButtonWidth), buttonY, s(kButtonWidth), s(kButtonHeight)};
  layout.comboHeight = s(kComboHeight);
  return layout;
}

Backdrop LabelBackdrop(const Box& label, const Box& pages) {
  const bool inside = label.x >= pages.x && label.y >= pages.y && label.right() <= pages.right() &&
                      label.bottom() <= pages.bottom();
  return inside ? Backdrop::TabBody : Backdrop::WindowFace;
}

}  // namespace vantrel
