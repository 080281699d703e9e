// The second click of a double click on a wizard button, as the host's loop
// feeds the messages to the step machine: dropped when the first click's
// handler moved to another step, however fast it was; never for keys or
// BM_CLICK, nor for a click that is no double click by the system's rule.
#include "wizard/ui/navigation/SecondClickGuard.h"

#include <gtest/gtest.h>

#include "tests/wizard/ui/EnglishTexts.h"
#include "tests/wizard/ui/RecordingHost.h"
#include "wizard/ui/navigation/WizardNavigator.h"

namespace quispor {
namespace {

constexpr InputMessage Press(uint32_t time, int32_t x = 300, int32_t y = 400) {
  return {InputKind::MousePress, time, x, y};
}
constexpr InputMessage Release(uint32_t time, int32_t x = 300, int32_t y = 400) {
  return {InputKind::MouseRelease, time, x, y};
}
constexpr InputMessage kKey{InputKind::Other, 0, 0, 0};

// A handler started by the message the guard took last, moving to another
// step or not.
void Handler(SecondClickGuard& guard, bool changedMeaning, DoubleClickLimits limits = {}) {
  guard.HandlerStarted();
  guard.HandlerEnded(changedMeaning, limits);
}

TEST(SecondClickGuard, OnlyTheSecondPressOfADoubleClickAfterAChangeIsDroppedWithItsRelease) {
  SecondClickGuard guard;
  EXPECT_FALSE(guard.Take(Press(1000)));
  EXPECT_FALSE(guard.Take(Release(1040)));
  Handler(guard, true);
  EXPECT_FALSE(guard.Take({InputKind::Other, 1050, 0, 0}));  // a paint between the clicks
  EXPECT_TRUE(guard.Take(Press(1499, 301, 401)));
  EXPECT_TRUE(guard.Take(Release(1520, 301, 401)));
  // The third press is a click of its own.
  EXPECT_FALSE(guard.Take(Press(1530)));
  EXPECT_FALSE(guard.Take(Release(1560)));
}

TEST(SecondClickGuard, APressOutsideTheSystemsDoubleClickActs) {
  struct Case {
    InputMessage second;
    DoubleClickLimits limits;
  };
  const Case cases[] = {
      {Press(1500), {}},                       // the double-click time has passed
      {Press(1000 + 200), {200, 4, 4}},        // a shorter one, set by the user
      {Press(1100, 302, 400), {}},             // half the rectangle's width away
      {Press(1100, 300, 398), {}},             // half its height away
      {Press(1100, 310, 400), {500, 20, 4}},   // outside a wider rectangle too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.second.time << " " << c.second.x << "," << c.second.y);
    SecondClickGuard guard;
    guard.Take(Press(1000));
    guard.Take(Release(1040));
    Handler(guard, true, c.limits);
    EXPECT_FALSE(guard.Take(c.second));
    EXPECT_FALSE(guard.Take(Release(c.second.time + 30, c.second.x, c.second.y)));
  }
  // The tick count wraps between the clicks.
  SecondClickGuard guard;
  guard.Take(Press(0xFFFFFF00u));
  guard.Take(Release(0xFFFFFF40u));
  Handler(guard, true);
  EXPECT_TRUE(guard.Take(Press(0x40u)));
}

TEST(SecondClickGuard, KeysBmClickAndHandlersThatChangeNothingAreNoFirstClick) {
  SecondClickGuard guard;
  guard.Take(Press(1000));
  guard.Take(Release(1040));
  guard.Take(kKey);  // Enter, Space, or a posted BM_CLICK started the handler
  Handler(guard, true);
  EXPECT_FALSE(guard.Take(Press(1100)));
  guard.Take(Release(1140));
  Handler(guard, false);  // a message box, and the same step
  EXPECT_FALSE(guard.Take(Press(1200)));
  // A release without its press (the press went to another window).
  SecondClickGuard other;
  other.Take(Release(1000));
  Handler(other, true);
  EXPECT_FALSE(other.Take(Press(1100)));
}

// The whole path on the step machine: a mouse double click on Next at the
// serial page installs once and leaves "Close" alone; a later click closes.
TEST(SecondClickGuard, ADoubleClickOnNextAtAPortPageStopsAtTheFinishPage) {
  testing::UseLanguage(0x0409);
  testing::RecordingHost host;
  WizardSelections selections;
  WizardNavigator nav(host, host, host, selections);
  nav.BeginInitialise({});
  nav.FinishInitialise();
  nav.OnNext();
  selections.portKind = PORT_COM;
  nav.OnNext();
  host.portToRead = u"COM1:";
  // The host dispatches what the navigator does not drop; a release on
  // Next clicks it.
  const auto feed = [&](const InputMessage& message) {
    if (nav.DropsInput(message)) return;
    if (message.kind == InputKind::MouseRelease) nav.OnNext();
  };
  feed(Press(5000));
  feed(Release(5030));
  ASSERT_EQ(nav.step(), STEP_FINISH);
  feed(Press(5060));
  feed(Release(5090));
  EXPECT_EQ(host.exitCode, -1) << "the second click closed the wizard";
  feed(Press(5700));
  feed(Release(5730));
  EXPECT_EQ(host.exitCode, kExitFinished);
}

}  // namespace
}  // namespace quispor
