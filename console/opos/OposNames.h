// Fixed names and numbers of the OPOS POSPrinter components the console uses.
#pragma once

#include <cstdint>

#include "console/opos/Guid.h"

namespace vantrel::opos {

inline constexpr char16_t kControlFileName[] = u"OPOSPOSPrinter.ocx";
inline constexpr char16_t kServiceObjectFileName[] = u"SOZELTANO.dll";
inline constexpr char kRegistrationEntryPoint[] = "DllRegisterServer";
inline constexpr char16_t kControlProgId[] = u"OPOS.POSPrinter.1.13";
inline constexpr char16_t kServiceObjectProgId[] = u"SOZELTANO.OPOSPrinter";

// {CCB90152-B81E-11D2-AB74-0040054C3719}
inline constexpr Guid kControlClassId = {
    0xCCB90152, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
// IOPOSPOSPrinter {CCB98151-B81E-11D2-AB74-0040054C3719}, a dual interface.
inline constexpr Guid kPosPrinterInterfaceId = {
    0xCCB98151, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};

inline constexpr std::int32_t kClaimTimeoutMs = 5000;
// OPOS_CH_INTERACTIVE
inline constexpr std::int32_t kHealthCheckLevel = 3;
inline constexpr std::int32_t kDeviceEnabledDispId = 17;

inline constexpr std::int32_t kSuccess = 0;

}  // namespace vantrel::opos
