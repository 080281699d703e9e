#include "wizard/engine/SpoolerPortList.h"

#include "wizard/engine/NameCompare.h"

namespace quispor {

SpoolerPortList EnumerateSpoolerPorts(platform::Spooler& spooler) {
  SpoolerPortList ports;
  uint32_t needed = 0;
  uint32_t returned = 0;
  spooler.EnumPortsW(nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) {
    return ports;
  }
  ports.buffer = platform::SpoolerBuffer(needed);
  if (ports.buffer.data() == nullptr) {
    return ports;
  }
  returned = 0;
  if (spooler.EnumPortsW(nullptr, 2, ports.buffer.data(), ports.buffer.size(), &needed, &returned) != 0 ||
      returned == 0) {
    ports.buffer = platform::SpoolerBuffer();
    return ports;
  }
  // Never more records than the buffer holds.
  const uint32_t fits = ports.buffer.size() / sizeof(platform::PortInfo2W);
  ports.count = returned < fits ? returned : fits;
  return ports;
}

const char16_t* FindListedPort(const SpoolerPortList& ports, const char16_t* name) {
  for (uint32_t i = 0; i < ports.count; ++i) {
    const char16_t* listed = ports.buffer.record<platform::PortInfo2W>(i).pPortName;
    if (listed != nullptr && NamesEqualIgnoringCase(listed, name)) {
      return listed;
    }
  }
  return nullptr;
}

}  // namespace quispor
