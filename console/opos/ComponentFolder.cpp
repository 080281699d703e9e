#include "console/opos/ComponentFolder.h"

#include <optional>
#include <utility>

#include "console/opos/ControlRegistration.h"
#include "console/opos/OposNames.h"
#include "trust/FolderCheck.h"

namespace vantrel {
namespace {

using kit::trust::Finding;

constexpr std::uint32_t kErrorFileNotFound = 2;

std::u16string Replaced(std::u16string text, std::u16string_view mark, std::u16string_view with) {
  const std::size_t at = text.find(mark);
  if (at != std::u16string::npos) text.replace(at, mark.size(), with);
  return text;
}

std::u16string Why(const std::u16string& path, const Finding& finding) {
  if (finding.verdict != kit::trust::Verdict::Unreadable) return Replaced(kUntrustedComponentsText, u"%s", path);
  const std::string error = std::to_string(finding.error);
  return Replaced(Replaced(kUncheckedComponentsText, u"%s", path), u"%u", std::u16string(error.begin(), error.end()));
}

// "C:\Vantrel\" names the folder as "C:\Vantrel"; a drive's root keeps its "\".
std::u16string FolderPath(const std::u16string& folder) {
  if (folder.size() > 1 && folder.back() == u'\\' && folder[folder.size() - 2] != u':') {
    return folder.substr(0, folder.size() - 1);
  }
  return folder;
}

}  // namespace

std::u16string WhyComponentsUntrusted(const std::u16string& folder, kit::trust::FileSecurity& security) {
  kit::trust::FolderCheck check(security);
  bool anyThere = false;
  std::optional<std::pair<std::u16string, Finding>> fileAtFault;
  for (const char16_t* name : {opos::kControlFileName, opos::kServiceObjectFileName}) {
    const std::u16string path = folder + name;
    const Finding finding = check.Check(path);
    if (finding.verdict == kit::trust::Verdict::Unreadable && finding.error == kErrorFileNotFound) continue;
    anyThere = true;
    if (!finding.safe() && !fileAtFault) fileAtFault.emplace(path, finding);
  }
  if (!anyThere) return {};
  // A folder users may change lets them replace any file in it.
  const std::u16string folderPath = FolderPath(folder);
  if (const Finding finding = check.Check(folderPath); !finding.safe()) return Why(folderPath, finding);
  return fileAtFault ? Why(fileAtFault->first, fileAtFault->second) : std::u16string();
}

std::unique_ptr<PosPrinterControl> CheckedControlFactory::Create() {
  const std::u16string why = WhyComponentsUntrusted(FolderOf(modules_.ProgramFilePath()), security_);
  if (!why.empty()) throw UntrustedComponentsError(narrow_(why));
  return controls_.Create();
}

}  // namespace vantrel
