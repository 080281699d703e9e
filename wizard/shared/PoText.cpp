#include "wizard/shared/PoText.h"

#include <cstring>
#include <optional>
#include <utility>

#include "wizard/engine/platform/Platform.h"

namespace quispor {

// Row order is part of the table's identity: lookups take the first match.
const PoTextEntry PoTextTable[kPoTextRows] = {
    {"PO_RADIO_INSTALL", {u"Install printer driver", u"安装打印机驱动程序", u"", u"", u""}},
    {"PO_RADIO_UNINSTALL", {u"Uninstall printer driver", u"卸载打印机驱动程序", u"", u"", u""}},
    {"PO_RADIO_INSTALL_INFO", {u"Please connect your printer to the PC and turn it on.", u"请将您的打印机连接到电脑同时开启电源开关", u"", u"", u""}},
    {"PO_RADIO_UNINSTALL_INFO", {u"Uninstall the printer driver and components which printer selected.", u"卸载选择的打印机驱动程序及其组件", u"", u"", u""}},
    {"PO_NEXT_STEP", {u"Next Step", u"下一步", u"", u"", u""}},
    {"PO_LAST_STEP", {u"Last Step", u"上一步", u"", u"", u""}},
    {"PO_STATIC_MY_PRINTER_TYPES", {u"Printer Type:", u"打印机型号：", u"", u"", u""}},
    {"PO_CHECK_DEFAULT_PRINTER", {u"Default Printer", u"默认打印机", u"", u"", u""}},
    {"PO_PORT_ENET", {u"Ethernet port - Connect the printer to your network using a LAN cable", u"有线网络 - 使用网线将打印机连接到您的网络", u"", u"", u""}},
    {"PO_PORT_USB", {u"USB port - Connect the printer to your computer using a USB cable", u"USB - 使用USB数据线将打印机连接到您的计算机", u"", u"", u""}},
    {"PO_PORT_LPT", {u"Parallel port - Connect the printer to your computer using a parallel cable", u"并口 - 使用并口数据线将打印机连接到您的计算机", u"", u"", u""}},
    {"PO_PORT_COM", {u"Serial port - Connect the printer to your computer using a serial cable", u"串口 - 使用串口数据线将打印机连接到您的计算机", u"", u"", u""}},
    {"PO_INSTALL_DRIVER_FAIL", {u"Fail to install driver.", u"打印驱动安装失败。", u"", u"", u""}},
    {"PO_INSTALL_PRINTER_FAIL", {u"Fail to add printer.", u"打印机添加失败。", u"", u"", u""}},
    {"PO_INSTALL_SUCCESS", {u"Install success", u"安装成功", u"", u"", u""}},
    {"PO_INPUT_IP_ADDR", {u"Please Input IP Address:", u"请输入IP地址:", u"", u"", u""}},
    {"PO_INPUT_COM", {u"COM Port:", u"串口:", u"", u"", u""}},
    {"PO_INPUT_LPT", {u"LPT Port:", u"并口:", u"", u"", u""}},
    {"PO_INPUT_USB", {u"USB Port:", u"USB口:", u"", u"", u""}},
    {"PO_INFO_USB", {u"If you don't know how to choose a USB port, please click on the search", u"如果您不知道该如何选择USB端口，请点击搜索USB", u"", u"", u""}},
    {"PO_SEARCH_USB", {u"SEARCH USB", u"搜索USB", u"", u"", u""}},
    {"PO_PORT_NULL", {u"Please select a port for printer.Please connect the printer USB to the computer and turn on the power.", u"请您为打印机选择一个端口,请将打印机USB连接到电脑上并打开电源。", u"", u"", u""}},
    {"PO_PRINTER_PAPER_WIDTH", {u"Please Select Printer Paper Width:", u"请选择打印机纸张宽度：", u"", u"", u""}},
    {"PO_PRINTER_PAPER_WIDTH_LIST", {u"Paper Width", u"纸张宽度", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_108", {u"108mm", u"108毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_104", {u"104mm", u"104毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_76", {u"76mm", u"76毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_72", {u"72mm", u"72毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_54", {u"54mm", u"54毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_48", {u"48mm", u"48毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_W_24", {u"24mm", u"24毫米", u"", u"", u""}},
    {"PO_PRINTER_PAPER_NULL", {u"Please select a paper for printer", u"请您为打印机选择纸张", u"", u"", u""}},
    {"PO_ERROR_CODE5", {u"Please run this program as an administrator.", u"请以管理员身份运行此程序。", u"", u"", u""}},
    {"PO_ERROR_CODE1796", {u"Please connect the printer USB to the computer and turn on the power.", u"请将打印机USB连接到电脑上并打开电源。", u"", u"", u""}},
    {"PO_UNINSTALL_ING_NAME", {u"Deleting printer ", u"正在删除打印驱动 ", u"", u"", u""}},
    {"PO_UNINSTALL_FINISH_INFO", {u"The printer driver deletion is complete.", u"打印机驱动删除完成。", u"", u"", u""}},
    {"PO_UNINSTALL_DRIVER_FAIL", {u"Fail to uninstall driver.", u"打印驱动卸载失败。", u"", u"", u""}},
    {"PO_PRINTER_INSTALL_LAST_INFO", {u"Installed printer ", u"已安装", u"", u"", u""}},
    {"PO_PRINTER_LAST_INSTALL_ANOTHER", {u"Install Another Printer", u"安装其它打印机", u"", u"", u""}},
    {"PO_PRINTER_LAST_INSTALL_EXIT", {u"Close", u"退出", u"", u"", u""}},
};

namespace {

struct LanguageState {
  std::function<uint16_t()> source;
  std::optional<int> language;
};

LanguageState& State() {
  static LanguageState state;
  return state;
}

uint16_t AskLanguageId() {
  LanguageState& state = State();
  if (state.source) {
    return state.source();
  }
  return platform::ProcessSystemInfo().GetSystemDefaultLangID();
}

const PoTextEntry* FindRow(const char* key) {
  if (key == nullptr) {
    return nullptr;
  }
  for (const PoTextEntry& row : PoTextTable) {
    if (std::strcmp(row.key, key) == 0) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace

int GetPoLanguage() {
  LanguageState& state = State();
  if (!state.language) {
    state.language = AskLanguageId() == kLangChinesePrc ? kPoChinese : kPoEnglish;
  }
  return *state.language;
}

const char16_t* GetPoText(const char* key) {
  const int language = GetPoLanguage();
  const PoTextEntry* row = FindRow(key);
  return row != nullptr ? row->texts[language] : nullptr;
}

const char16_t* PoTextOrEmpty(const char* key) {
  const char16_t* text = GetPoText(key);
  return text != nullptr ? text : u"";
}

char16_t* CopyPoText(const char* key, char16_t* buffer) {
  const char16_t* text = GetPoText(key);
  if (text == nullptr || buffer == nullptr) {
    return nullptr;
  }
  std::size_t i = 0;
  for (; i + 1 < kPoTextCapacity && text[i] != u'\0'; ++i) {
    buffer[i] = text[i];
  }
  buffer[i] = u'\0';
  return buffer;
}

void SetLanguageIdSource(std::function<uint16_t()> source) { State().source = std::move(source); }

void ResetPoLanguageForTest() { State().language.reset(); }

}  // namespace quispor
