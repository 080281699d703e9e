#include "console/transfer/ProfileFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceValues.h"
#include "console/store/RegistryName.h"
#include "console/store/RegistryNameIndex.h"

namespace vantrel {

namespace {

constexpr std::u16string_view kMachine = u"HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kSoftware = "SOFTWARE\\";
constexpr std::string_view kWow64Node = "WOW6432Node\\";

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// The class key below HKEY_LOCAL_MACHINE: as 32-bit Windows and the 32-bit
// console name it, and as a 64-bit program names the 32-bit view.
const std::array<std::u16string, 2>& ClassKeyPaths() {
  static const std::array<std::u16string, 2> paths = [] {
    const std::string_view plain = kPrinterClassKeyPath;
    return std::array<std::u16string, 2>{
        Ascii(plain), Ascii(kSoftware) + Ascii(kWow64Node) + Ascii(plain.substr(kSoftware.size()))};
  }();
  return paths;
}

// The names of kDeviceValues in UTF-16.
const std::array<std::u16string, kDeviceValues.size()>& ValueNames() {
  static const std::array<std::u16string, kDeviceValues.size()> names = [] {
    std::array<std::u16string, kDeviceValues.size()> wide;
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = Ascii(kDeviceValues[i].name);
    return wide;
  }();
  return names;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameNoCase(std::u16string_view a, std::u16string_view b) {
  // Most paths are spelled as the console writes them.
  return a == b || (a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
                      return Upper(x) == Upper(y);
                    }));
}

std::string ShownName(std::string_view valueName) {
  return valueName.empty() ? std::string("@") : std::string(valueName);
}

void RequireOneLine(const std::string& text, const std::string& device) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; })) {
    throw std::invalid_argument("Device " + device +
                                " cannot be exported: a name or text of its profile holds a line break.");
  }
}

struct KeyPlace {
  enum Kind { Class, Device, Other } kind = Other;
  std::u16string_view device;  // within the path
};

KeyPlace PlaceOf(std::u16string_view path) {
  if (path.size() < kMachine.size() || !SameNoCase(path.substr(0, kMachine.size()), kMachine)) return {};
  path.remove_prefix(kMachine.size());
  for (const std::u16string& classPath : ClassKeyPaths()) {
    if (path.size() < classPath.size() || !SameNoCase(path.substr(0, classPath.size()), classPath)) continue;
    const std::u16string_view tail = path.substr(classPath.size());
    if (tail.empty()) return {KeyPlace::Class, {}};
    if (tail.size() > 1 && tail.front() == u'\\' && tail.find(u'\\', 1) == std::u16string_view::npos) {
      return {KeyPlace::Device, tail.substr(1)};
    }
  }
  return {};
}

// Takes the keys of a file in their order (Add) and gives the profiles they
// hold (Finish); the first refusal is thrown.
class ProfileReader {
 public:
  explicit ProfileReader(TextCodec& codec) : codec_(codec) {}

  void Add(const RegFileKey& key) {
    if (key.remove) Fail(key.line, "The file deletes a key; only device profiles can be imported.");
    const KeyPlace place = PlaceOf(key.path);
    if (place.kind == KeyPlace::Class) {
      for (const RegFileValue& value : key.values) AddAlternateName(value);
    } else if (place.kind == KeyPlace::Device) {
      AddDevice(key, place.device);
    } else {
      Fail(key.line,
           "The key " + Shown(key.path) + " is neither the POSPrinter class key nor a device key under it.");
    }
  }

  ProfileSet Finish() {
    if (set_.devices.empty()) Fail(0, "The file holds no device profile.");
    for (std::size_t i = 0; i < set_.alternateNames.size(); ++i) {
      const AlternateName& alias = set_.alternateNames[i];
      if (!deviceIndex_.Find(alias.device, DeviceNames{set_})) {
        Fail(aliasLines_[i], "The alternate name " + alias.name + " points to " + alias.device +
                                 ", which the file does not hold.");
      }
    }
    return std::move(set_);
  }

 private:
  [[noreturn]] static void Fail(int line, const std::string& reason) { throw RegFileError(line, reason); }

  // The name of each device read so far, for deviceIndex_.
  struct DeviceNames {
    const ProfileSet& set;
    std::string_view operator()(std::size_t i) const { return set.devices[i].DeviceName; }
  };

  std::string Shown(std::u16string_view text) {
    std::string narrow;
    codec_.Narrow(text, &narrow);
    return narrow;
  }

  void Narrow(std::u16string_view text, int line, std::string* narrow) {
    if (!codec_.Narrow(text, narrow)) {
      Fail(line, "\"" + *narrow + "\" cannot be written in this system's code page.");
    }
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
    AlternateName alias;
    Narrow(value.name, value.line, &alias.name);
    Narrow(value.text, value.line, &alias.device);
    const auto aliasName = [this](std::size_t i) -> std::string_view { return set_.alternateNames[i].name; };
    if (const std::optional<std::size_t> given =
            aliasIndex_.FindOrAdd(alias.name, set_.alternateNames.size(), aliasName)) {
      if (set_.alternateNames[*given].device != alias.device) {
        Fail(value.line, "The alternate name " + alias.name + " is given twice for different devices.");
      }
      return;
    }
    set_.alternateNames.push_back(std::move(alias));
    aliasLines_.push_back(value.line);
  }

  // The values go into entry_, which keeps the room of its texts from key
  // to key: a file gives each device twice, and the second is only compared.
  void AddDevice(const RegFileKey& key, std::u16string_view keyName) {
    std::array<const RegFileValue*, kDeviceValues.size()> given{};
    const std::array<std::u16string, kDeviceValues.size()>& names = ValueNames();
    for (std::size_t at = 0; at < key.values.size(); ++at) {
      const RegFileValue& value = key.values[at];
      RefuseDeletion(value);
      const auto named = [&](const DeviceValue& v) {
        return v.name.size() == value.name.size() &&
               std::equal(v.name.begin(), v.name.end(), value.name.begin(),
                          [](char a, char16_t b) { return Upper(static_cast<char16_t>(a)) == Upper(b); });
      };
      // Names are unique; a file the console wrote has them in table order
      // and in their spelling.
      const auto layout = at < kDeviceValues.size() && value.name == names[at]
                              ? kDeviceValues.begin() + static_cast<std::ptrdiff_t>(at)
                              : std::find_if(kDeviceValues.begin(), kDeviceValues.end(), named);
      if (layout == kDeviceValues.end()) {
        Fail(value.line, "The value " + Shown(value.name) + " is not part of a device profile.");
      }
      const std::size_t index = static_cast<std::size_t>(layout - kDeviceValues.begin());
      if (given[index]) Fail(value.line, "The value " + ShownName(layout->name) + " is given twice.");
      given[index] = &value;
      if (layout->text) {
        if (value.data != RegData::Text) {
          Fail(value.line, "The value " + ShownName(layout->name) + " must be text (REG_SZ).");
        }
        Narrow(value.text, value.line, &(entry_.*layout->text));
      } else {
        if (value.data != RegData::Number) {
          Fail(value.line, "The value " + ShownName(layout->name) + " must be a dword (REG_DWORD).");
        }
        entry_.*layout->number = static_cast<std::int32_t>(value.number);
      }
    }
    for (std::size_t i = 0; i < given.size(); ++i) {
      if (!given[i]) Fail(key.line, "The device key lacks the value " + ShownName(kDeviceValues[i].name) + ".");
    }
    std::string name;
    Narrow(keyName, key.line, &name);
    // Names compare as the registry compares them; the key's spelling is
    // the one that counts, as it does when the profile is written.
    if (!SameRegistryName(entry_.DeviceName, name)) {
      const auto deviceName = std::find_if(kDeviceValues.begin(), kDeviceValues.end(),
                                           [](const DeviceValue& v) { return v.text == &DeviceEntry::DeviceName; });
      Fail(given[static_cast<std::size_t>(deviceName - kDeviceValues.begin())]->line,
           "DeviceName must be the name of its key, " + name + ".");
    }
    entry_.DeviceName = name;
    if (const std::optional<std::size_t> earlier =
            deviceIndex_.FindOrAdd(name, set_.devices.size(), DeviceNames{set_})) {
      if (!(set_.devices[*earlier] == entry_)) {
        Fail(key.line, "The device " + name + " is given twice with different values.");
      }
      return;
    }
    set_.devices.push_back(entry_);
  }

  TextCodec& codec_;
  ProfileSet set_;
  DeviceEntry entry_;
  RegistryNameIndex deviceIndex_;
  RegistryNameIndex aliasIndex_;
  std::vector<int> aliasLines_;
};

const std::vector<std::u16string>& Comments() {
  static const std::vector<std::u16string> comments = {
      u"Vantrel device profiles. Each key stands twice: for 32-bit Windows, and under",
      u"WOW6432Node for the 32-bit registry view of 64-bit Windows."};
  return comments;
}

// The keys and values of a profile file in their order, handed to out.Key,
// out.Text and out.Number: the one layout that ProfileRegFile builds and
// WriteProfileFile writes.
template <typename Out>
void LayOut(const ProfileSet& profiles, TextCodec& codec, Out& out) {
  for (const DeviceEntry& device : profiles.devices) {
    for (const DeviceValue& value : kDeviceValues) {
      if (value.text) RequireOneLine(device.*value.text, device.DeviceName);
    }
    RequireOneLine(device.DeviceName, device.DeviceName);
  }
  for (const AlternateName& alias : profiles.alternateNames) {
    RequireOneLine(alias.name, alias.device);
  }
  // Each text stands in the file twice and is widened once.
  std::u16string texts;
  std::vector<std::size_t> ends;
  const auto widen = [&](const std::string& text) {
    texts += codec.Widen(text);
    ends.push_back(texts.size());
  };
  for (const AlternateName& alias : profiles.alternateNames) {
    widen(alias.name);
    widen(alias.device);
  }
  for (const DeviceEntry& device : profiles.devices) {
    widen(device.DeviceName);
    for (const DeviceValue& layout : kDeviceValues) {
      if (layout.text) widen(device.*layout.text);
    }
  }
  const std::array<std::u16string, kDeviceValues.size()>& names = ValueNames();
  std::u16string path;
  for (const std::u16string& classPath : ClassKeyPaths()) {
    // The texts in the order they were widened.
    std::size_t next = 0;
    const auto text = [&] {
      const std::size_t start = next == 0 ? 0 : ends[next - 1];
      return std::u16string_view(texts).substr(start, ends[next++] - start);
    };
    path.assign(kMachine).append(classPath);
    const std::size_t classPathSize = path.size();
    out.Key(path);
    for (std::size_t i = 0; i < profiles.alternateNames.size(); ++i) {
      const std::u16string_view name = text();
      out.Text(name, text());
    }
    for (const DeviceEntry& device : profiles.devices) {
      path.resize(classPathSize);
      path.append(u"\\").append(text());
      out.Key(path);
      for (std::size_t i = 0; i < names.size(); ++i) {
        const DeviceValue& layout = kDeviceValues[i];
        if (layout.text) {
          out.Text(names[i], text());
        } else {
          out.Number(names[i], static_cast<std::uint32_t>(device.*layout.number));
        }
      }
    }
  }
}

// ProfileRegFile's receiver of LayOut.
struct RegFileBuilder {
  void Key(std::u16string_view path) { file.keys.emplace_back().path = path; }
  void Text(std::u16string_view name, std::u16string_view text) {
    RegFileValue value;
    value.name = name;
    value.text = text;
    file.keys.back().values.push_back(std::move(value));
  }
  void Number(std::u16string_view name, std::uint32_t number) {
    RegFileValue value;
    value.name = name;
    value.data = RegData::Number;
    value.type = 4;
    value.number = number;
    file.keys.back().values.push_back(std::move(value));
  }
  RegFile file;
};

}  // namespace

RegFile ProfileRegFile(const ProfileSet& profiles, TextCodec& codec) {
  RegFileBuilder builder;
  builder.file.comments = Comments();
  LayOut(profiles, codec, builder);
  return std::move(builder.file);
}

std::vector<std::uint8_t> WriteProfileFile(const ProfileSet& profiles, TextCodec& codec) {
  // Room for each key twice, with the syntax around every text; escapes
  // are rare.
  const std::size_t keyLine = kMachine.size() + ClassKeyPaths()[1].size() + 8;
  std::size_t chars = keyLine;
  for (const AlternateName& alias : profiles.alternateNames) chars += alias.name.size() + alias.device.size() + 8;
  for (const DeviceEntry& device : profiles.devices) {
    chars += keyLine + device.DeviceName.size();
    for (const DeviceValue& value : kDeviceValues) {
      chars += value.name.size() + (value.text ? (device.*value.text).size() + 8 : 24);
    }
  }
  RegFileWriter writer(Comments(), 2 * chars);
  LayOut(profiles, codec, writer);
  return writer.Finish();
}

ProfileSet ReadProfileRegFile(const RegFile& file, TextCodec& codec) {
  ProfileReader reader(codec);
  for (const RegFileKey& key : file.keys) reader.Add(key);
  return reader.Finish();
}

ProfileSet ReadProfileFile(std::span<const std::uint8_t> bytes, TextCodec& codec) {
  ProfileReader reader(codec);
  // A file the registry editor would not read whole is refused for that
  // first, as when the whole file is read before its profiles: a refusal of
  // the profiles waits for the end of the file.
  std::optional<RegFileError> refused;
  ReadRegFileKeys(bytes, codec, [&](RegFileKey& key) {
    if (refused) return;
    try {
      reader.Add(key);
    } catch (const RegFileError& e) {
      refused = e;
    }
  });
  if (refused) throw *refused;
  return reader.Finish();
}

}  // namespace vantrel
