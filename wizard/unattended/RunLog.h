// The log of unattended runs: UTF-8 lines, each behind the local time, each
// appended on its own (opened, written, closed), so that every line written
// stays even when the run ends abruptly, and two runs never lose each
// other's lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "wizard/engine/WideText.h"
#include "wizard/unattended/RunPlatform.h"
#include "wizard/unattended/UnlinkedFile.h"

namespace quispor::unattended {

// "2026-12-09 17:41:02 text\r\n": the text in UTF-8, its own line breaks
// and other control characters turned into blanks, so a line stays a line.
std::string LogLine(const SystemTime& time, std::u16string_view text);

// The default log, in the folder PrepareProgramDataFolder gives for
// kLogFolder: ProgramData\Quispor\Quispor.log.
inline constexpr char16_t kLogFolder[] = u"Quispor";
inline constexpr char16_t kLogFileName[] = u"Quispor.log";

class RunLog {
 public:
  RunLog(RunFiles& files, RunSession& session, std::u16string path)
      : files_(files), session_(session), path_(std::move(path)) {}

  // Appends one line; 0 or the code of the open or the write. The log is
  // opened without following a link, and refused (kExitNotSafe) when it is
  // one or has another name: linkFound() then says which.
  uint32_t Write(std::u16string_view text);
  const std::u16string& path() const { return path_; }
  LinkFound linkFound() const { return linkFound_; }

 private:
  RunFiles& files_;
  RunSession& session_;
  std::u16string path_;
  LinkFound linkFound_ = LinkFound::None;
};

}  // namespace quispor::unattended
