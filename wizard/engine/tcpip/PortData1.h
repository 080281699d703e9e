// The Standard TCP/IP port monitor's PORT_DATA_1 ("AddPort" input of
// XcvDataW), declared here because the MinGW headers have no tcpxcv.h. The
// layout follows the monitor's published structure: 964 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quispor {

inline constexpr uint32_t kPortData1Size = 964;
inline constexpr uint32_t kProtocolRawTcpType = 1;  // PROTOCOL_RAWTCP_TYPE

struct PortData1 {
  char16_t sztPortName[64];       // MAX_PORTNAME_LEN
  uint32_t dwVersion;
  uint32_t dwProtocol;
  uint32_t cbSize;
  uint32_t dwReserved;
  char16_t sztHostAddress[49];    // MAX_NETWORKNAME_LEN
  char16_t sztSNMPCommunity[33];  // MAX_SNMP_COMMUNITY_STR_LEN
  uint32_t dwDoubleSpool;
  char16_t sztQueue[33];          // MAX_QUEUENAME_LEN
  char16_t sztIPAddress[16];      // MAX_IPADDR_STR_LEN
  uint8_t Reserved[540];
  uint32_t dwPortNumber;
  uint32_t dwSNMPEnabled;
  uint32_t dwSNMPDevIndex;
};

static_assert(sizeof(PortData1) == kPortData1Size);
static_assert(offsetof(PortData1, sztHostAddress) == 144);
static_assert(offsetof(PortData1, dwDoubleSpool) == 308);
static_assert(offsetof(PortData1, sztIPAddress) == 378);
static_assert(offsetof(PortData1, dwPortNumber) == 952);

}  // namespace quispor
