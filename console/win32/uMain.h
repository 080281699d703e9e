// TMainFM, the console's main window: a top-level window with the device
// tree, the "Config" editor, the connection pages and the two buttons. It
// carries out what MainWindowLogic decides and turns messages into its
// event handlers; errors leaving a handler go to the error display.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "console/editor/MainView.h"
#include "console/editor/MainWindowLogic.h"
#include "console/store/RegistryApi.h"
#include "console/usb/win32/USBComm.h"
#include "console/win32/UniqueHandle.h"

namespace vantrel::win32 {

class TMainFM final : public MainView {
 public:
  static constexpr const char* kClassName = "TMainFM";
  static constexpr const char* kCaption = "ZELTANOOpos";

  TMainFM(HINSTANCE instance, RegistryApi& registry);
  ~TMainFM() override;
  TMainFM(const TMainFM&) = delete;
  TMainFM& operator=(const TMainFM&) = delete;

  // Creates the window, which runs FormCreate; false when it cannot.
  bool Create();
  HWND hwnd() const { return hwnd_; }
  MainWindowLogic& logic() { return logic_; }
  // The USB device watcher, kept until the window object is destroyed.
  TUSBComm& AdoptUsbWatcher(std::unique_ptr<TUSBComm> watcher);

  // MainView.
  void ClearTree() override;
  TreeNodeId AddTreeNode(TreeNodeId parent, const std::string& text) override;
  void ExpandTreeNode(TreeNodeId node) override;
  void RemoveTreeNode(TreeNodeId node) override;
  void SetTreeMenuAttached(bool attached) override { menuAttached_ = attached; }
  std::string FieldText(EditorField field) const override;
  void SetFieldText(EditorField field, const std::string& text) override;
  int ConnIndex() const override;
  void SetConnIndex(int index) override;
  void ShowPages(const PageState& state) override;
  int UsbItemCount() const override;
  void AddUsbItem(const std::string& text) override;
  void ClearUsbItems() override;
  void ChooseUsbItem(int index) override;
  int ShowMessageBox(const std::string& text, const std::string& caption,
                     std::uint32_t flags) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void ReportError(const char* message);

  void CreateControls();
  HWND AddControl(const char* className, const char* text, DWORD style, int id, int x, int y,
                  int width, int height, DWORD exStyle = 0);
  void Layout(int width, int height);
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  // The tree node at a point in screen coordinates, or kNoNode.
  TreeNodeId TreeNodeAt(POINT screen) const;
  // The node a left click chose: the item under the click, else the
  // selection (a click beside an item does not move it).
  TreeNodeId ClickedTreeNode() const;
  void ShowTreeMenu(POINT screen);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);

  HINSTANCE instance_;
  MainWindowLogic logic_;
  HWND hwnd_ = nullptr;
  HWND tree_ = nullptr;
  UniqueMenu menu_;
  bool menuAttached_ = true;
  // Declared last, so destroyed first: its handlers use the window.
  std::unique_ptr<TUSBComm> usbWatcher_;
};

}  // namespace vantrel::win32
