#include "console/usb/UsbIdentifier.h"

namespace vantrel {

std::string AsciiUpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string CutUsbDeviceIdentifier(const std::string& devicePath) {
  std::string rest = devicePath;
  const auto first = rest.find('#');
  if (first != std::string::npos) {
    rest.erase(0, first + 1);
    const auto next = rest.find('#');
    if (next != std::string::npos) rest.erase(next);
  }
  return AsciiUpperCase(rest);
}

bool IsPrinterUsbIdentifier(const std::string& identifier) {
  return AsciiUpperCase(identifier).find(kPrinterUsbFilter) != std::string::npos;
}

}  // namespace vantrel
