// Device interface paths as the fuzzer makes them, through the console's
// identifier cutting and filter, and through the enumeration that reads them
// from a detail buffer.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/usb/UsbDeviceEnumeration.h"
#include "console/usb/UsbIdentifier.h"
#include "tests/console/usb/FakeDeviceInterfaceApi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string id = vantrel::CutUsbDeviceIdentifier(path);
  if (id.size() > path.size()) std::abort();
  for (char c : id) {
    if (c >= 'a' && c <= 'z') std::abort();
  }
  const auto hashes = std::count(path.begin(), path.end(), '#');
  if (hashes >= 2 && id.find('#') != std::string::npos) std::abort();
  (void)vantrel::IsPrinterUsbIdentifier(id);

  // The same bytes split at NULs into several device paths.
  kit::fakes::FakeDeviceInterfaceApi api;
  std::size_t start = 0;
  while (start <= path.size() && api.devicePaths.size() < 16) {
    const std::size_t end = std::min(path.find('\0', start), path.size());
    api.devicePaths.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> list;
  vantrel::EnumerateUsbDevices(api, list);
  if (list.size() != api.devicePaths.size() || api.openSets != 0) std::abort();
  return 0;
}
