#include "wizard/removal/PlatformRemoval.h"

#include <gtest/gtest.h>

#include "tests/fakes/wizard/FakeDeviceSetup.h"

namespace quispor::removal::test {
namespace {

TEST(PlugAndPlayReenumerationTest, ReenumeratesFromTheRootAndReportsTheLastCode) {
  kit::fakes::FakeDeviceSetup setup;
  PlugAndPlayReenumeration devices(setup);
  EXPECT_EQ(devices.ReenumerateDevices(), 0u);
  EXPECT_EQ(setup.calls, (std::vector<std::string>{"CM_Locate_DevNodeW(id=null, flags=0)",
                                                   "CM_Reenumerate_DevNode(1, flags=0)"}));
  setup.calls.clear();
  setup.locateResult = 19;  // what Wine answers
  EXPECT_EQ(devices.ReenumerateDevices(), 19u);
  EXPECT_EQ(setup.calls, (std::vector<std::string>{"CM_Locate_DevNodeW(id=null, flags=0)"}));
}

}  // namespace
}  // namespace quispor::removal::test
