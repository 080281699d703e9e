// The unattended run's command line as the fuzzer makes it (UTF-16
// arguments split at NUL), and every argument through the log line and the
// result file: a command line the parser accepts must be one the run can
// carry out, a log line stays one line, and the result stays valid JSON.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/unattended/ResultFile.h"
#include "wizard/unattended/RunLog.h"
#include "wizard/unattended/Switches.h"

using namespace quispor::unattended;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::u16string> args = {u"Quispor.exe", u""};
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const char16_t c = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (c == 0) {
      args.emplace_back();
    } else {
      args.back() += c;
    }
  }
  const UnattendedCommand command = ParseCommandLine(args);
  if (command.mode == RunMode::Quiet && command.error.empty()) {
    if (command.whatIf && !command.uninstall) std::abort();
    if (!command.uninstall) {
      if (command.modelIndex < 0 || command.modelIndex >= quispor::modelCount) std::abort();
      if (command.port == PortChoice::Named &&
          (command.portName.empty() || command.portName.size() > kPortNameLimit ||
           command.portName.find(u',') != std::u16string::npos))
        std::abort();
      if (command.port == PortChoice::Ip &&
          (command.ipAddress.size() < 7 || command.ipAddress.size() > 15 || command.tcpPort < 1 ||
           command.tcpPort > 65535))
        std::abort();
    }
  }
  // Only a command line with /quiet is checked (with /? too: its usage goes to the log).
  if (!command.quiet && !command.error.empty()) std::abort();

  RunResult result;
  result.message = command.error;
  RemovalPlan plan;
  for (const std::u16string& arg : args) {
    const std::string line = LogLine(SystemTime{2026, 12, 3, 9, 17, 41, 2, 0}, arg);
    if (line.size() < 2 || line.find_first_of("\r\n") != line.size() - 2) std::abort();
    plan.printers.push_back(arg);
  }
  result.wouldRemove = plan;
  const nlohmann::json parsed = nlohmann::json::parse(ResultJson(result), nullptr, false);
  if (parsed.is_discarded() || parsed["wouldRemove"]["printers"].size() != args.size()) std::abort();
  return 0;
}
