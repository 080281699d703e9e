#include "console/editor/MainLayout.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

std::vector<Box> Boxes(const MainLayout& l) {
  std::vector<Box> boxes = {l.tree, l.configGroup, l.pages, l.checkHealth, l.save};
  boxes.insert(boxes.end(), l.configLabels.begin(), l.configLabels.end());
  boxes.insert(boxes.end(), l.configFields.begin(), l.configFields.end());
  boxes.insert(boxes.end(), l.pageLabels.begin(), l.pageLabels.end());
  boxes.insert(boxes.end(), l.pageFields.begin(), l.pageFields.end());
  return boxes;
}

bool Inside(const Box& inner, const Box& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
}

TEST(MainLayout, At96DpiTheWindowOpensWithTheFamiliarGrid) {
  const ClientSize client = InitialClientSize(96);
  EXPECT_EQ(client, (ClientSize{640, 400}));
  const MainLayout l = LayOutMainWindow(client, 96);
  EXPECT_EQ(l.tree, (Box{0, 0, 200, 400}));
  EXPECT_EQ(l.configGroup, (Box{210, 8, 420, 112}));
  EXPECT_EQ(l.configLabels[0], (Box{224, 33, 100, 16}));
  EXPECT_EQ(l.configFields[2], (Box{330, 82, 286, 22}));
  EXPECT_EQ(l.pages, (Box{210, 130, 420, 120}));
  EXPECT_EQ(l.pageFields[1], (Box{330, 194, 286, 22}));
  EXPECT_EQ(l.checkHealth, (Box{420, 362, 100, 28}));
  EXPECT_EQ(l.save, (Box{530, 362, 100, 28}));
}

TEST(MainLayout, EverythingScalesWithTheDpi) {
  const std::vector<Box> at96 = Boxes(LayOutMainWindow(InitialClientSize(96), 96));
  const std::vector<Box> at144 = Boxes(LayOutMainWindow(InitialClientSize(144), 144));
  EXPECT_EQ(InitialClientSize(144), (ClientSize{960, 600}));
  ASSERT_EQ(at96.size(), at144.size());
  for (std::size_t i = 0; i < at96.size(); ++i) {
    const Box& a = at96[i];
    const Box& b = at144[i];
    // Each edge lands within a pixel of one and a half times its place.
    EXPECT_NEAR(b.x, a.x * 1.5, 1) << i;
    EXPECT_NEAR(b.y, a.y * 1.5, 1) << i;
    EXPECT_NEAR(b.right(), a.right() * 1.5, 1) << i;
    EXPECT_NEAR(b.bottom(), a.bottom() * 1.5, 1) << i;
  }
  EXPECT_EQ(ScaleForDpi(5, 120), 6);  // 6.25 rounds down
  EXPECT_EQ(ScaleForDpi(7, 144), 11);  // 10.5 rounds up
}

TEST(MainLayout, TheEditorGrowsWithTheWindowAndTheTreeKeepsItsWidth) {
  const MainLayout small = LayOutMainWindow({640, 400}, 96);
  const MainLayout wide = LayOutMainWindow({840, 500}, 96);
  EXPECT_EQ(wide.tree.width, small.tree.width);
  EXPECT_EQ(wide.tree.height, 500);
  EXPECT_EQ(wide.configGroup.width, small.configGroup.width + 200);
  EXPECT_EQ(wide.pages.width, small.pages.width + 200);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(wide.configFields[i].width, small.configFields[i].width + 200);
  EXPECT_EQ(wide.pageFields[0].width, small.pageFields[0].width + 200);
  EXPECT_EQ(wide.save.x, small.save.x + 200);
  EXPECT_EQ(wide.save.y, small.save.y + 100);
}

TEST(MainLayout, TheMinimumSizeKeepsTheEditorWhole) {
  for (int dpi : {96, 120, 144, 192}) {
    const ClientSize minimum = MinimumClientSize(dpi);
    const Box client{0, 0, minimum.width, minimum.height};
    for (ClientSize size : {minimum, ClientSize{0, 0}, ClientSize{minimum.width / 2, minimum.height - 1}}) {
      const MainLayout l = LayOutMainWindow(size, dpi);
      EXPECT_TRUE(Inside(l.configGroup, client)) << dpi;
      EXPECT_GT(l.configGroup.x, l.tree.right()) << dpi;
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(Inside(l.configFields[i], l.configGroup)) << dpi;
        EXPECT_LT(l.configLabels[i].right(), l.configFields[i].x) << dpi;
        // Each scaled term rounds on its own.
        EXPECT_GE(l.configFields[i].width, ScaleForDpi(120, dpi) - 2) << dpi;
      }
      EXPECT_TRUE(Inside(l.save, client)) << dpi;
      EXPECT_GT(l.checkHealth.x, l.tree.right()) << dpi;
      EXPECT_LT(l.checkHealth.right(), l.save.x) << dpi;
      EXPECT_LT(l.pages.bottom(), l.save.y) << dpi;
    }
  }
}

// The connection pages' labels stand on the tab control's body and the
// "Config" labels on the window, at every DPI and size the window takes.
TEST(MainLayout, PageLabelsTakeTheTabBodyAndTheOthersTheWindowFace) {
  for (int dpi : {96, 144, 192}) {
    for (ClientSize size : {InitialClientSize(dpi), MinimumClientSize(dpi), ClientSize{1500, 900}}) {
      const MainLayout l = LayOutMainWindow(size, dpi);
      for (const Box& label : l.pageLabels) EXPECT_EQ(LabelBackdrop(label, l.pages), Backdrop::TabBody) << dpi;
      for (const Box& label : l.configLabels) {
        EXPECT_EQ(LabelBackdrop(label, l.pages), Backdrop::WindowFace) << dpi;
      }
    }
  }
}

TEST(MainLayout, ALabelReachingPastTheTabControlTakesTheWindowFace) {
  const Box pages{210, 130, 420, 120};
  EXPECT_EQ(LabelBackdrop({210, 130, 420, 120}, pages), Backdrop::TabBody);  // edge to edge
  EXPECT_EQ(LabelBackdrop({205, 160, 100, 16}, pages), Backdrop::WindowFace);
  EXPECT_EQ(LabelBackdrop({224, 240, 100, 16}, pages), Backdrop::WindowFace);
  EXPECT_EQ(LabelBackdrop({540, 160, 100, 16}, pages), Backdrop::WindowFace);
  EXPECT_EQ(LabelBackdrop({224, 120, 100, 16}, pages), Backdrop::WindowFace);
}

}  // namespace
}  // namespace vantrel
