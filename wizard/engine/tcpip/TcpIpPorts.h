// Standard TCP/IP ports: finding one by address and port number in the
// monitor's registry keys, and creating one through the port monitor.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/Registry.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/UserMessages.h"

namespace quispor {

inline constexpr const char16_t* kTcpIpPortsKeyPath =
    u"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";
inline constexpr const char16_t* kTcpIpMonitorName = u", XcvMonitor Standard TCP/IP Port";
// What "PortNumber" counts as when it cannot be read.
inline constexpr uint32_t kUnreadablePortNumber = 64242;

// Writes into portName (260 wide characters, emptied by the caller) the name
// of the first port whose "HostName" (or, when that is empty, "IPAddress")
// equals address without regard to ASCII case and whose "PortNumber" equals
// portNumber; leaves it empty when there is none.
void FindTcpIpPort(platform::Registry& registry, const char16_t* address, int32_t portNumber, char16_t* portName);

// Creates the port "<address>_Port_<number>" (raw TCP, SNMP off) through the
// Standard TCP/IP monitor. True when it was created or already existed; a
// refused creation is reported in a message box with no owner.
bool AddTcpIpPort(platform::Spooler& spooler, platform::UserMessages& messages, const char16_t* address,
                  int32_t portNumber);

// The same, with what ended it: 0 when the port was created or already
// existed, else the code of the monitor's open, of XcvDataW, or the status
// the monitor answered.
uint32_t CreateTcpIpPort(platform::Spooler& spooler, platform::UserMessages& messages, const char16_t* address,
                         int32_t portNumber);

// The port for address and portNumber as the Ethernet page resolves it: the
// existing one, else the one created and then found. Fills portName (260
// wide characters, emptied by the caller), empty when there is none.
// Returns the creation's code (0 when none was needed or it worked);
// created (may be null) tells whether a creation was asked for and worked.
uint32_t FindOrCreateTcpIpPort(platform::Registry& registry, platform::Spooler& spooler,
                               platform::UserMessages& messages, const char16_t* address, int32_t portNumber,
                               char16_t* portName, bool* created = nullptr);

}  // namespace quispor
