// Whether an installation would only repeat one made before: a printer of the
// model's driver on the same port.
#pragma once

#include <string>

#include "wizard/engine/platform/Spooler.h"

namespace quispor::unattended {

// The first local printer whose driver is driverName and whose port (one of
// its ports, for a pooled printer) is portName, both compared without regard
// to ASCII case; empty when there is none. Connections to other computers'
// queues do not count: their ports are the server's.
std::u16string FindPrinterOnPort(platform::Spooler& spooler, const char16_t* driverName, const char16_t* portName);

}  // namespace quispor::unattended
