// TMainFM, the console's main window: a top-level window with the device
// tree, the "Config" editor, the connection pages and the two buttons. It
// carries out what MainWindowLogic decides and turns messages into its
// event handlers; errors leaving a handler go to the error display.
//
// uMain.cpp routes the messages, MainControls.cpp creates the controls and
// lays them out for the window's DPI, MainViewWin32.cpp implements MainView,
// DevTree.cpp wraps the tree control.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/editor/EditorRules.h"
#include "console/editor/MainLayout.h"
#include "console/editor/MainView.h"
#include "console/editor/MainWindowLogic.h"
#include "console/store/RegistryApi.h"
#include "console/usb/win32/USBComm.h"
#include "console/win32/DevTree.h"
#include "console/win32/TabBodyBackdrop.h"
#include "console/win32/UniqueHandle.h"

namespace vantrel::win32 {

class TMainFM final : public MainView {
 public:
  static constexpr const char* kClassName = "TMainFM";
  static constexpr const char* kCaption = "ZELTANOOpos";
  // Shows the boxes PostMessageBox keeps.
  static constexpr UINT kShowPostedBoxesMessage = WM_APP + 1;

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
  void ClearTree() override { tree_.Clear(); }
  TreeNodeId AddTreeNode(TreeNodeId parent, const std::string& text) override {
    return tree_.Add(parent, text);
  }
  void ExpandTreeNode(TreeNodeId node) override { tree_.Expand(node); }
  void RemoveTreeNode(TreeNodeId node) override { tree_.Remove(node); }
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
  void PostMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;
  std::optional<std::string> ChooseProfileFile(FileChoice choice,
                                               const std::string& suggestedName) override;
  void SetBusy(bool busy) override;

 private:
  // uMain.cpp
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void OnContextMenu(LPARAM position);
  bool OnSetCursor(LPARAM hitTest);
  void ShowTreeMenu(POINT screen);
  void ReportError(const std::exception& error);
  void ShowPostedBoxes();

  // MainControls.cpp
  void CreateControls();
  HWND AddControl(const char* className, const char* text, DWORD style, int id,
                  DWORD exStyle = 0);
  void SetDpi(UINT dpi);
  void Layout();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void LimitTrackSize(MINMAXINFO& info) const;
  // WM_CTLCOLORSTATIC: the brush of a label standing on the tab control's
  // body, having painted the body behind it; null for any other control.
  HBRUSH TabBodyLabelBrush(HDC dc, HWND control);
  Box BoxOf(HWND control) const;
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  HINSTANCE instance_;
  MainWindowLogic logic_;
  HWND hwnd_ = nullptr;
  DevTree tree_;
  UniqueMenu menu_;
  UniqueFont font_;
  TabBodyBackdrop tabBody_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  // Where the controls stand (or are created, before the first layout).
  MainLayout layout_;
  bool menuAttached_ = true;
  bool busy_ = false;
  // Boxes waiting for the message loop (PostMessageBox).
  std::vector<MessageBoxRequest> postedBoxes_;
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus_ = nullptr;
  // Declared last, so destroyed first: its handlers use the window.
  std::unique_ptr<TUSBComm> usbWatcher_;
};

}  // namespace vantrel::win32
