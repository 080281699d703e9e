// A class or interface identifier with the memory layout of the Windows GUID,
// so the adapters can pass it straight through.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::uint8_t data4[8] = {};

  friend bool operator==(const Guid&, const Guid&) = default;
};
static_assert(sizeof(Guid) == 16);

// Registry form: "{CCB90152-B81E-11D2-AB74-0040054C3719}" (upper-case hex).
std::string FormatGuid(const Guid& guid);

}  // namespace vantrel
