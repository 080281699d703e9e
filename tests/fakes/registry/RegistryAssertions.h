// GoogleTest assertions on the in-memory registry that report the caller's
// line: EXPECT_TRUE(HasSz(store, path, name, "text")).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/fakes/registry/FakeRegistryStore.h"

namespace kit::fakes {

inline ::testing::AssertionResult HasSz(const FakeRegistryStore& store, const std::u16string& path,
                                        const std::string& name, const std::string& expected) {
  const auto value = store.Value(path, WidenBytes(name));
  if (!value) return ::testing::AssertionFailure() << "no value '" << name << "'";
  if (value->type != 1) {
    return ::testing::AssertionFailure() << "'" << name << "' has type " << value->type;
  }
  std::u16string wide = WidenBytes(expected);
  wide.push_back(0);  // written with its terminator
  std::vector<std::uint8_t> bytes;
  for (char16_t c : wide) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (value->data != bytes) {
    std::string got;
    for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
      got.push_back(static_cast<char>(value->data[i]));
    }
    return ::testing::AssertionFailure()
           << "'" << name << "' holds \"" << got.c_str() << "\" (" << value->data.size()
           << " bytes), expected \"" << expected << "\" with terminator";
  }
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult HasDword(const FakeRegistryStore& store,
                                           const std::u16string& path, const std::string& name,
                                           std::uint32_t expected) {
  const auto value = store.Value(path, WidenBytes(name));
  if (!value) return ::testing::AssertionFailure() << "no value '" << name << "'";
  if (value->type != 4 || value->data.size() != 4) {
    return ::testing::AssertionFailure() << "'" << name << "' has type " << value->type
                                         << " and " << value->data.size() << " bytes";
  }
  const std::uint32_t got = value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                            static_cast<std::uint32_t>(value->data[3]) << 24;
  if (got != expected) {
    return ::testing::AssertionFailure() << "'" << name << "' is " << got << ", expected "
                                         << expected;
  }
  return ::testing::AssertionSuccess();
}

// The keys below path (spelled as created) with each value's name, type
// and bytes in enumeration order: equal dumps are equal registries.
inline std::string Dump(const FakeRegistryStore& store, const std::u16string& path) {
  std::string out = NarrowBytes(path) + "\n";
  for (const std::u16string& name : store.ValueNames(path)) {
    const auto value = store.Value(path, name);
    out += "  " + NarrowBytes(name) + ":" + std::to_string(value->type) + ":";
    for (std::uint8_t b : value->data) {
      out += "0123456789abcdef"[b >> 4];
      out += "0123456789abcdef"[b & 15];
    }
    out += "\n";
  }
  for (const std::u16string& key : store.SubkeyNames(path)) out += Dump(store, path + u"\\" + key);
  return out;
}

}  // namespace kit::fakes
