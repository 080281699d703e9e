#include "wizard/unattended/Switches.h"

#include <optional>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/NameCompare.h"
#include "wizard/engine/WideText.h"

namespace quispor::unattended {
namespace {

struct Switch {
  std::u16string_view name;
  std::optional<std::u16string_view> value;
};

// "/name", "-name", "/name=value", "-name:value"; nullopt for a word that is
// not a switch.
std::optional<Switch> SwitchOf(std::u16string_view arg) {
  if (arg.size() < 2 || (arg[0] != u'/' && arg[0] != u'-')) {
    return std::nullopt;
  }
  const std::u16string_view body = arg.substr(1);
  const std::size_t separator = body.find_first_of(u"=:");
  if (separator == std::u16string_view::npos) {
    return Switch{body, std::nullopt};
  }
  return Switch{body.substr(0, separator), body.substr(separator + 1)};
}

bool Is(const Switch& s, std::u16string_view name) { return NamesEqualIgnoringCase(s.name, name); }

// The switches only an unattended run knows ("uninstall" is also the
// wizard's own word, which keeps its old meaning without /quiet).
bool IsUnattendedOnly(const Switch& s) {
  for (std::u16string_view name : {u"model", u"port", u"nodefault", u"log", u"result", u"whatif"}) {
    if (Is(s, name)) {
      return true;
    }
  }
  return false;
}

// 0 to 255, one to three decimal digits.
bool ParseOctet(std::u16string_view text) {
  if (text.empty() || text.size() > 3) {
    return false;
  }
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') {
      return false;
    }
    value = value * 10 + (c - u'0');
  }
  return value <= 255;
}

bool IsIpv4Address(std::u16string_view text) {
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = text.find(u'.');
    if ((part < 3) == (dot == std::u16string_view::npos)) {
      return false;
    }
    if (!ParseOctet(text.substr(0, dot))) {
      return false;
    }
    text = part < 3 ? text.substr(dot + 1) : std::u16string_view();
  }
  return true;
}

// 1 to 65535 in decimal digits only, else -1.
int32_t ParseTcpPort(std::u16string_view text) {
  if (text.empty() || text.size() > 5) {
    return -1;
  }
  int32_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') {
      return -1;
    }
    value = value * 10 + (c - u'0');
  }
  return value >= 1 && value <= 65535 ? value : -1;
}

// A name the spooler could list: not empty, short enough for the printer's
// port field, no control character and no comma (which separates the ports
// of a pooled printer).
bool IsPortName(std::u16string_view name) {
  if (name.empty() || name.size() > kPortNameLimit) {
    return false;
  }
  for (char16_t c : name) {
    if (c < 0x20 || c == 0x7F || c == u',') {
      return false;
    }
  }
  return true;
}

// Fills the port of command from the value of /port; an error text, or empty.
std::u16string TakePort(std::u16string_view value, UnattendedCommand& command) {
  if (NamesEqualIgnoringCase(value, u"usb")) {
    command.port = PortChoice::Usb;
    return {};
  }
  if (value.size() >= 3 && NamesEqualIgnoringCase(value.substr(0, 3), u"ip:")) {
    command.port = PortChoice::Ip;
    std::u16string_view address = value.substr(3);
    const std::size_t colon = address.find(u':');
    if (colon != std::u16string_view::npos) {
      command.tcpPort = ParseTcpPort(address.substr(colon + 1));
      address = address.substr(0, colon);
      if (command.tcpPort < 0) {
        return u"the TCP port of /port=ip: must be a number from 1 to 65535";
      }
    }
    if (!IsIpv4Address(address)) {
      return u"/port=ip: needs an IPv4 address such as ip:192.168.1.100 or ip:192.168.1.100:9100";
    }
    command.ipAddress = std::u16string(address);
    return {};
  }
  if (!IsPortName(value)) {
    return u"/port must name a port such as COM1: or LPT1:, or be usb or ip:<address>[:<tcp port>]";
  }
  command.port = PortChoice::Named;
  command.portName = std::u16string(value);
  return {};
}

int ModelIndexOf(std::u16string_view name) {
  for (uint16_t i = 0; i < modelCount; ++i) {
    if (NamesEqualIgnoringCase(name, View(ModelCatalogue[i].name))) {
      return i;
    }
  }
  return -1;
}

std::u16string ModelNames() {
  std::u16string names;
  for (uint16_t i = 0; i < modelCount; ++i) {
    names += (i == 0 ? u"" : u", ") + std::u16string(View(ModelCatalogue[i].name));
  }
  return names;
}

// "/name" and what follows; appended piece by piece, as GCC 12 warns falsely
// (-Wrestrict) on u"/" + std::u16string(name).
std::u16string SwitchText(std::u16string_view name, std::u16string_view tail) {
  std::u16string out = u"/";
  out += name;
  out += tail;
  return out;
}

// The first thing wrong with the switches of a quiet run, or empty.
std::u16string CheckQuiet(const std::vector<std::u16string>& args, UnattendedCommand& command) {
  bool model = false;
  bool port = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::optional<Switch> s = SwitchOf(args[i]);
    if (!s) {
      return u"unexpected word: " + args[i];
    }
    const bool takesValue = Is(*s, u"model") || Is(*s, u"port") || Is(*s, u"log") || Is(*s, u"result");
    if (takesValue && (!s->value || s->value->empty())) {
      return SwitchText(s->name, u" needs a value (/") + std::u16string(s->name) + u"=...)";
    }
    if (!takesValue && s->value) {
      return SwitchText(s->name, u" takes no value");
    }
    std::u16string* path = Is(*s, u"log") ? &command.logPath : Is(*s, u"result") ? &command.resultPath : nullptr;
    if (Is(*s, u"quiet") || Is(*s, u"?")) {
    } else if (Is(*s, u"uninstall")) {
      command.uninstall = true;
    } else if (Is(*s, u"whatif")) {
      command.whatIf = true;
    } else if (Is(*s, u"nodefault")) {
      command.setAsDefault = false;
    } else if (path != nullptr) {
      if (!path->empty()) {
        return SwitchText(s->name, u" is given twice");
      }
      *path = std::u16string(*s->value);
    } else if (Is(*s, u"model")) {
      if (model) {
        return u"/model is given twice";
      }
      model = true;
      command.modelIndex = ModelIndexOf(*s->value);
      if (command.modelIndex < 0) {
        return u"unknown model " + std::u16string(*s->value) + u"; the models are " + ModelNames();
      }
    } else if (Is(*s, u"port")) {
      if (port) {
        return u"/port is given twice";
      }
      port = true;
      const std::u16string error = TakePort(*s->value, command);
      if (!error.empty()) {
        return error;
      }
    } else {
      return u"unknown switch " + args[i];
    }
  }
  if (command.mode == RunMode::Usage) {
    return {};
  }
  if (command.uninstall) {
    if (model || port || !command.setAsDefault) {
      return u"/uninstall takes no /model, /port or /nodefault";
    }
    return {};
  }
  if (command.whatIf) {
    return u"/whatif goes with /uninstall only";
  }
  if (!model || !port) {
    return u"an installation needs /model=<name> and /port=<port>; a removal needs /uninstall";
  }
  return {};
}

}  // namespace

UnattendedCommand ParseCommandLine(const std::vector<std::u16string>& args) {
  UnattendedCommand command;
  bool unattendedOnly = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::optional<Switch> s = SwitchOf(args[i]);
    if (!s) {
      continue;
    }
    command.quiet = command.quiet || (Is(*s, u"quiet") && !s->value);
    if (Is(*s, u"?") && !s->value) {
      command.mode = RunMode::Usage;
    }
    unattendedOnly = unattendedOnly || IsUnattendedOnly(*s);
  }
  if (command.mode != RunMode::Usage) {
    command.mode = command.quiet ? RunMode::Quiet : unattendedOnly ? RunMode::QuietMissing : RunMode::Interactive;
  }
  if (command.quiet) {
    command.error = CheckQuiet(args, command);
  }
  return command;
}

const char16_t* UsageText() {
  return u"Quispor.exe /quiet /model=<name> /port=<port> [/nodefault] [/log=<file>] [/result=<file>]\n"
         u"    installs the driver and a printer of the model without a window.\n"
         u"    <name>: VEXO_216, VEXO_PRINTER, VEXO_80 or VEXO_58.\n"
         u"    <port>: COM1:, LPT1: or another port the spooler lists; usb (the first USB printer port);\n"
         u"    ip:<address>[:<tcp port>] (a Standard TCP/IP port, found or created; TCP port 9100 by default).\n"
         u"    /nodefault: the printer does not become the default printer.\n"
         u"Quispor.exe /quiet /uninstall [/whatif] [/log=<file>] [/result=<file>]\n"
         u"    removes every printer, driver and driver package of the models; /whatif only lists them.\n"
         u"/log: the log file (default Quispor\\Quispor.log under the system's ProgramData folder). /result: a JSON file of the outcome.\n"
         u"\n"
         u"Exit codes: 0 done (or already installed, or nothing to remove); 1618 another run of Quispor is open;\n"
         u"1639 invalid command line; 1168 no USB printer port found; 5 no administrator rights;\n"
         u"3010 removed, complete after a restart;\n"
         u"1307 the log folder, the log or the result file is not safe (a user's folder, or a link);\n"
         u"any other: the Windows error code of the step that failed.";
}

}  // namespace quispor::unattended
