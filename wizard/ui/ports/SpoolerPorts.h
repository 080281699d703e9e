// The serial and parallel pages' port lists: the names each page offers of
// the spooler's ports, enumerated once at the page's creation.
#pragma once

#include <cstdint>
#include <vector>

#include "wizard/engine/SpoolerPortList.h"

namespace quispor {

// "COM" and ":" both in the name, case-sensitively (COM1: yes; com1:, COM1 no).
bool IsSerialPortName(const char16_t* name);
// "LPT" and ":" both in the name, case-sensitively.
bool IsParallelPortName(const char16_t* name);

// The names the serial (or parallel) page adds, in enumeration order.
std::vector<const char16_t*> SerialPortNames(const SpoolerPortList& ports);
std::vector<const char16_t*> ParallelPortNames(const SpoolerPortList& ports);

}  // namespace quispor
