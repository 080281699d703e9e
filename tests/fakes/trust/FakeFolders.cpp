#include "tests/fakes/trust/FakeFolders.h"

#include <algorithm>

#include "tests/fakes/trust/Sddl.h"

namespace kit::fakes {
namespace {

constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;

char16_t Fold(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::u16string Parent(const std::u16string& path) {
  const std::size_t cut = path.rfind(u'\\');
  return cut == std::u16string::npos ? std::u16string() : path.substr(0, cut);
}

}  // namespace

bool NoCaseLessPath::operator()(const std::u16string& a, const std::u16string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Fold(x) < Fold(y); });
}

FakeFolders::FakeFolders() {
  // As Windows sets them: ProgramData lets Users add files and folders.
  Put(u"C:\\ProgramData",
      u"O:SYD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;OICIIO;GA;;;CO)(A;CI;0x100116;;;BU)");
  Put(systemDirectory, std::u16string(u"O:") + kit::trust::kSidTrustedInstaller +
                           u"D:P(A;;FA;;;" + kit::trust::kSidTrustedInstaller +
                           u")(A;;0x1301bf;;;SY)(A;;0x1301bf;;;BA)(A;;0x1200a9;;;BU)");
}

void FakeFolders::Put(const std::u16string& path, std::u16string_view sddl, uint32_t attributes) {
  items[path] = Item{attributes, ParseSddl(sddl)};
}

bool FakeFolders::IsFolder(const std::u16string& path) const {
  const auto found = items.find(path);
  return found != items.end() && (found->second.attributes & kDirectory) != 0;
}

uint32_t FakeFolders::ReadOwnerAndDacl(const std::u16string& path, kit::trust::ObjectSecurity* security) {
  calls.push_back("ReadOwnerAndDacl " + Narrow(path));
  if (const auto refused = readErrors.find(path); refused != readErrors.end()) return refused->second;
  const auto found = items.find(path);
  if (found == items.end()) return kErrorFileNotFound;
  *security = found->second.security;
  return 0;
}

uint32_t FakeFolders::ProgramDataFolder(std::u16string* path) {
  calls.push_back("ProgramDataFolder");
  if (programDataError != 0) return programDataError;
  *path = programData;
  return 0;
}

uint32_t FakeFolders::CreateDirectoryW(const std::u16string& path, const char16_t* sddl) {
  calls.push_back("CreateDirectoryW " + Narrow(path) + " " + Narrow(sddl));
  if (items.count(path) != 0) return kit::trust::kErrorAlreadyExists;
  const auto parent = items.find(Parent(path));
  if (parent == items.end() || !(parent->second.attributes & kDirectory)) return kErrorPathNotFound;
  Item folder{kDirectory, ParseSddl(sddl)};
  folder.security.owner = creator;
  items[path] = folder;
  return 0;
}

uint32_t FakeFolders::GetFileAttributesW(const std::u16string& path, uint32_t* attributes) {
  calls.push_back("GetFileAttributesW " + Narrow(path));
  const auto found = items.find(path);
  if (found == items.end()) return kErrorFileNotFound;
  *attributes = found->second.attributes;
  return 0;
}

}  // namespace kit::fakes
