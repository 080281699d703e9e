// The command line of an unattended run, as CommandLineToArgvW splits it.
// Switches begin with '/' or '-' and are compared without regard to ASCII
// case; a value follows the first '=' or ':' ("-port:LPT1:" names LPT1:).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quispor::unattended {

enum class RunMode {
  Interactive,   // no switch of the unattended run: the wizard as it always was
  Usage,         // /? : the usage, in a message box
  Quiet,         // /quiet : install or remove without a window
  QuietMissing,  // switches of the unattended run without /quiet
};

enum class PortChoice { Named, Usb, Ip };

inline constexpr int32_t kDefaultTcpPort = 9100;
// The longest port name the installation can hand to the spooler whole.
inline constexpr std::size_t kPortNameLimit = 63;

struct UnattendedCommand {
  RunMode mode = RunMode::Interactive;
  bool quiet = false;  // /quiet given (with /? the usage goes to the log)
  bool uninstall = false;
  bool whatIf = false;
  bool setAsDefault = true;
  int modelIndex = -1;  // into ModelCatalogue; -1 without /model
  PortChoice port = PortChoice::Named;
  std::u16string portName;   // Named: as given
  std::u16string ipAddress;  // Ip: dotted IPv4 address
  int32_t tcpPort = kDefaultTcpPort;
  std::u16string logPath;     // empty: the default log
  std::u16string resultPath;  // empty: no result file
  // Why a command line with /quiet (and perhaps /?) cannot run; empty when
  // it can, and always without /quiet.
  std::u16string error;
};

// args[0] is the program, as CommandLineToArgvW gives it. Without /quiet or
// /? the mode is Interactive and nothing else is looked at, unless a switch
// that only an unattended run knows is there (QuietMissing).
UnattendedCommand ParseCommandLine(const std::vector<std::u16string>& args);

// The switches and exit codes, for /? and for a command line without /quiet.
const char16_t* UsageText();

}  // namespace quispor::unattended
