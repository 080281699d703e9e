// RegEnumKeyExW, RegGetValueW and RegQueryValueExW of the wizard's registry
// fake, with advapi32's size and type rules.
#include <cstring>

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"

namespace kit::fakes {
namespace {

using detail::HexUpper;
using detail::RegKeyText;

using quispor::platform::RegHandle;

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorDatatypeMismatch = 1629;
constexpr uint32_t kRrfRtDword = quispor::platform::kRrfRtRegBinary | quispor::platform::kRrfRtRegDword;

std::string Size(const uint32_t* size) { return size != nullptr ? std::to_string(*size) : "null"; }

// The RRF_RT_ bit that admits a value type (REG_NONE 0x1 ... REG_QWORD 0x40).
uint32_t TypeBit(uint32_t type) {
  switch (type) {
    case 0: return 0x01;
    case 1: return 0x02;
    case 2: return 0x04;
    case 3: return 0x08;
    case 4: return 0x10;
    case 7: return 0x20;
    case 11: return 0x40;
    default: return 0;
  }
}

// Copies data into a caller buffer under the common rule: null data asks for
// the size; a short buffer gets 234 and the size needed.
uint32_t Deliver(const std::vector<uint8_t>& data, void* out, uint32_t* size) {
  if (size == nullptr) {
    return out == nullptr ? 0 : kErrorInvalidParameter;
  }
  const uint32_t needed = static_cast<uint32_t>(data.size());
  if (out == nullptr) {
    *size = needed;
    return 0;
  }
  if (*size < needed) {
    *size = needed;
    return quispor::platform::kErrorMoreData;
  }
  if (needed != 0) {
    std::memcpy(out, data.data(), needed);
  }
  *size = needed;
  return 0;
}

}  // namespace

FakeRegistryStore::Handle FakeWizardRegistry::StoreHandle(RegHandle key) {
  if (key == quispor::platform::kHkeyLocalMachine) {
    return FakeRegistryStore::kHkeyLocalMachine;
  }
  return static_cast<FakeRegistryStore::Handle>(key);
}

uint32_t FakeWizardRegistry::RegEnumKeyExW(RegHandle key, uint32_t index, char16_t* name, uint32_t* nameLength,
                                           uint32_t* reserved, char16_t* keyClass, uint32_t* classLength,
                                           void* lastWriteTime) {
  calls.push_back("RegEnumKeyExW(" + RegKeyText(key) + ", index=" + std::to_string(index) +
                  ", cch=" + Size(nameLength) + ", reserved=" + (reserved ? "set" : "null") + ", class=" + (keyClass ? "set" : "null") +
                  ", cchClass=" + (classLength ? "set" : "null") + ", time=" + (lastWriteTime ? "set" : "null") +
                  ")");
  if (name == nullptr || nameLength == nullptr) {
    return kErrorInvalidParameter;
  }
  std::u16string found;
  const int32_t error = store.EnumKey(StoreHandle(key), index, &found);
  if (error != 0) {
    return static_cast<uint32_t>(error);
  }
  if (found.size() + 1 > *nameLength) {
    return quispor::platform::kErrorMoreData;
  }
  std::memcpy(name, found.c_str(), (found.size() + 1) * sizeof(char16_t));
  *nameLength = static_cast<uint32_t>(found.size());
  return 0;
}

quispor::platform::ProcAddress FakeWizardRegistry::FindRegGetValueW() {
  calls.push_back("FindRegGetValueW()");
  return hasRegGetValueW ? &regGetValueW_ : nullptr;
}

uint32_t FakeWizardRegistry::RegGetValueW(quispor::platform::ProcAddress regGetValueW, RegHandle key,
                                          const char16_t* subKey, const char16_t* value, uint32_t flags,
                                          uint32_t* type, void* data, uint32_t* dataSize) {
  calls.push_back("RegGetValueW(" + RegKeyText(key) + ", sub=" + Quote(subKey) + ", " + Quote(value) +
                  ", flags=" + HexUpper(flags) + ", type=" + (type ? "set" : "null") + ", cb=" + Size(dataSize) + ")");
  if (regGetValueW != &regGetValueW_) {
    return kErrorInvalidParameter;  // not the export this fake handed out
  }
  FakeRegistryStore::Handle from = StoreHandle(key);
  FakeRegistryStore::Handle opened = 0;
  if (subKey != nullptr && subKey[0] != u'\0') {
    const int32_t error = store.OpenKey(from, subKey, FakeRegistryStore::kQueryValue, &opened);
    if (error != 0) {
      return static_cast<uint32_t>(error);
    }
    from = opened;
  }
  FakeRegValue found;
  const int32_t error = store.QueryValue(from, value != nullptr ? value : u"", &found);
  if (opened != 0) {
    store.CloseKey(opened);
  }
  if (error != 0) {
    return static_cast<uint32_t>(error);
  }
  if ((flags & TypeBit(found.type)) == 0) {
    return quispor::platform::kErrorUnsupportedType;
  }
  if ((flags & kRrfRtDword) == kRrfRtDword && found.type == kRegBinary && found.data.size() != 4) {
    return kErrorDatatypeMismatch;
  }
  // Texts come back terminated even when stored without their terminator.
  std::vector<uint8_t> bytes = found.data;
  if (found.type == kRegSz || found.type == kRegExpandSz) {
    if (bytes.size() % 2 != 0) {
      bytes.push_back(0);
    }
    if (bytes.size() < 2 || bytes[bytes.size() - 1] != 0 || bytes[bytes.size() - 2] != 0) {
      bytes.push_back(0);
      bytes.push_back(0);
    }
  }
  if (type != nullptr) {
    *type = found.type;
  }
  return Deliver(bytes, data, dataSize);
}

uint32_t FakeWizardRegistry::RegQueryValueExW(RegHandle key, const char16_t* valueName, uint32_t* reserved,
                                              uint32_t* type, uint8_t* data, uint32_t* dataSize) {
  calls.push_back("RegQueryValueExW(" + RegKeyText(key) + ", " + Quote(valueName) + ", reserved=" +
                  (reserved ? "set" : "null") + ", type=" + (type ? "set" : "null") + ", cb=" + Size(dataSize) + ")");
  if (reserved != nullptr) {
    return kErrorInvalidParameter;
  }
  FakeRegValue found;
  const int32_t error = store.QueryValue(StoreHandle(key), valueName != nullptr ? valueName : u"", &found);
  if (error != 0) {
    return error == FakeRegistryStore::kNotFound ? kErrorFileNotFound : static_cast<uint32_t>(error);
  }
  if (type != nullptr) {
    *type = found.type;
  }
  return Deliver(found.data, data, dataSize);
}

}  // namespace kit::fakes
