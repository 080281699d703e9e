// Positions of names kept in a list elsewhere, found as the registry finds
// a name (SameRegistryName): open addressing over RegistryNameHash, each
// slot holding a position with its name's hash. For lists of thousands of
// device or alternate names, where a map of name copies costs a node, a
// copy and a cache miss per name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "console/store/RegistryName.h"

namespace vantrel {

class RegistryNameIndex {
 public:
  // nameAt(position) is the name stored at that position of the list.
  template <typename NameAt>
  std::optional<std::size_t> Find(std::string_view name, const NameAt& nameAt) const {
    return Search(name, RegistryNameHash(name), nameAt).second;
  }

  // Adds a position whose name is not in the index yet.
  template <typename NameAt>
  void Add(std::size_t position, const NameAt& nameAt) {
    Place(position, static_cast<std::uint32_t>(RegistryNameHash(nameAt(position))));
  }

  // Find, and when the name is not there, adds position for it (whose name
  // need not be in the list yet): one hash and one search for both.
  template <typename NameAt>
  std::optional<std::size_t> FindOrAdd(std::string_view name, std::size_t position, const NameAt& nameAt) {
    const std::size_t hash = RegistryNameHash(name);
    const auto [free, found] = Search(name, hash, nameAt);
    if (found) return found;
    if (2 * (count_ + 1) > slots_.size()) {
      Place(position, static_cast<std::uint32_t>(hash));
    } else {
      slots_[free] = Slot{static_cast<std::uint32_t>(position + 1), static_cast<std::uint32_t>(hash)};
      ++count_;
    }
    return std::nullopt;
  }

 private:
  struct Slot {
    std::uint32_t position;  // + 1; 0 is free
    std::uint32_t hash;
  };

  // The free slot where the search ended, or the position found.
  template <typename NameAt>
  std::pair<std::size_t, std::optional<std::size_t>> Search(std::string_view name, std::size_t hash,
                                                            const NameAt& nameAt) const {
    if (slots_.empty()) return {0, std::nullopt};
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.position == 0) return {i, std::nullopt};
      if (slot.hash == static_cast<std::uint32_t>(hash) && SameRegistryName(nameAt(slot.position - 1), name)) {
        return {i, slot.position - 1};
      }
    }
  }

  void Place(std::size_t position, std::uint32_t hash) {
    // At most half full, so that a search soon meets a free slot.
    if (2 * (count_ + 1) > slots_.size()) {
      std::vector<Slot> old(slots_.empty() ? 16 : 2 * slots_.size(), Slot{0, 0});
      old.swap(slots_);
      for (const Slot& slot : old) {
        if (slot.position != 0) Put(slot);
      }
    }
    Put(Slot{static_cast<std::uint32_t>(position + 1), hash});
    ++count_;
  }

  void Put(const Slot& slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].position != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace vantrel
