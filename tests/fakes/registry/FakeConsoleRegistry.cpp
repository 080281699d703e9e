#include "tests/fakes/registry/FakeConsoleRegistry.h"

#include <algorithm>
#include <cstring>

namespace kit::fakes {

namespace {

constexpr std::int32_t kMoreData = 234;
constexpr std::int32_t kNoAccess = 998;

bool IsStringType(std::uint32_t type) { return type == 1 || type == 2 || type == 7; }

// String data is stored as UTF-16; the narrow calls see one byte per unit.
std::vector<std::uint8_t> NarrowData(const FakeRegValue& value) {
  if (!IsStringType(value.type)) return value.data;
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(value.data[i] | value.data[i + 1] << 8);
    out.push_back(unit < 0x100 ? static_cast<std::uint8_t>(unit) : '?');
  }
  return out;
}

std::vector<std::uint8_t> WideData(std::uint32_t type, const unsigned char* data,
                                   std::uint32_t size) {
  std::vector<std::uint8_t> out;
  if (!data) return out;
  if (!IsStringType(type)) return std::vector<std::uint8_t>(data, data + size);
  for (std::uint32_t i = 0; i < size; ++i) {
    out.push_back(data[i]);
    out.push_back(0);
  }
  return out;
}

std::u16string Name(const char* name) { return WidenBytes(name ? name : ""); }

// Copies data the way the registry fills a caller's buffer.
std::int32_t FillData(const std::vector<std::uint8_t>& bytes, unsigned char* data,
                      std::uint32_t* dataLen) {
  const auto size = static_cast<std::uint32_t>(bytes.size());
  if (!data) {
    if (dataLen) *dataLen = size;
    return 0;
  }
  if (!dataLen) return kNoAccess;
  if (*dataLen < size) {
    *dataLen = size;
    return kMoreData;
  }
  std::copy(bytes.begin(), bytes.end(), data);
  *dataLen = size;
  return 0;
}

}  // namespace

std::int32_t FakeConsoleRegistry::Injected(const std::string& function,
                                           const std::string& name) const {
  for (const Failure& f : failures_) {
    if (f.function == function && (f.name == "*" || f.name == name)) return f.error;
  }
  return 0;
}

std::int32_t FakeConsoleRegistry::Write(const std::string& function, const std::string& name) {
  const std::int32_t injected = Injected(function, name);
  return ++writes_ == failingWrite_ ? failingWriteError_ : injected;
}

std::int32_t FakeConsoleRegistry::Log(const std::string& function, vantrel::RegKey key,
                                      const std::string& name, std::uint32_t arg,
                                      std::int32_t result) {
  calls_.push_back(ConsoleRegCall{function, NarrowBytes(store_.PathOf(key)), name, arg, result});
  return result;
}

void FakeConsoleRegistry::FailCall(const std::string& function, const std::string& name,
                                   std::int32_t error) {
  failures_.push_back(Failure{function, name, error});
}

std::vector<std::string> FakeConsoleRegistry::CallNames(const std::string& function) const {
  std::vector<std::string> names;
  for (const ConsoleRegCall& c : calls_) {
    if (c.function != function) continue;
    names.push_back(function == "RegSetValueExA" ? c.name + ":" + std::to_string(c.arg) : c.name);
  }
  return names;
}

std::int32_t FakeConsoleRegistry::CreateKeyEx(vantrel::RegKey parent, const char* subKey,
                                              std::uint32_t, std::uint32_t access,
                                              vantrel::RegKey* result,
                                              std::uint32_t* disposition) {
  const std::string fn = "RegCreateKeyExA";
  Before(fn);
  const std::string name = subKey ? subKey : "";
  std::int32_t rc = Write(fn, name);
  if (rc == 0) {
    FakeRegistryStore::Handle handle = 0;
    rc = store_.CreateKey(parent, Name(subKey), access, &handle, disposition);
    if (rc == 0) *result = static_cast<vantrel::RegKey>(handle);
  }
  return Log(fn, parent, name, access, rc);
}

std::int32_t FakeConsoleRegistry::OpenKeyEx(vantrel::RegKey parent, const char* subKey,
                                            std::uint32_t, std::uint32_t access,
                                            vantrel::RegKey* result) {
  const std::string fn = "RegOpenKeyExA";
  Before(fn);
  const std::string name = subKey ? subKey : "";
  std::int32_t rc = Injected(fn, name);
  if (rc == 0) {
    FakeRegistryStore::Handle handle = 0;
    rc = store_.OpenKey(parent, Name(subKey), access, &handle);
    if (rc == 0) *result = static_cast<vantrel::RegKey>(handle);
  }
  return Log(fn, parent, name, access, rc);
}

std::int32_t FakeConsoleRegistry::CloseKey(vantrel::RegKey key) {
  const std::string fn = "RegCloseKey";
  Before(fn);
  // Logged first: after the close the handle no longer names a path.
  calls_.push_back(ConsoleRegCall{fn, NarrowBytes(store_.PathOf(key)), "", 0, 0});
  const std::int32_t rc = store_.CloseKey(key);
  calls_.back().result = rc;
  return rc;
}

std::int32_t FakeConsoleRegistry::QueryInfoKey(vantrel::RegKey key, std::uint32_t* subKeys,
                                               std::uint32_t* maxSubKeyLen,
                                               std::uint32_t* values,
                                               std::uint32_t* maxValueNameLen,
                                               std::uint32_t* maxValueLen) {
  const std::string fn = "RegQueryInfoKeyA";
  Before(fn);
  std::int32_t rc = Injected(fn, "");
  FakeKeyInfo info;
  if (rc == 0) rc = store_.QueryInfoKey(key, &info);
  if (rc == 0) {
    std::uint32_t maxData = 0;
    FakeRegValue v;
    for (std::uint32_t i = 0; store_.EnumValue(key, i, &v) == 0; ++i) {
      maxData = std::max<std::uint32_t>(maxData, static_cast<std::uint32_t>(NarrowData(v).size()));
    }
    if (subKeys) *subKeys = info.subKeys;
    if (maxSubKeyLen) *maxSubKeyLen = info.maxSubKeyLen;
    if (values) *values = info.values;
    if (maxValueNameLen) *maxValueNameLen = info.maxValueNameLen;
    if (maxValueLen) *maxValueLen = maxData;
  }
  return Log(fn, key, "", 0, rc);
}

std::int32_t FakeConsoleRegistry::EnumKeyEx(vantrel::RegKey key, std::uint32_t index, char* name,
                                            std::uint32_t* nameLen) {
  const std::string fn = "RegEnumKeyExA";
  Before(fn);
  std::int32_t rc = Injected(fn, "");
  std::string narrow;
  if (rc == 0) {
    std::u16string wide;
    rc = store_.EnumKey(key, index, &wide);
    narrow = NarrowBytes(wide);
  }
  if (rc == 0) {
    if (!name || !nameLen) {
      rc = kNoAccess;
    } else if (narrow.size() + 1 > *nameLen) {
      rc = kMoreData;  // the size needed is not reported
    } else {
      std::memcpy(name, narrow.c_str(), narrow.size() + 1);
      *nameLen = static_cast<std::uint32_t>(narrow.size());
    }
  }
  return Log(fn, key, rc == 0 ? narrow : "", index, rc);
}

std::int32_t FakeConsoleRegistry::EnumValue(vantrel::RegKey key, std::uint32_t index, char* name,
                                            std::uint32_t* nameLen, std::uint32_t* type,
                                            unsigned char* data, std::uint32_t* dataLen) {
  const std::string fn = "RegEnumValueA";
  Before(fn);
  std::int32_t rc = Injected(fn, "");
  FakeRegValue value;
  std::string narrow;
  if (rc == 0) rc = store_.EnumValue(key, index, &value);
  if (rc == 0) {
    narrow = NarrowBytes(value.name);
    if (!name || !nameLen) {
      rc = kNoAccess;
    } else if (narrow.size() + 1 > *nameLen) {
      rc = kMoreData;
    } else {
      std::memcpy(name, narrow.c_str(), narrow.size() + 1);
      *nameLen = static_cast<std::uint32_t>(narrow.size());
      if (type) *type = value.type;
      if (data || dataLen) rc = FillData(NarrowData(value), data, dataLen);
    }
  }
  return Log(fn, key, rc == 0 ? narrow : "", index, rc);
}

std::int32_t FakeConsoleRegistry::QueryValueEx(vantrel::RegKey key, const char* name,
                                               std::uint32_t* type, unsigned char* data,
                                               std::uint32_t* dataLen) {
  const std::string fn = "RegQueryValueExA";
  Before(fn);
  const std::string valueName = name ? name : "";
  std::int32_t rc = Injected(fn, valueName);
  if (rc == 0) {
    FakeRegValue value;
    rc = store_.QueryValue(key, Name(name), &value);
    if (rc == 0) {
      if (type) *type = value.type;
      rc = FillData(NarrowData(value), data, dataLen);
    }
  }
  return Log(fn, key, valueName, data ? 1u : 0u, rc);
}

std::int32_t FakeConsoleRegistry::SetValueEx(vantrel::RegKey key, const char* name,
                                             std::uint32_t type, const unsigned char* data,
                                             std::uint32_t size) {
  const std::string fn = "RegSetValueExA";
  Before(fn);
  const std::string valueName = name ? name : "";
  std::int32_t rc = Write(fn, valueName);
  if (rc == 0) rc = store_.SetValue(key, Name(name), type, WideData(type, data, size));
  return Log(fn, key, valueName, type, rc);
}

std::int32_t FakeConsoleRegistry::QueryValueExW(vantrel::RegKey key, const char16_t* name,
                                                std::uint32_t* type, unsigned char* data,
                                                std::uint32_t* dataLen) {
  const std::string fn = "RegQueryValueExW";
  Before(fn);
  const std::string valueName = NarrowBytes(name ? name : u"");
  std::int32_t rc = Injected(fn, valueName);
  if (rc == 0) {
    FakeRegValue value;
    rc = store_.QueryValue(key, name ? name : u"", &value);
    if (rc == 0) {
      if (type) *type = value.type;
      rc = FillData(value.data, data, dataLen);
    }
  }
  return Log(fn, key, valueName, data ? 1u : 0u, rc);
}

std::int32_t FakeConsoleRegistry::SetValueExW(vantrel::RegKey key, const char16_t* name,
                                              std::uint32_t type, const unsigned char* data,
                                              std::uint32_t size) {
  const std::string fn = "RegSetValueExW";
  Before(fn);
  const std::string valueName = NarrowBytes(name ? name : u"");
  std::int32_t rc = Write(fn, valueName);
  if (rc == 0) {
    rc = store_.SetValue(key, name ? name : u"", type,
                         data ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>());
  }
  return Log(fn, key, valueName, type, rc);
}

std::int32_t FakeConsoleRegistry::DeleteValue(vantrel::RegKey key, const char* name) {
  const std::string fn = "RegDeleteValueA";
  Before(fn);
  const std::string valueName = name ? name : "";
  std::int32_t rc = Write(fn, valueName);
  if (rc == 0) rc = store_.DeleteValue(key, Name(name));
  return Log(fn, key, valueName, 0, rc);
}

std::int32_t FakeConsoleRegistry::DeleteKey(vantrel::RegKey key, const char* subKey) {
  const std::string fn = "RegDeleteKeyA";
  Before(fn);
  const std::string name = subKey ? subKey : "";
  std::int32_t rc = Write(fn, name);
  if (rc == 0) rc = store_.DeleteKey(key, Name(subKey));
  return Log(fn, key, name, 0, rc);
}

}  // namespace kit::fakes
