#include "wizard/ui/ports/SpoolerPorts.h"

#include <string_view>

namespace quispor {
namespace {

bool ContainsBoth(const char16_t* name, std::u16string_view kind) {
  if (name == nullptr) {
    return false;
  }
  const std::u16string_view text(name);
  return text.find(kind) != std::u16string_view::npos && text.find(u':') != std::u16string_view::npos;
}

std::vector<const char16_t*> NamesWhere(const SpoolerPortList& ports, bool (*accepts)(const char16_t*)) {
  std::vector<const char16_t*> names;
  for (uint32_t i = 0; i < ports.count; ++i) {
    const char16_t* name = ports.buffer.record<platform::PortInfo2W>(i).pPortName;
    if (accepts(name)) {
      names.push_back(name);
    }
  }
  return names;
}

}  // namespace

bool IsSerialPortName(const char16_t* name) { return ContainsBoth(name, u"COM"); }
bool IsParallelPortName(const char16_t* name) { return ContainsBoth(name, u"LPT"); }

std::vector<const char16_t*> SerialPortNames(const SpoolerPortList& ports) {
  return NamesWhere(ports, &IsSerialPortName);
}

std::vector<const char16_t*> ParallelPortNames(const SpoolerPortList& ports) {
  return NamesWhere(ports, &IsParallelPortName);
}

}  // namespace quispor
