// The wizard's USB port look-up over a fake registry: a fuzzer-chosen device
// path, device class subkeys and "Port Number" / "Port Description" values
// of chosen types and bytes. The port name and description must stay inside
// their fields and every key must be closed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/usb/UsbPorts.h"

namespace {

const std::u16string kClasses = u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";

std::u16string Wide(FuzzedDataProvider& input, std::size_t maxBytes) {
  const std::string bytes = input.ConsumeRandomLengthString(maxBytes);
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
    if (c != 0) text += c;
  }
  return text;
}

// Registry key names cannot be empty or hold a backslash.
bool UsableKeyName(const std::u16string& name) {
  return !name.empty() && name.find(u'\\') == std::u16string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  kit::fakes::FakeWizardRegistry registry;
  registry.hasRegGetValueW = input.ConsumeBool();

  // Mostly well-formed paths, so the look-up gets past the "#{" marker.
  std::u16string path = Wide(input, 700);
  if (input.ConsumeBool()) path = u"\\\\?\\usb#vid_0fe6&pid_811e#" + path + u"#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
  const std::size_t marker = path.find(u"#{");
  const std::u16string interfaceClass = marker == std::u16string::npos ? u"{x}" : path.substr(marker + 1);

  const int subkeys = input.ConsumeIntegralInRange<int>(0, 4);
  for (int i = 0; i < subkeys; ++i) {
    std::u16string name;
    switch (input.ConsumeIntegralInRange<int>(0, 2)) {
      case 0: {
        name = path;
        for (char16_t& c : name) {
          if (c == u'\\') c = u'#';
        }
        name = u"##?#" + name.substr(std::min<std::size_t>(4, name.size()));
        break;
      }
      case 1: name = Wide(input, 80); break;
      default: name = u"##?#USB#" + Wide(input, 40); break;
    }
    if (!UsableKeyName(interfaceClass) || !UsableKeyName(name) || name.size() > 255) continue;
    const std::u16string parameters = kClasses + interfaceClass + u"\\" + name + u"\\#\\Device Parameters";
    const uint32_t numberType = input.ConsumeIntegralInRange<uint32_t>(0, 11);
    const std::string number = input.ConsumeRandomLengthString(12);
    registry.store.PutValue(parameters, u"Port Number", numberType, std::vector<uint8_t>(number.begin(), number.end()));
    const uint32_t descriptionType = input.ConsumeIntegralInRange<uint32_t>(0, 7);
    const std::string description = input.ConsumeRandomLengthString(800);
    registry.store.PutValue(parameters, u"Port Description", descriptionType,
                            std::vector<uint8_t>(description.begin(), description.end()));
  }

  constexpr char16_t kGuard = 0xBEEF;
  std::vector<char16_t> pathBuffer(path.begin(), path.end());
  pathBuffer.push_back(u'\0');
  char16_t portName[quispor::kUsbPortNameCapacity + 4];
  char16_t description[quispor::kPortDescriptionCapacity + 4];
  std::fill(std::begin(portName), std::end(portName), kGuard);
  std::fill(std::begin(description), std::end(description), kGuard);
  description[0] = u'\0';
  (void)quispor::EnumDeviceUSBPort(registry, pathBuffer.data(), portName, description);
  for (std::size_t i = quispor::kUsbPortNameCapacity; i < std::size(portName); ++i) {
    if (portName[i] != kGuard) std::abort();
  }
  for (std::size_t i = quispor::kPortDescriptionCapacity; i < std::size(description); ++i) {
    if (description[i] != kGuard) std::abort();
  }
  if (std::find(portName, portName + quispor::kUsbPortNameCapacity, u'\0') == portName + quispor::kUsbPortNameCapacity) {
    std::abort();
  }
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}
