#include "tests/fakes/wizard/FakeWizardRegistry.h"

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

using detail::HexUpper;
using detail::RegKeyText;

}  // namespace

bool FakeWizardRegistry::KeyExists(const std::string& path) const {
  std::u16string wide;
  for (unsigned char c : path) {
    wide.push_back(c);
  }
  return store.HasKey(wide);
}

uint32_t FakeWizardRegistry::RegCreateKeyExW(quispor::platform::RegHandle key, const char16_t* subKey,
                                             uint32_t reserved, char16_t* keyClass, uint32_t options,
                                             uint32_t samDesired, const void* securityAttributes,
                                             quispor::platform::RegHandle* result, uint32_t* disposition) {
  calls.push_back("RegCreateKeyExW(" + RegKeyText(key) + ", " + Quote(subKey) + ", reserved=" +
                  std::to_string(reserved) + ", class=" + Quote(keyClass) + ", options=" + std::to_string(options) +
                  ", sam=" + HexUpper(samDesired) + ", security=" + (securityAttributes ? "set" : "null") +
                  ", disposition=" + (disposition ? "set" : "null") + ")");
  if (createResult != 0) {
    return createResult;
  }
  if (subKey == nullptr || result == nullptr) {
    return 87;  // ERROR_INVALID_PARAMETER
  }
  FakeRegistryStore::Handle opened = 0;
  uint32_t how = 0;
  const int32_t error = store.CreateKey(StoreHandle(key), subKey, samDesired, &opened, &how);
  if (error != 0) {
    return static_cast<uint32_t>(error);
  }
  if (how == quispor::platform::kRegCreatedNewKey) {
    keys.push_back(RegKeyText(key) + "\\" + ToUtf8(subKey));
  }
  *result = static_cast<quispor::platform::RegHandle>(opened);
  open_.insert(*result);
  if (disposition != nullptr) {
    *disposition = how;
  }
  return 0;
}

uint32_t FakeWizardRegistry::RegOpenKeyExW(quispor::platform::RegHandle key, const char16_t* subKey,
                                           uint32_t options, uint32_t samDesired,
                                           quispor::platform::RegHandle* result) {
  calls.push_back("RegOpenKeyExW(" + RegKeyText(key) + ", " + Quote(subKey) + ", options=" + std::to_string(options) +
                  ", sam=" + HexUpper(samDesired) + ")");
  FakeRegistryStore::Handle opened = 0;
  const int32_t error = store.OpenKey(StoreHandle(key), subKey != nullptr ? subKey : u"", samDesired, &opened);
  if (error != 0) {
    return static_cast<uint32_t>(error);
  }
  *result = static_cast<quispor::platform::RegHandle>(opened);
  open_.insert(*result);
  return 0;
}

uint32_t FakeWizardRegistry::RegCloseKey(quispor::platform::RegHandle key) {
  calls.push_back("RegCloseKey(" + RegKeyText(key) + ")");
  if (open_.erase(key) == 0) {
    return kErrorInvalidHandle;
  }
  return static_cast<uint32_t>(store.CloseKey(StoreHandle(key)));
}

}  // namespace kit::fakes
