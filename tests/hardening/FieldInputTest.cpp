// What a user can type into the console's editor and the wizard's Ethernet
// page: very long texts, and ports and baud rates that are not numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "console/editor/MainWindowLogic.h"
#include "tests/console/editor/RecordingView.h"
#include "tests/console/store/StoreTestSupport.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/ui/ports/EnetPort.h"

namespace {

using vantrel::EditorField;

class EditorFieldInputTest : public ::testing::Test {
 protected:
  void Save() { logic.RunHandler([&] { logic.btnSaveClick(); }); }
  std::uint32_t Dword(const std::u16string& name) {
    const auto v = store.Value(vantrel::test::DeviceKey("Till"), name);
    if (!v || v->data.size() != 4) return 0xDEADBEEF;
    return v->data[0] | v->data[1] << 8 | v->data[2] << 16 | static_cast<std::uint32_t>(v->data[3]) << 24;
  }

  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
  vantrel::test::RecordingView view;
  vantrel::MainWindowLogic logic{view, api, "Vantrel"};
};

// Ports and baud rates that are not 32-bit decimal numbers are saved as the
// defaults, never as a wrapped or partly parsed number.
TEST_F(EditorFieldInputTest, NonNumericPortsAndBaudRatesSaveTheDefaults) {
  const std::string hostile[] = {"abc", "9100x", " 9100", "0x23F0", "99999999999999999999",
                                 "2147483648", "-2147483649", std::string(100000, '9'), "", "+", "9\xA0"};
  logic.FormCreate();
  for (const std::string& text : hostile) {
    SCOPED_TRACE(text.substr(0, 24));
    view.SetFieldText(EditorField::DevName, "Till");
    view.SetFieldText(EditorField::Port, text);
    view.SetFieldText(EditorField::Baudrate, text);
    Save();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(Dword(u"TcpPort"), 5100u);
    EXPECT_EQ(Dword(u"Baudrate"), 9600u);
  }
  view.SetFieldText(EditorField::Port, "-2147483648");
  Save();
  EXPECT_EQ(Dword(u"TcpPort"), 0x80000000u);
}

// Long texts are stored whole and read back whole.
TEST_F(EditorFieldInputTest, VeryLongTextsAreSavedAndShownWhole) {
  logic.FormCreate();
  const std::string longText(200000, 'x');
  view.SetFieldText(EditorField::DevName, "Till");
  view.SetFieldText(EditorField::LName, "Alias");
  view.SetFieldText(EditorField::IP, longText);
  view.SetFieldText(EditorField::COM, longText + "C");
  view.SetFieldText(EditorField::USBDev, longText + "U");
  view.SetConnIndex(1);
  Save();
  ASSERT_TRUE(view.boxes.empty());
  view.fields.clear();
  logic.DevTreeClick(view.NodeByText("Till"));
  EXPECT_EQ(view.FieldText(EditorField::IP), longText);
  EXPECT_EQ(view.FieldText(EditorField::LName), "Alias");
}

// The wizard's Ethernet page: an address or port text far longer than the
// fixed buffers is cut, never written beyond them, and never yields a port
// for a different address.
TEST(EnetFieldInputTest, OverlongFieldsStayInsideTheirBuffersAndFindNoForeignPort) {
  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeUserMessages messages;
  spooler.monitorRegistry = &registry.store;
  const quispor::EnetPortServices services{registry, spooler, messages};
  constexpr char16_t kGuard = 0xBEEF;

  const std::u16string address(10000, u'1');
  const std::u16string port = std::u16string(5000, u'9') + u"x";
  for (const std::u16string& portText : {port, std::u16string(u"  -9100"), std::u16string(u"\u0669\u0661")}) {
    char16_t ip[260 + 8];
    char16_t name[260 + 8];
    std::fill(std::begin(ip), std::end(ip), kGuard);
    std::fill(std::begin(name), std::end(name), kGuard);
    name[0] = u'\0';
    std::int32_t number = -7;
    quispor::ReadEnetPortName(services, address.c_str(), portText.c_str(), ip, number, name);
    for (std::size_t i = 260; i < std::size(ip); ++i) {
      ASSERT_EQ(ip[i], kGuard) << "address buffer overrun at " << i;
      ASSERT_EQ(name[i], kGuard) << "port name buffer overrun at " << i;
    }
    EXPECT_EQ(std::u16string(ip), address.substr(0, 259));
    // The created port's host address is cut to the monitor's field, so it
    // does not match the address typed and no port is offered.
    EXPECT_EQ(std::u16string(name), u"");
  }
}

}  // namespace
