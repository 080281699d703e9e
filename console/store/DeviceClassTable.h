// Where the OPOS device profiles live and which device classes the console
// shows.
#pragma once

#include <array>
#include <string_view>

namespace vantrel {

// Class keys lie under this key of HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kServiceOposPath = "SOFTWARE\\OLEforRetail\\ServiceOPOS\\";
// Save and load address the printer class key by this spelling; key names
// compare without case, so it is the same key as the table's "POSPrinter".
inline constexpr std::string_view kPrinterClassKeyPath =
    "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";

inline constexpr std::string_view kPrinterServiceObject = "SOZELTANO.OPOSPrinter";
inline constexpr std::string_view kPrinterDeviceClass = "POSPrinter";

// One top-level tree node per row, in this order.
inline constexpr std::array<std::string_view, 1> DeviceClassTable = {"POSPrinter"};

}  // namespace vantrel
