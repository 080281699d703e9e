#include "console/store/RegistryAccess.h"

#include <algorithm>

#include "console/store/RegistryError.h"

namespace vantrel {

namespace {

// A value that keeps growing between the size query and the read is given
// this many attempts before the read counts as failed.
constexpr int kMaxReadAttempts = 16;
// Registry names are at most 16383 characters; a buffer past this size means
// the other side keeps answering "more data" and the enumeration gives up.
constexpr std::size_t kMaxNameBuffer = 65536;

std::string Quoted(const char* format, const std::string& name) {
  std::string text(format);
  return text.replace(text.find("%s"), 2, name);
}

}  // namespace

bool RegistryAccess::OpenKey(const std::string& path, bool canCreate) {
  CloseKey();
  RegKey key = 0;
  std::int32_t rc;
  if (!canCreate || path.empty()) {
    rc = api_.OpenKeyEx(kHkeyLocalMachine, path.c_str(), 0, kKeyAllAccess, &key);
  } else {
    std::uint32_t disposition = 0;
    rc = api_.CreateKeyEx(kHkeyLocalMachine, path.c_str(), kRegOptionNonVolatile, kKeyAllAccess,
                          &key, &disposition);
  }
  if (rc != kErrorSuccess) {
    openError_ = rc;
    return false;
  }
  current_ = key;
  return true;
}

void RegistryAccess::CloseKey() {
  if (current_ != 0) {
    api_.CloseKey(current_);
    current_ = 0;
  }
}

bool RegistryAccess::KeyExists(const std::string& path) {
  RegKey key = 0;
  if (api_.OpenKeyEx(BaseKey(), path.c_str(), 0, kKeyExistenceTest, &key) != kErrorSuccess) {
    return false;
  }
  api_.CloseKey(key);
  return true;
}

void RegistryAccess::CreateKey(const std::string& path) {
  RegKey key = 0;
  std::uint32_t disposition = 0;
  const std::int32_t rc = api_.CreateKeyEx(BaseKey(), path.c_str(), kRegOptionNonVolatile,
                                           kKeyAllAccess, &key, &disposition);
  if (rc == kErrorSuccess) api_.CloseKey(key);
  if (rc != kErrorSuccess) throw RegistryError(Quoted("Failed to create key %s", path), rc);
}

bool RegistryAccess::DeleteKey(const std::string& path) { return DeleteKeyUnder(BaseKey(), path); }

bool RegistryAccess::DeleteKeyUnder(RegKey base, const std::string& path) {
  RegKey key = 0;
  if (api_.OpenKeyEx(base, path.c_str(), 0, kKeyAllAccess, &key) == kErrorSuccess) {
    std::uint32_t subKeys = 0;
    std::uint32_t maxLen = 0;
    if (api_.QueryInfoKey(key, &subKeys, &maxLen, nullptr, nullptr, nullptr) == kErrorSuccess) {
      std::vector<char> name(maxLen + 1);
      // From the last index down, so that each deletion leaves the indexes
      // still to visit unchanged.
      for (std::uint32_t i = subKeys; i-- > 0;) {
        for (;;) {
          std::uint32_t len = static_cast<std::uint32_t>(name.size());
          const std::int32_t rc = api_.EnumKeyEx(key, i, name.data(), &len);
          if (rc == kErrorMoreData && name.size() < kMaxNameBuffer) {
            name.resize(name.size() * 2);
            continue;
          }
          if (rc == kErrorSuccess) DeleteKeyUnder(key, std::string(name.data(), len));
          break;
        }
      }
    }
    api_.CloseKey(key);
  }
  return api_.DeleteKey(base, path.c_str()) == kErrorSuccess;
}

std::vector<std::string> RegistryAccess::GetKeyNames() {
  std::vector<std::string> names;
  EnumNames(false, &names, [&names](std::string_view name) { names.emplace_back(name); });
  return names;
}

std::vector<std::string> RegistryAccess::GetValueNames() {
  std::vector<std::string> names;
  EnumNames(true, &names, [&names](std::string_view name) { names.emplace_back(name); });
  return names;
}

void RegistryAccess::ForEachKeyName(const std::function<void(std::string_view)>& onName) {
  EnumNames(false, nullptr, onName);
}

void RegistryAccess::EnumNames(bool values, std::vector<std::string>* room,
                               const std::function<void(std::string_view)>& onName) {
  std::uint32_t count = 0;
  std::uint32_t maxLen = 0;
  const std::int32_t info =
      values ? api_.QueryInfoKey(current_, nullptr, nullptr, &count, &maxLen, nullptr)
             : api_.QueryInfoKey(current_, &count, &maxLen, nullptr, nullptr, nullptr);
  if (info != kErrorSuccess || count == 0) return;
  if (room != nullptr) room->reserve(count);
  // The maximum is given in characters, which in a multi-byte code page can
  // be fewer than the bytes of the name, and a name may be added meanwhile:
  // a short buffer is grown rather than trusted.
  std::vector<char> name(maxLen + 1);
  for (std::uint32_t i = 0;;) {
    std::uint32_t len = static_cast<std::uint32_t>(name.size());
    const std::int32_t rc = values
        ? api_.EnumValue(current_, i, name.data(), &len, nullptr, nullptr, nullptr)
        : api_.EnumKeyEx(current_, i, name.data(), &len);
    if (rc == kErrorMoreData && name.size() < kMaxNameBuffer) {
      name.resize(name.size() * 2);
      continue;
    }
    if (rc != kErrorSuccess) break;
    onName(std::string_view(name.data(), std::min<std::size_t>(len, name.size())));
    ++i;
  }
}

std::string RegistryAccess::ReadString(const std::string& name) {
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  if (api_.QueryValueEx(current_, name.c_str(), &type, nullptr, &size) != kErrorSuccess ||
      size == 0) {
    return {};
  }
  // Read straight into the text, which is then cut at its end.
  std::string text(size, '\0');
  for (int attempt = 0;; ++attempt) {
    std::uint32_t len = static_cast<std::uint32_t>(text.size());
    const std::int32_t rc =
        api_.QueryValueEx(current_, name.c_str(), &type, reinterpret_cast<unsigned char*>(text.data()), &len);
    if (rc == kErrorMoreData && attempt + 1 < kMaxReadAttempts) {
      // The value grew after the size query.
      text.resize(std::max<std::size_t>(len, text.size() * 2));
      continue;
    }
    if (rc == kErrorFileNotFound) return {};
    if (rc != kErrorSuccess) throw RegistryError(Quoted("Failed to get data for '%s'", name), rc);
    text.resize(std::min<std::size_t>(len, text.size()));
    break;
  }
  if (text.empty()) return {};
  if (type != kRegSz && type != kRegExpandSz) {
    throw RegistryError(Quoted("Invalid data type for '%s'", name));
  }
  // The text ends at its first zero, or at the end of the data when a
  // writer left the terminator out.
  text.resize(std::min(text.find('\0'), text.size()));
  return text;
}

std::int32_t RegistryAccess::ReadInteger(const std::string& name) {
  const std::optional<std::int32_t> value = ReadIntegerIfAny(name);
  if (!value) throw RegistryError(Quoted("Failed to get data for '%s'", name), kErrorFileNotFound);
  return *value;
}

std::optional<std::int32_t> RegistryAccess::ReadIntegerIfAny(const std::string& name) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  std::uint32_t type = kRegNone;
  std::uint32_t size = sizeof bytes;
  const std::int32_t rc = api_.QueryValueEx(current_, name.c_str(), &type, bytes, &size);
  if (rc == kErrorFileNotFound) return std::nullopt;
  if (rc != kErrorSuccess) throw RegistryError(Quoted("Failed to get data for '%s'", name), rc);
  if (type != kRegDword) throw RegistryError(Quoted("Invalid data type for '%s'", name));
  const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) |
                             static_cast<std::uint32_t>(bytes[1]) << 8 |
                             static_cast<std::uint32_t>(bytes[2]) << 16 |
                             static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(bits);
}

void RegistryAccess::WriteString(const std::string& name, const std::string& value) {
  PutData(name, kRegSz, reinterpret_cast<const unsigned char*>(value.c_str()),
          static_cast<std::uint32_t>(value.size() + 1));
}

void RegistryAccess::WriteInteger(const std::string& name, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
      static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
  PutData(name, kRegDword, bytes, sizeof bytes);
}

void RegistryAccess::PutData(const std::string& name, std::uint32_t type,
                             const unsigned char* data, std::uint32_t size) {
  const std::int32_t rc = api_.SetValueEx(current_, name.c_str(), type, data, size);
  if (rc != kErrorSuccess) throw RegistryError(Quoted("Failed to set data for '%s'", name), rc);
}

bool RegistryAccess::DeleteValue(const std::string& name) {
  return api_.DeleteValue(current_, name.c_str()) == kErrorSuccess;
}

std::optional<RawValue> RegistryAccess::ReadRaw(const std::u16string& name, const std::string& shownName) {
  RawValue value;
  std::uint32_t size = 0;
  std::int32_t rc = api_.QueryValueExW(current_, name.c_str(), &value.type, nullptr, &size);
  for (int attempt = 0; rc == kErrorSuccess; ++attempt) {
    if (attempt == kMaxReadAttempts) {
      rc = kErrorMoreData;
      break;
    }
    value.data.resize(size);
    std::uint32_t len = size;
    rc = api_.QueryValueExW(current_, name.c_str(), &value.type, value.data.data(), &len);
    if (rc == kErrorSuccess) {
      value.data.resize(std::min(len, size));
      return value;
    }
    if (rc == kErrorMoreData) {  // the value grew after the size query
      size = std::max(len, size * 2 + 2);
      rc = kErrorSuccess;
    }
  }
  if (rc == kErrorFileNotFound) return std::nullopt;
  throw RegistryError(Quoted("Failed to get data for '%s'", shownName), rc);
}

void RegistryAccess::WriteRaw(const std::u16string& name, const std::string& shownName, const RawValue& value) {
  const std::int32_t rc = api_.SetValueExW(current_, name.c_str(), value.type, value.data.data(),
                                           static_cast<std::uint32_t>(value.data.size()));
  if (rc != kErrorSuccess) throw RegistryError(Quoted("Failed to set data for '%s'", shownName), rc);
}

}  // namespace vantrel
