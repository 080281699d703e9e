#include "wizard/ui/pages/CentreRule.h"

#include <gtest/gtest.h>

#include "wizard/ui/pages/EnetFields.h"

namespace quispor {
namespace {

::testing::AssertionResult At(Point p, int x, int y) {
  if (p.x == x && p.y == y) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at (" << p.x << ", " << p.y << "), expected (" << x
                                       << ", " << y << ")";
}

TEST(CentreRule, CentresOnTheReferenceWithTruncatedHalves) {
  const Rect work{0, 0, 1024, 738};
  EXPECT_TRUE(At(CentredOrigin(600, 330, work, work), 212, 204));
  // Odd sizes: 512 - 601/2 (300) = 212; 369 - 331/2 (165) = 204.
  EXPECT_TRUE(At(CentredOrigin(601, 331, work, work), 212, 204));
  // A page in the host's client area.
  const Rect client{0, 0, 594, 309};
  EXPECT_TRUE(At(CentredOrigin(494, 238, client, client), 50, 35));
}

TEST(CentreRule, MonitorLeftOfThePrimaryKeepsNegativeCoordinates) {
  const Rect work{-1280, 0, 0, 1000};
  EXPECT_TRUE(At(CentredOrigin(600, 400, work, work), -940, 300));
  // The centre of an odd span is truncated toward zero: -1281 / 2 = -640.
  const Rect odd{-1281, 0, 0, 1000};
  EXPECT_TRUE(At(CentredOrigin(600, 400, odd, odd), -940, 300));
}

TEST(CentreRule, ClampsRightThenLeftThenBottomThenTop) {
  const Rect area{100, 50, 500, 350};
  // Centre far right and low: pushed back inside on the right and bottom.
  EXPECT_TRUE(At(CentredOrigin(100, 100, Rect{800, 700, 1000, 900}, area), 400, 250));
  // Centre far left and high: pushed to the left and top edges.
  EXPECT_TRUE(At(CentredOrigin(100, 100, Rect{-500, -500, -300, -300}, area), 100, 50));
  // Larger than the area: the left and top edges win, since they come last.
  EXPECT_TRUE(At(CentredOrigin(800, 600, area, area), 100, 50));
}

TEST(TcpPortNumber, ConvertsLikeASignedDecimalPrefix) {
  EXPECT_EQ(ParseTcpPortNumber(u"9100"), 9100);
  EXPECT_EQ(ParseTcpPortNumber(u"  \t+9100"), 9100);
  EXPECT_EQ(ParseTcpPortNumber(u"-12"), -12);
  EXPECT_EQ(ParseTcpPortNumber(u"91abc00"), 91);
  EXPECT_EQ(ParseTcpPortNumber(u"abc"), 0);
  EXPECT_EQ(ParseTcpPortNumber(u""), 0);
  EXPECT_EQ(ParseTcpPortNumber(u"+-5"), 0);
  EXPECT_EQ(ParseTcpPortNumber(u" 9 100"), 9);
  EXPECT_EQ(ParseTcpPortNumber(nullptr), 0);
}

TEST(TcpPortNumber, OutOfRangeSaturatesLikeTheRuntime) {
  EXPECT_EQ(ParseTcpPortNumber(u"2147483647"), 2147483647);
  EXPECT_EQ(ParseTcpPortNumber(u"99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseTcpPortNumber(u"-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseTcpPortNumber(u"-99999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace quispor
