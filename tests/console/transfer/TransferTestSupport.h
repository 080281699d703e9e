// Stand-ins for the transfer's platform: the code page of a Western Windows
// as the console registry fake maps it (bytes 0 to 255 are U+0000 to U+00FF;
// other characters have no form), and files kept in memory, backups
// numbered.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/transfer/ProfileTransfer.h"
#include "tests/fakes/registry/FakeRegistryStore.h"

namespace vantrel::test {

class Latin1Codec : public TextCodec {
 public:
  std::u16string Widen(std::string_view text) override { return kit::fakes::WidenBytes(text); }
  bool Narrow(std::u16string_view text, std::string* out) override {
    out->clear();
    bool all = true;
    for (char16_t c : text) {
      all = all && c <= 0xFF;
      out->push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return all;
  }
};

class MemoryFiles : public ProfileFiles {
 public:
  std::vector<std::uint8_t> Read(const std::string& path, std::size_t maxBytes) override {
    const auto it = files.find(path);
    if (it == files.end()) throw std::runtime_error("Failed to open file " + path + " (error 2).");
    if (it->second.size() > maxBytes) throw std::runtime_error("too large");
    return it->second;
  }
  void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) override { files[path] = bytes; }
  std::string WriteBackup(const std::vector<std::uint8_t>& bytes) override {
    if (backupRefusal) throw std::runtime_error(*backupRefusal);
    const std::string path = "C:\\ProgramData\\Vantrel\\Backups\\Vantrel " + std::to_string(++backups) + ".reg";
    files[path] = bytes;
    return path;
  }

  std::map<std::string, std::vector<std::uint8_t>> files;
  int backups = 0;
  std::optional<std::string> backupRefusal;
};

// The text of the Error that f throws; "" when it throws nothing.
template <typename Error, typename F>
std::string ErrorText(F f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Bytes of a text file: UTF-16LE with a byte-order mark, or 8-bit.
inline std::vector<std::uint8_t> Utf16File(std::u16string_view text) {
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}
inline std::vector<std::uint8_t> AnsiFile(std::string_view text) { return {text.begin(), text.end()}; }
// The text of a UTF-16 file after its byte-order mark.
inline std::u16string TextOf(const std::vector<std::uint8_t>& bytes) {
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
  return text;
}

}  // namespace vantrel::test
