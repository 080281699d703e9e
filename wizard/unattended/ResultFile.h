// The result file of an unattended run: one JSON document in UTF-8 that a
// deployment engine can read back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wizard/unattended/RunPlatform.h"
#include "wizard/unattended/UnlinkedFile.h"

namespace quispor::unattended {

// What a removal would delete (/whatif), each list in the order found.
struct RemovalPlan {
  std::vector<std::u16string> printers;
  std::vector<std::u16string> forms;
  std::vector<std::u16string> drivers;
  std::vector<std::u16string> packages;
};

struct RunResult {
  std::u16string action;  // "install", "uninstall", "whatif" or "usage"; empty before the command line is read
  std::u16string model;
  std::u16string printer;
  std::u16string port;
  std::u16string driver;
  bool changed = false;
  uint32_t exitCode = 0;
  std::u16string message;
  std::optional<RemovalPlan> wouldRemove;  // /whatif only
};

// The document: {"action", "model", "printer", "port", "driver", "changed",
// "exitCode", "message"[, "wouldRemove": {"printers", "forms", "drivers",
// "packages"}]}; texts not known are null.
std::string ResultJson(const RunResult& result);

// Writes the document to path, replacing the file, unless a link stands
// there (see OpenUnlinked); the error is 0, the open's or the write's.
FileOutcome WriteResultFile(RunFiles& files, const std::u16string& path, const RunResult& result);

}  // namespace quispor::unattended
