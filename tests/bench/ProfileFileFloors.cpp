#include "tests/bench/ProfileFileFloors.h"

#include <string>
#include <string_view>
#include <utility>

#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceValues.h"

namespace kit::bench {
namespace {

constexpr std::string_view kHead =
    "Windows Registry Editor Version 5.00\r\n"
    "; Vantrel device profiles. Each key stands twice: for 32-bit Windows, and under\r\n"
    "; WOW6432Node for the 32-bit registry view of 64-bit Windows.\r\n";
constexpr std::string_view kMachine = "HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kWow64Node = "WOW6432Node\\";

// Texts read from the registry, back to back.
class Texts {
 public:
  void Add(const unsigned char* data, std::size_t size) {
    text_.append(reinterpret_cast<const char*>(data), size);
    ends_.push_back(text_.size());
  }
  std::string_view operator[](std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(start, ends_[i] - start);
  }
  std::size_t Count() const { return ends_.size(); }
  std::size_t Chars() const { return text_.size(); }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

// A REG_SZ value's text: up to its first zero.
std::size_t TextSize(const unsigned char* data, std::uint32_t size) {
  std::size_t n = 0;
  while (n < size && data[n] != 0) ++n;
  return n;
}

// UTF-16LE into a buffer that is large enough; the code page's bytes widen
// one to one, as the benchmark's codec does. Each text is written through a
// local pointer, which stays in a register.
class Out {
 public:
  explicit Out(std::size_t maxChars) : bytes_(2 + 2 * maxChars), at_(Char(bytes_.data(), 0xFEFF)) {}
  void Put(std::string_view text) {
    std::uint8_t* at = at_;
    for (char c : text) at = Char(at, static_cast<unsigned char>(c));
    at_ = at;
  }
  void Quoted(std::string_view text) {
    std::uint8_t* at = Char(at_, u'"');
    for (char c : text) {
      if (c == '\\' || c == '"') at = Char(at, u'\\');
      at = Char(at, static_cast<unsigned char>(c));
    }
    at_ = Char(at, u'"');
  }
  void Dword(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    char digits[8];
    for (int i = 0; i < 8; ++i) digits[i] = kDigits[(value >> (28 - 4 * i)) & 0xF];
    Put("dword:");
    Put(std::string_view(digits, 8));
  }
  std::vector<std::uint8_t> Take() {
    bytes_.resize(static_cast<std::size_t>(at_ - bytes_.data()));
    return std::move(bytes_);
  }

 private:
  static std::uint8_t* Char(std::uint8_t* at, char16_t c) {
    at[0] = static_cast<std::uint8_t>(c);
    at[1] = static_cast<std::uint8_t>(c >> 8);
    return at + 2;
  }
  std::vector<std::uint8_t> bytes_;
  std::uint8_t* at_;
};

}  // namespace

std::vector<std::uint8_t> ExportFloor(vantrel::RegistryApi& registry) {
  const std::string classPath(vantrel::kPrinterClassKeyPath);
  std::vector<unsigned char> buffer(1 << 16);
  char name[256];
  Texts devices;
  Texts aliases;  // name, data, name, data...
  vantrel::RegKey key = 0;
  if (registry.OpenKeyEx(vantrel::kHkeyLocalMachine, classPath.c_str(), 0, vantrel::kKeyAllAccess, &key) == 0) {
    for (std::uint32_t i = 0;; ++i) {
      std::uint32_t length = sizeof name;
      if (registry.EnumKeyEx(key, i, name, &length) != 0) break;
      devices.Add(reinterpret_cast<const unsigned char*>(name), length);
    }
    for (std::uint32_t i = 0;; ++i) {
      std::uint32_t length = sizeof name;
      std::uint32_t type = 0;
      std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
      if (registry.EnumValue(key, i, name, &length, &type, buffer.data(), &size) != 0) break;
      if (type != vantrel::kRegSz || length == 0) continue;
      aliases.Add(reinterpret_cast<const unsigned char*>(name), length);
      aliases.Add(buffer.data(), TextSize(buffer.data(), size));
    }
    registry.CloseKey(key);
  }

  Texts values;  // the 14 of each device, texts only; numbers apart
  std::vector<std::uint32_t> numbers;
  for (std::size_t d = 0; d < devices.Count(); ++d) {
    const std::string path = classPath + "\\" + std::string(devices[d]);
    if (registry.OpenKeyEx(vantrel::kHkeyLocalMachine, path.c_str(), 0, vantrel::kKeyAllAccess, &key) != 0) continue;
    for (const vantrel::DeviceValue& value : vantrel::kDeviceValues) {
      const std::string valueName(value.name);
      std::uint32_t type = 0;
      std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
      const bool found = registry.QueryValueEx(key, valueName.c_str(), &type, buffer.data(), &size) == 0;
      if (value.text) {
        values.Add(buffer.data(), found ? TextSize(buffer.data(), size) : 0);
      } else {
        std::uint32_t number = 0;
        if (found) number = buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
        numbers.push_back(number);
      }
    }
    registry.CloseKey(key);
  }

  // Every character at most twice (escapes), and the lines around them.
  const std::size_t keyLine = kMachine.size() + kWow64Node.size() + classPath.size() + 8;
  const std::size_t perDevice = keyLine + vantrel::kDeviceValues.size() * 32;
  Out out(kHead.size() +
          2 * (keyLine + 2 * (aliases.Chars() + values.Chars() + devices.Chars()) + 8 * aliases.Count() +
               perDevice * devices.Count()) +
          2);
  out.Put(kHead);
  for (const bool wow : {false, true}) {
    std::string keyPath(kMachine);
    keyPath += wow ? std::string("SOFTWARE\\") + std::string(kWow64Node) + classPath.substr(9) : classPath;
    out.Put("\r\n[");
    out.Put(keyPath);
    out.Put("]\r\n");
    for (std::size_t a = 0; a < aliases.Count(); a += 2) {
      out.Quoted(aliases[a]);
      out.Put("=");
      out.Quoted(aliases[a + 1]);
      out.Put("\r\n");
    }
    std::size_t text = 0;
    std::size_t number = 0;
    for (std::size_t d = 0; d < devices.Count(); ++d) {
      out.Put("\r\n[");
      out.Put(keyPath);
      out.Put("\\");
      out.Put(devices[d]);
      out.Put("]\r\n");
      for (const vantrel::DeviceValue& value : vantrel::kDeviceValues) {
        if (value.name.empty()) {
          out.Put("@=");
        } else {
          out.Quoted(value.name);
          out.Put("=");
        }
        if (value.text) {
          out.Quoted(values[text++]);
        } else {
          out.Dword(numbers[number++]);
        }
        out.Put("\r\n");
      }
    }
  }
  out.Put("\r\n");
  return out.Take();
}

std::size_t ReadFloor(std::span<const std::uint8_t> file) {
  std::u16string text(file.size() / 2 - 1, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(file[2 + 2 * i] | file[3 + 2 * i] << 8);
  }
  std::vector<std::u16string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    lines.push_back(std::u16string_view(text).substr(start, end - start - (end > start && text[end - 1] == u'\r')));
    start = end + 1;
  }
  std::vector<std::pair<std::u16string_view, std::u16string_view>> values;
  values.reserve(lines.size());
  for (const std::u16string_view line : lines) {
    if (line.empty() || (line.front() != u'"' && line.front() != u'@')) continue;
    const std::size_t equals = line.front() == u'@' ? 1 : line.find(u"\"=") + 1;
    values.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return values.size();
}

}  // namespace kit::bench
