#include "wizard/unattended/UnlinkedFile.h"

#include "wizard/unattended/ExitCodes.h"

namespace quispor::unattended {

FileOutcome OpenUnlinked(RunFiles& files, const std::u16string& path, uint32_t access, uint32_t share, bool truncate,
                         OpenFile& file) {
  FileOutcome outcome;
  // FILE_READ_ATTRIBUTES: GetFileInformationByHandle needs it.
  outcome.error = files.CreateFileW(path.c_str(), access | kFileReadAttributes, share, kOpenAlways,
                                    kFileFlagOpenReparsePoint, file.put(files));
  if (outcome.error != 0) return outcome;
  uint32_t attributes = 0;
  uint32_t links = 0;
  outcome.error = files.GetFileInformationByHandle(file.get(), &attributes, &links);
  if (outcome.error == 0) {
    outcome.link = (attributes & kit::trust::kFileAttributeReparsePoint) ? LinkFound::ReparsePoint
                   : links > 1                                         ? LinkFound::HardLinks
                                                                        : LinkFound::None;
    outcome.error = outcome.link != LinkFound::None ? kExitNotSafe : truncate ? files.SetEndOfFile(file.get()) : 0;
  }
  if (outcome.error != 0) file.reset();
  return outcome;
}

std::u16string WhyRefused(const std::u16string& path, LinkFound link) {
  switch (link) {
    case LinkFound::ReparsePoint: return path + u" is a reparse point (a link)";
    case LinkFound::HardLinks: return path + u" has more than one hard link";
    case LinkFound::None: break;
  }
  return path;
}

}  // namespace quispor::unattended
