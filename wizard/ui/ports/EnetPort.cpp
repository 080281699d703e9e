#include "wizard/ui/ports/EnetPort.h"

#include "wizard/engine/tcpip/TcpIpPorts.h"
#include "wizard/engine/WideText.h"
#include "wizard/ui/pages/EnetFields.h"

namespace quispor {
namespace {

constexpr std::size_t kPortTextCapacity = 64;  // 63 characters and the terminator

}  // namespace

void ReadEnetPortName(const EnetPortServices& services, const char16_t* addressText, const char16_t* portText,
                      char16_t* ipAddress, int32_t& tcpPortNumber, char16_t* portName) {
  CopyWideText(ipAddress, kWideTextCapacity, addressText);
  char16_t number[kPortTextCapacity] = {};
  CopyWideText(number, kPortTextCapacity, portText);
  tcpPortNumber = ParseTcpPortNumber(number);
  FindOrCreateTcpIpPort(services.registry, services.spooler, services.messages, ipAddress, tcpPortNumber, portName);
}

}  // namespace quispor
