// The serial and parallel pages' port lists: the spooler's ports enumerated
// once at the page's creation, and the names each page offers.
#pragma once

#include <cstdint>
#include <vector>

#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/SpoolerBuffer.h"

namespace quispor {

// The enumeration a page keeps for the rest of the run: PORT_INFO_2W
// records at the front of the buffer.
struct SpoolerPortList {
  platform::SpoolerBuffer buffer;
  uint32_t count = 0;
};

// EnumPortsW level 2 as a two-call size query. Empty when the size is 0, the
// buffer cannot be had, or the second call returns no ports.
SpoolerPortList EnumerateSpoolerPorts(platform::Spooler& spooler);

// "COM" and ":" both in the name, case-sensitively (COM1: yes; com1:, COM1 no).
bool IsSerialPortName(const char16_t* name);
// "LPT" and ":" both in the name, case-sensitively.
bool IsParallelPortName(const char16_t* name);

// The names the serial (or parallel) page adds, in enumeration order.
std::vector<const char16_t*> SerialPortNames(const SpoolerPortList& ports);
std::vector<const char16_t*> ParallelPortNames(const SpoolerPortList& ports);

}  // namespace quispor
