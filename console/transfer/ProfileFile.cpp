#include "console/transfer/ProfileFile.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string_view>

#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceValues.h"
#include "console/store/RegistryName.h"

namespace vantrel {

namespace {

constexpr std::u16string_view kMachine = u"HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kSoftware = "SOFTWARE\\";
constexpr std::string_view kWow64Node = "WOW6432Node\\";

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// The class key below HKEY_LOCAL_MACHINE: as 32-bit Windows and the 32-bit
// console name it, and as a 64-bit program names the 32-bit view.
std::array<std::u16string, 2> ClassKeyPaths() {
  const std::string_view plain = kPrinterClassKeyPath;
  return {Ascii(plain),
          Ascii(kSoftware) + Ascii(kWow64Node) + Ascii(plain.substr(kSoftware.size()))};
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

std::string ShownName(std::string_view valueName) {
  return valueName.empty() ? std::string("@") : std::string(valueName);
}

void RequireOneLine(const std::string& text, const std::string& device) {
  if (text.find_first_of("\r\n") != std::string::npos) {
    throw std::invalid_argument("Device " + device +
                                " cannot be exported: a name or text of its profile holds a line break.");
  }
}

RegFileValue TextValue(std::u16string name, std::u16string text) {
  RegFileValue value;
  value.name = std::move(name);
  value.text = std::move(text);
  return value;
}

struct KeyPlace {
  enum Kind { Class, Device, Other } kind = Other;
  std::u16string device;
};

KeyPlace PlaceOf(std::u16string_view path) {
  if (path.size() < kMachine.size() || !SameNoCase(path.substr(0, kMachine.size()), kMachine)) return {};
  path.remove_prefix(kMachine.size());
  for (const std::u16string& classPath : ClassKeyPaths()) {
    if (path.size() < classPath.size() || !SameNoCase(path.substr(0, classPath.size()), classPath)) continue;
    const std::u16string_view tail = path.substr(classPath.size());
    if (tail.empty()) return {KeyPlace::Class, {}};
    if (tail.size() > 1 && tail.front() == u'\\' && tail.find(u'\\', 1) == std::u16string_view::npos) {
      return {KeyPlace::Device, std::u16string(tail.substr(1))};
    }
  }
  return {};
}

class ProfileReader {
 public:
  explicit ProfileReader(TextCodec& codec) : codec_(codec) {}

  ProfileSet Read(const RegFile& file) {
    for (const RegFileKey& key : file.keys) {
      if (key.remove) Fail(key.line, "The file deletes a key; only device profiles can be imported.");
      const KeyPlace place = PlaceOf(key.path);
      if (place.kind == KeyPlace::Class) {
        for (const RegFileValue& value : key.values) AddAlternateName(value);
      } else if (place.kind == KeyPlace::Device) {
        AddDevice(key, place.device);
      } else {
        Fail(key.line, "The key " + Shown(key.path) +
                           " is neither the POSPrinter class key nor a device key under it.");
      }
    }
    if (set_.devices.empty()) Fail(0, "The file holds no device profile.");
    for (std::size_t i = 0; i < set_.alternateNames.size(); ++i) {
      const AlternateName& alias = set_.alternateNames[i];
      if (deviceIndex_.count(RegistryNameKey(alias.device)) == 0) {
        Fail(aliasLines_[i], "The alternate name " + alias.name + " points to " + alias.device +
                                 ", which the file does not hold.");
      }
    }
    return std::move(set_);
  }

 private:
  [[noreturn]] static void Fail(int line, const std::string& reason) { throw RegFileError(line, reason); }

  std::string Shown(std::u16string_view text) {
    std::string narrow;
    codec_.Narrow(text, &narrow);
    return narrow;
  }

  std::string Narrow(std::u16string_view text, int line) {
    std::string narrow;
    if (!codec_.Narrow(text, &narrow)) {
      Fail(line, "\"" + narrow + "\" cannot be written in this system's code page.");
    }
    return narrow;
  }

  static void RefuseDeletion(const RegFileValue& value) {
    if (value.data == RegData::Delete) {
      Fail(value.line, "The file deletes a value; only device profiles can be imported.");
    }
  }

  void AddAlternateName(const RegFileValue& value) {
    RefuseDeletion(value);
    if (value.name.empty()) Fail(value.line, "The class key's default value is not part of a device profile.");
    if (value.data != RegData::Text) {
      Fail(value.line, "The alternate name " + Shown(value.name) + " must be text (REG_SZ).");
    }
    AlternateName alias{Narrow(value.name, value.line), Narrow(value.text, value.line)};
    const auto [it, added] = aliasIndex_.emplace(RegistryNameKey(alias.name), set_.alternateNames.size());
    if (added) {
      set_.alternateNames.push_back(std::move(alias));
      aliasLines_.push_back(value.line);
    } else if (set_.alternateNames[it->second].device != alias.device) {
      Fail(value.line, "The alternate name " + alias.name + " is given twice for different devices.");
    }
  }

  void AddDevice(const RegFileKey& key, const std::u16string& keyName) {
    DeviceEntry entry;
    std::array<const RegFileValue*, kDeviceValues.size()> given{};
    for (const RegFileValue& value : key.values) {
      RefuseDeletion(value);
      const auto layout = std::find_if(kDeviceValues.begin(), kDeviceValues.end(), [&](const DeviceValue& v) {
        return v.name.size() == value.name.size() &&
               std::equal(v.name.begin(), v.name.end(), value.name.begin(),
                          [](char a, char16_t b) { return Upper(static_cast<char16_t>(a)) == Upper(b); });
      });
      if (layout == kDeviceValues.end()) {
        Fail(value.line, "The value " + Shown(value.name) + " is not part of a device profile.");
      }
      const std::string shown = ShownName(layout->name);
      const std::size_t index = static_cast<std::size_t>(layout - kDeviceValues.begin());
      if (given[index]) Fail(value.line, "The value " + shown + " is given twice.");
      given[index] = &value;
      if (layout->text) {
        if (value.data != RegData::Text) Fail(value.line, "The value " + shown + " must be text (REG_SZ).");
        entry.*layout->text = Narrow(value.text, value.line);
      } else {
        if (value.data != RegData::Number) Fail(value.line, "The value " + shown + " must be a dword (REG_DWORD).");
        entry.*layout->number = static_cast<std::int32_t>(value.number);
      }
    }
    for (std::size_t i = 0; i < given.size(); ++i) {
      if (!given[i]) Fail(key.line, "The device key lacks the value " + ShownName(kDeviceValues[i].name) + ".");
    }
    const std::string name = Narrow(keyName, key.line);
    // Names compare as the registry compares them; the key's spelling is
    // the one that counts, as it does when the profile is written.
    if (!SameRegistryName(entry.DeviceName, name)) {
      const auto deviceName = std::find_if(kDeviceValues.begin(), kDeviceValues.end(),
                                           [](const DeviceValue& v) { return v.text == &DeviceEntry::DeviceName; });
      Fail(given[static_cast<std::size_t>(deviceName - kDeviceValues.begin())]->line,
           "DeviceName must be the name of its key, " + name + ".");
    }
    entry.DeviceName = name;
    const auto [it, added] = deviceIndex_.emplace(RegistryNameKey(name), set_.devices.size());
    if (added) {
      set_.devices.push_back(std::move(entry));
    } else if (!(set_.devices[it->second] == entry)) {
      Fail(key.line, "The device " + name + " is given twice with different values.");
    }
  }

  TextCodec& codec_;
  ProfileSet set_;
  std::map<std::string, std::size_t> deviceIndex_;
  std::map<std::string, std::size_t> aliasIndex_;
  std::vector<int> aliasLines_;
};

}  // namespace

RegFile ProfileRegFile(const ProfileSet& profiles, TextCodec& codec) {
  RegFile file;
  file.comments = {u"Vantrel device profiles. Each key stands twice: for 32-bit Windows, and under",
                   u"WOW6432Node for the 32-bit registry view of 64-bit Windows."};
  for (const DeviceEntry& device : profiles.devices) {
    for (const DeviceValue& value : kDeviceValues) {
      if (value.text) RequireOneLine(device.*value.text, device.DeviceName);
    }
    RequireOneLine(device.DeviceName, device.DeviceName);
  }
  for (const AlternateName& alias : profiles.alternateNames) {
    RequireOneLine(alias.name, alias.device);
  }
  for (const std::u16string& classPath : ClassKeyPaths()) {
    RegFileKey classKey;
    classKey.path = std::u16string(kMachine) + classPath;
    for (const AlternateName& alias : profiles.alternateNames) {
      classKey.values.push_back(TextValue(codec.Widen(alias.name), codec.Widen(alias.device)));
    }
    file.keys.push_back(classKey);
    for (const DeviceEntry& device : profiles.devices) {
      RegFileKey key;
      key.path = classKey.path + u"\\" + codec.Widen(device.DeviceName);
      for (const DeviceValue& layout : kDeviceValues) {
        if (layout.text) {
          key.values.push_back(TextValue(Ascii(layout.name), codec.Widen(device.*layout.text)));
        } else {
          RegFileValue value;
          value.name = Ascii(layout.name);
          value.data = RegData::Number;
          value.type = 4;
          value.number = static_cast<std::uint32_t>(device.*layout.number);
          key.values.push_back(value);
        }
      }
      file.keys.push_back(std::move(key));
    }
  }
  return file;
}

ProfileSet ReadProfileRegFile(const RegFile& file, TextCodec& codec) {
  return ProfileReader(codec).Read(file);
}

}  // namespace vantrel
