// The console store's registry reads over values of fuzzer-chosen names,
// types and bytes in the class key and a device key: the load, the device
// list and the alternate-name deletion must end without a crash, throw only
// the store's own errors inside, and leave no key open.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/store/DeviceStore.h"
#include "tests/fakes/registry/FakeConsoleRegistry.h"
#include "tests/fakes/registry/FakeRegistryStore.h"

namespace {

const std::u16string kClassKey = u"HKLM\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";
const char16_t* const kValueNames[] = {u"",        u"Pid",     u"DeviceClass", u"DeviceName", u"DevType",
                                       u"TcpIp",   u"TcpPort", u"Timeout",     u"Version",    u"USBType",
                                       u"USBDevName", u"CommName", u"Baudrate", u"ProtocolType", u"usbType"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api(store);
  const std::string device = input.ConsumeRandomLengthString(40);
  const std::u16string deviceKey = kClassKey + u"\\" + kit::fakes::WidenBytes(device);
  const bool validKey = !device.empty() && device.find('\\') == std::string::npos;
  if (validKey) store.PutKey(deviceKey);
  store.PutKey(kClassKey);

  for (int i = 0; i < 40 && input.remaining_bytes() > 0; ++i) {
    const bool inClass = input.ConsumeBool();
    std::u16string name;
    if (input.ConsumeBool()) {
      name = kValueNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kValueNames) - 1)];
    } else {
      name = kit::fakes::WidenBytes(input.ConsumeRandomLengthString(32));
    }
    const uint32_t type = input.ConsumeIntegralInRange<uint32_t>(0, 12);
    const std::string bytes = input.ConsumeRandomLengthString(600);
    store.PutValue(inClass || !validKey ? kClassKey : deviceKey, name, type,
                   std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }

  vantrel::DeviceEntry entry;
  entry.AlternateName = "stale";
  const bool loaded = vantrel::LoadDeviceEntry(api, device, entry);
  (void)loaded;
  (void)vantrel::ListDeviceNames(api, "POSPrinter");
  vantrel::DeleteAlternateName(api, "POSPrinter", device);
  if (store.OpenHandleCount() != 0) std::abort();
  return 0;
}
