#include "console/store/RegistryNameIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

// Enough names to grow the index several times; each is found in any letter
// case, and only letters fold.
TEST(RegistryNameIndexTest, FindsEveryNameAsTheRegistryComparesNames) {
  std::vector<std::string> names;
  RegistryNameIndex index;
  const auto nameAt = [&names](std::size_t i) -> std::string_view { return names[i]; };
  for (int i = 0; i < 1000; ++i) {
    names.push_back("Lane \xe4" + std::to_string(i));
    index.Add(names.size() - 1, nameAt);
  }
  for (int i = 0; i < 1000; ++i) {
    const std::optional<std::size_t> found = index.Find("LANE \xe4" + std::to_string(i), nameAt);
    ASSERT_TRUE(found) << i;
    EXPECT_EQ(*found, static_cast<std::size_t>(i));
  }
  EXPECT_FALSE(index.Find("Lane \xc4" "1", nameAt));  // a byte beyond ASCII keeps its case
  EXPECT_FALSE(index.Find("Lane \xe4" "1000", nameAt));
  EXPECT_FALSE(RegistryNameIndex().Find("Lane", nameAt));
}

}  // namespace
}  // namespace vantrel
