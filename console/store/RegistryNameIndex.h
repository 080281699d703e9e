// Positions of names kept in a list elsewhere, found as the registry finds
// a name (SameRegistryName): open addressing over a hash of the name's
// letters without case. For lists of thousands of device or alternate
// names, where a map of name copies costs a node, a copy and a cache miss
// per name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "console/store/RegistryName.h"

namespace vantrel {

class RegistryNameIndex {
 public:
  // nameAt(position) is the name stored at that position of the list.
  template <typename NameAt>
  std::optional<std::size_t> Find(std::string_view name, const NameAt& nameAt) const {
    if (slots_.empty()) return std::nullopt;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = RegistryNameHash(name) & mask;; i = (i + 1) & mask) {
      if (slots_[i] == 0) return std::nullopt;
      if (SameRegistryName(nameAt(slots_[i] - 1), name)) return slots_[i] - 1;
    }
  }

  // Adds a position whose name is not in the index yet.
  template <typename NameAt>
  void Add(std::size_t position, const NameAt& nameAt) {
    // At most half full, so that a search soon meets a free slot.
    if (2 * (count_ + 1) > slots_.size()) {
      std::vector<std::uint32_t> old(slots_.empty() ? 16 : 2 * slots_.size(), 0);
      old.swap(slots_);
      for (const std::uint32_t slot : old) {
        if (slot != 0) Place(slot - 1, nameAt);
      }
    }
    Place(position, nameAt);
    ++count_;
  }

 private:
  template <typename NameAt>
  void Place(std::size_t position, const NameAt& nameAt) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = RegistryNameHash(nameAt(position)) & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = static_cast<std::uint32_t>(position + 1);
  }

  std::vector<std::uint32_t> slots_;  // position + 1; 0 is free
  std::size_t count_ = 0;
};

}  // namespace vantrel
