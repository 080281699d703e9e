// What the console's window logic needs from the window: the device tree,
// the editor fields, the connection pages, the USB device box and message
// boxes. The Win32 window implements it; the native tests record it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// A tree node as the view identifies it; 0 is no node.
using TreeNodeId = std::uintptr_t;
inline constexpr TreeNodeId kNoNode = 0;

enum class EditorField {
  DevName,   // edtDevName
  LName,     // edtLName
  IP,        // edtIP
  Port,      // edtPort
  COM,       // cbbCOM (text)
  Baudrate,  // cbBaudrate (text)
  USBDev,    // cbUSBDev (text)
};

enum class MouseButton { Left, Right, Middle };

// What a file dialog is asked for: a file to write profiles to, or one to
// read them from.
enum class FileChoice { Export, Import };

// Which connection page is shown and which tabs are visible
// (tsComm, tsLan, tsUSB in this order). activePage -1: none.
struct PageState {
  int activePage = -1;
  std::array<bool, 3> tabVisible{};
  bool operator==(const PageState&) const = default;
};

// Message box flags and answers, as MessageBox takes and returns them.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbIconStop = 0x10;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbDefButton2 = 0x100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class MainView {
 public:
  virtual ~MainView() = default;

  // DevTree. parent kNoNode adds a top-level node.
  virtual void ClearTree() = 0;
  virtual TreeNodeId AddTreeNode(TreeNodeId parent, const std::string& text) = 0;
  virtual void ExpandTreeNode(TreeNodeId node) = 0;
  virtual void RemoveTreeNode(TreeNodeId node) = 0;
  // Attaches the context menu PMenu to the tree, or detaches it.
  virtual void SetTreeMenuAttached(bool attached) = 0;

  // Texts of the editor's fields and drop-down lists.
  virtual std::string FieldText(EditorField field) const = 0;
  virtual void SetFieldText(EditorField field, const std::string& text) = 0;

  // cbConn: index of the chosen item, -1 for none.
  virtual int ConnIndex() const = 0;
  virtual void SetConnIndex(int index) = 0;
  // PageControl1.
  virtual void ShowPages(const PageState& state) = 0;

  // Items of cbUSBDev.
  virtual int UsbItemCount() const = 0;
  virtual void AddUsbItem(const std::string& text) = 0;
  virtual void ClearUsbItems() = 0;
  virtual void ChooseUsbItem(int index) = 0;

  // A modal message box owned by the window; returns the button pressed.
  virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                             std::uint32_t flags) = 0;
  // The same box, shown once the window is up and its messages run: for
  // what start-up has to say while the window is still being made.
  virtual void PostMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) = 0;
  // A modal file dialog owned by the window, offering suggestedName; the
  // chosen path, none when the user cancels.
  virtual std::optional<std::string> ChooseProfileFile(FileChoice choice,
                                                       const std::string& suggestedName) = 0;
  // The wait cursor over the window while a long call blocks it.
  virtual void SetBusy(bool busy) = 0;
};

}  // namespace vantrel
