// The Ethernet page's port: the address and TCP port number read from the
// page, a Standard TCP/IP port found for them, or created and found again.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/Registry.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/UserMessages.h"

namespace quispor {

struct EnetPortServices {
  platform::Registry& registry;
  platform::Spooler& spooler;
  platform::UserMessages& messages;
};

// addressText: the IP address control's text; portText: the port number
// field's text (at most 63 characters are read). Fills ipAddress (260 wide
// characters) and tcpPortNumber, then portName (260, emptied by the
// caller): the existing port, else the one created; empty when there is
// none.
void ReadEnetPortName(const EnetPortServices& services, const char16_t* addressText, const char16_t* portText,
                      char16_t* ipAddress, int32_t& tcpPortNumber, char16_t* portName);

}  // namespace quispor
