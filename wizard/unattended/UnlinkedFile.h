// The run's own files (its log and its result), opened so that nothing is
// written through a link a user planted where they go: a reparse point at
// the last component (a symbolic link) is opened itself, not followed, and
// a file with a second hard link may be another file of the machine under a
// second name. Both are refused before anything is written.
#pragma once

#include <cstdint>
#include <string>

#include "wizard/unattended/RunPlatform.h"

namespace quispor::unattended {

enum class LinkFound {
  None,
  ReparsePoint,  // a symbolic link, a junction or another reparse point
  HardLinks,     // more than one name
};

struct FileOutcome {
  uint32_t error = 0;  // 0, the Windows error, or kExitNotSafe (1307) when a link was found
  LinkFound link = LinkFound::None;
};

// Opens path (OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT) for access and
// keeps it in *file only when it is a plain file with one name; otherwise
// the handle is closed again. With truncate the file is emptied then, after
// the check (SetEndOfFile), never before it as CREATE_ALWAYS would.
FileOutcome OpenUnlinked(RunFiles& files, const std::u16string& path, uint32_t access, uint32_t share, bool truncate,
                         OpenFile& file);

// "C:\out\r.json is a reparse point (a link)", "... has more than one hard link".
std::u16string WhyRefused(const std::u16string& path, LinkFound link);

}  // namespace quispor::unattended
