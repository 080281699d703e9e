// Reading of the Ethernet page's TCP port number field.
#pragma once

#include <cstdint>

namespace quispor {

// Signed decimal conversion as the C runtime's wcstol does it for these
// fields: leading white space and one sign are accepted, digits are taken up
// to the first other character, and a text without leading digits gives 0.
// A number beyond the 32-bit range saturates instead of wrapping.
int32_t ParseTcpPortNumber(const char16_t* text);

}  // namespace quispor
