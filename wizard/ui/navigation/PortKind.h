// The kind of connection the user picked on the ports page. Stored and passed
// on as a 32-bit number, so the values are fixed.
#pragma once

#include <cstdint>

namespace quispor {

enum PortKind : int32_t {
  PORT_USB = 0,
  PORT_ENET = 1,
  PORT_COM = 2,
  PORT_LPT = 3,
};

}  // namespace quispor
