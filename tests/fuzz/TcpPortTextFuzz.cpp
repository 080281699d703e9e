// The Ethernet page's fields as the fuzzer makes them: the TCP port number
// text conversion, and the find-or-create sequence over a fake registry and
// spooler with the address and port texts taken from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/ui/pages/EnetFields.h"
#include "wizard/ui/ports/EnetPort.h"

namespace {

std::u16string Wide(const std::string& bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::u16string address = Wide(input.ConsumeRandomLengthString(1200));
  const std::u16string port = Wide(input.ConsumeRandomLengthString(400));
  const bool existing = input.ConsumeBool();
  const uint32_t existingNumber = input.ConsumeIntegral<uint32_t>();

  // Digits only and in range: the value must be exactly the decimal one.
  const int32_t number = quispor::ParseTcpPortNumber(port.c_str());
  if (!port.empty() && port.size() <= 9 &&
      std::all_of(port.begin(), port.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
    if (number != std::stoi(std::string(port.begin(), port.end()))) std::abort();
  }

  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeUserMessages messages;
  spooler.monitorRegistry = &registry.store;
  if (existing) {
    const std::u16string key =
        u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\Existing";
    registry.store.PutString(key, u"HostName", address.substr(0, 300).c_str());
    registry.store.PutDword(key, u"PortNumber", existingNumber);
  }
  const quispor::EnetPortServices services{registry, spooler, messages};
  constexpr char16_t kGuard = 0xBEEF;
  char16_t ip[260 + 4];
  char16_t name[260 + 4];
  std::fill(std::begin(ip), std::end(ip), kGuard);
  std::fill(std::begin(name), std::end(name), kGuard);
  name[0] = u'\0';
  int32_t tcpPort = 0;
  quispor::ReadEnetPortName(services, address.c_str(), port.c_str(), ip, tcpPort, name);
  for (std::size_t i = 260; i < std::size(ip); ++i) {
    if (ip[i] != kGuard || name[i] != kGuard) std::abort();
  }
  if (registry.OpenHandles() != 0 || !spooler.openHandles.empty()) std::abort();
  return 0;
}
