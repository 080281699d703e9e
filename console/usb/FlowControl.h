// The port's DCB flag word for the XON/XOFF switch: fBinary alone, plus
// fOutX when XON/XOFF output flow control is on; every other flag cleared.
#pragma once

#include <cstdint>

namespace vantrel {

inline constexpr std::uint32_t kDcbBinary = 0x1;
inline constexpr std::uint32_t kDcbOutX = 0x100;

constexpr std::uint32_t FlowControlFlags(bool xonXoff) { return kDcbBinary | (xonXoff ? kDcbOutX : 0); }

}  // namespace vantrel
