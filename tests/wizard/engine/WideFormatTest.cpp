// The formatter follows the C runtime's wide swprintf for the engine's lines.
#include "wizard/engine/WideFormat.h"

#include <gtest/gtest.h>

#include <limits>

namespace quispor {
namespace {

TEST(WideFormatTest, ConversionsOfTheEngineLines) {
  EXPECT_EQ(WideFormat(u"%ws_Port_%d", {u"192.168.1.100", 9100}), u"192.168.1.100_Port_9100");
  EXPECT_EQ(WideFormat(u"%s(%d)", {u"VEXO_80", 12}), u"VEXO_80(12)");
  EXPECT_EQ(WideFormat(u"%s -- ERROR CODE = %d", {u"F.", -1}), u"F. -- ERROR CODE = -1");
  EXPECT_EQ(WideFormat(u"USB%3d", {int32_t{7}}), u"USB  7");
  EXPECT_EQ(WideFormat(u"USB0%2d", {int32_t{12}}), u"USB012");
  EXPECT_EQ(WideFormat(u"x=0x%x,%u %%", {uint32_t{0xBEEF}, uint32_t{4000000000u}}), u"x=0xbeef,4000000000 %");
  EXPECT_EQ(WideFormat(u"%d", {std::numeric_limits<int32_t>::min()}), u"-2147483648");
  // %d takes a 32-bit value, as on Windows.
  EXPECT_EQ(WideFormat(u"%d", {uint32_t{0xFFFFFFFFu}}), u"-1");
}

TEST(WideFormatTest, MissingArgumentsAndNullTexts) {
  EXPECT_EQ(WideFormat(u"a%sb%dc", {}), u"abc");
  EXPECT_EQ(WideFormat(u"%s", {static_cast<const char16_t*>(nullptr)}), u"(null)");
  EXPECT_EQ(WideFormat(u"end%", {}), u"end%");
  EXPECT_EQ(WideFormat(u"%q", {1}), u"%q");
}

}  // namespace
}  // namespace quispor
