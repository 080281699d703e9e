// The unattended run's command line, as CommandLineToArgvW splits it.
#include "wizard/unattended/Switches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quispor::unattended {
namespace {

UnattendedCommand Parse(std::vector<std::u16string> args) {
  args.insert(args.begin(), u"C:\\Kit\\Quispor.exe");
  return ParseCommandLine(args);
}

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(Switches, WithoutTheNewSwitchesTheWizardRunsAsItAlwaysDid) {
  for (const auto& args : std::vector<std::vector<std::u16string>>{
           {}, {u"-uninstall"}, {u"/uninstall"}, {u"-Uninstall"}, {u"x-uninstallx"}, {u"/foo", u"word"}, {u"/quiet=1"}}) {
    const UnattendedCommand command = Parse(args);
    EXPECT_EQ(command.mode, RunMode::Interactive) << (args.empty() ? "" : Narrow(args[0]));
    EXPECT_TRUE(command.error.empty());
  }
  EXPECT_EQ(Parse({u"/model=VEXO_80", u"/port=COM1:"}).mode, RunMode::QuietMissing);
  EXPECT_EQ(Parse({u"-WHATIF"}).mode, RunMode::QuietMissing);
  EXPECT_EQ(Parse({u"/?"}).mode, RunMode::Usage);
  EXPECT_EQ(Parse({u"-?", u"/model=x"}).mode, RunMode::Usage);
  const UnattendedCommand quietUsage = Parse({u"/quiet", u"/?"});
  EXPECT_EQ(quietUsage.mode, RunMode::Usage);
  EXPECT_TRUE(quietUsage.quiet);
  EXPECT_TRUE(quietUsage.error.empty());
  // Quiet, a mistake beside /? is still reported: the run ends with 1639.
  EXPECT_EQ(Narrow(Parse({u"/quiet", u"/?", u"insta"}).error), "unexpected word: insta");
}

TEST(Switches, BothPrefixesBothSeparatorsAnyCase) {
  const UnattendedCommand command =
      Parse({u"-QUIET", u"/Model:vexo_80", u"-port:LPT1:", u"/NoDefault", u"-log=C:\\a b\\x.log", u"/result:C:\\r.json"});
  ASSERT_EQ(command.mode, RunMode::Quiet);
  EXPECT_EQ(Narrow(command.error), "");
  EXPECT_EQ(command.modelIndex, 2);
  EXPECT_EQ(command.port, PortChoice::Named);
  EXPECT_EQ(command.portName, u"LPT1:");  // the value follows the first separator only
  EXPECT_FALSE(command.setAsDefault);
  EXPECT_FALSE(command.uninstall);
  EXPECT_EQ(command.logPath, u"C:\\a b\\x.log");
  EXPECT_EQ(command.resultPath, u"C:\\r.json");

  const UnattendedCommand removal = Parse({u"/quiet", u"-UNINSTALL", u"/whatif"});
  EXPECT_EQ(Narrow(removal.error), "");
  EXPECT_TRUE(removal.uninstall);
  EXPECT_TRUE(removal.whatIf);
}

TEST(Switches, PortKinds) {
  const UnattendedCommand usb = Parse({u"/quiet", u"/model=VEXO_58", u"/port=USB"});
  EXPECT_EQ(usb.port, PortChoice::Usb);
  const UnattendedCommand ip = Parse({u"/quiet", u"/model=VEXO_58", u"/port=ip:192.168.1.100"});
  EXPECT_EQ(ip.port, PortChoice::Ip);
  EXPECT_EQ(ip.ipAddress, u"192.168.1.100");
  EXPECT_EQ(ip.tcpPort, 9100);
  const UnattendedCommand ipPort = Parse({u"/quiet", u"/model=VEXO_58", u"-port:IP:10.0.0.5:9101"});
  EXPECT_EQ(Narrow(ipPort.error), "");
  EXPECT_EQ(ipPort.ipAddress, u"10.0.0.5");
  EXPECT_EQ(ipPort.tcpPort, 9101);
  // A port whose name starts like a kind is still a name.
  const UnattendedCommand named = Parse({u"/quiet", u"/model=VEXO_58", u"/port=USB001"});
  EXPECT_EQ(named.port, PortChoice::Named);
  EXPECT_EQ(named.portName, u"USB001");
}

TEST(Switches, EveryMistakeIsAnErrorWithItsReason) {
  const std::vector<std::pair<std::vector<std::u16string>, std::string>> cases = {
      {{u"/quiet"}, "needs /model"},
      {{u"/quiet", u"/model=VEXO_80"}, "needs /model"},
      {{u"/quiet", u"/port=COM1:"}, "needs /model"},
      {{u"/quiet", u"/model=VEXO_8", u"/port=COM1:"}, "unknown model VEXO_8; the models are VEXO_216, VEXO_PRINTER"},
      {{u"/quiet", u"/model=", u"/port=COM1:"}, "/model needs a value"},
      {{u"/quiet", u"/model", u"/port=COM1:"}, "/model needs a value"},
      {{u"/quiet", u"/model=VEXO_80", u"/model=VEXO_58", u"/port=COM1:"}, "given twice"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM1:", u"/nodefault=no"}, "takes no value"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM1:", u"/force"}, "unknown switch /force"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=COM1:", u"extra"}, "unexpected word: extra"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:"}, "IPv4 address"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0"}, "IPv4 address"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.256"}, "IPv4 address"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.1.2"}, "IPv4 address"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:printer.local"}, "IPv4 address"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.1:0"}, "1 to 65535"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.1:65536"}, "1 to 65535"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=ip:10.0.0.1:91x"}, "1 to 65535"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=LPT1:,LPT2:"}, "/port must name a port"},
      {{u"/quiet", u"/model=VEXO_80", u"/port=" + std::u16string(64, u'P')}, "/port must name a port"},
      {{u"/quiet", u"/uninstall", u"/model=VEXO_80"}, "/uninstall takes no"},
      {{u"/quiet", u"/whatif", u"/model=VEXO_80", u"/port=COM1:"}, "/whatif goes with /uninstall only"},
      {{u"/quiet", u"/uninstall", u"/log="}, "/log needs a value"},
      {{u"/quiet", u"/uninstall", u"/result=a", u"-result:b"}, "/result is given twice"},
  };
  for (const auto& [args, reason] : cases) {
    const UnattendedCommand command = Parse(args);
    EXPECT_EQ(command.mode, RunMode::Quiet);
    EXPECT_NE(Narrow(command.error).find(reason), std::string::npos)
        << Narrow(args.back()) << ": \"" << Narrow(command.error) << "\"";
  }
}

}  // namespace
}  // namespace quispor::unattended
