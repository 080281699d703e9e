// The spooler's ports as one enumeration: what the serial and parallel
// pages offer, and what an unattended run checks a port name against.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/SpoolerBuffer.h"

namespace quispor {

// One enumeration, kept as long as its names are used: PORT_INFO_2W
// records at the front of the buffer.
struct SpoolerPortList {
  platform::SpoolerBuffer buffer;
  uint32_t count = 0;
};

// EnumPortsW level 2 as a two-call size query. Empty when the size is 0, the
// buffer cannot be had, or the second call returns no ports.
SpoolerPortList EnumerateSpoolerPorts(platform::Spooler& spooler);

// The enumeration's spelling of name, compared without regard to ASCII case
// (as the spooler compares port names); null when it does not list it.
const char16_t* FindListedPort(const SpoolerPortList& ports, const char16_t* name);

}  // namespace quispor
