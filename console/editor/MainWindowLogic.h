// The decisions of the console's main window TMainFM: the device tree, the
// editor, save and delete. The window turns its messages into these calls;
// the logic works on the window only through MainView.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/editor/MainView.h"
#include "console/store/DeviceEntry.h"
#include "console/store/RegistryApi.h"

namespace vantrel {

// Plug-in points for the USB device list and the OPOS components; empty
// hooks do nothing.
struct MainWindowHooks {
  // Creates the USB watcher and fills cbUSBDev (first block of FormCreate).
  std::function<void()> setUpUsbDeviceList;
  // Registers the OPOS control and service object (second block of
  // FormCreate); what it returns, when not empty, is shown once the window
  // is up.
  std::function<std::string(const std::string& classWord)> registerPrinterControls;
  // The CheckHealth sequence.
  std::function<void()> runCheckHealth;
  // "Export...": one device, or every device of the class when none is given.
  std::function<void(const std::string& className, const std::optional<std::string>& deviceName)>
      exportProfiles;
  // "Import..."; true when it wrote to the registry. A RegistryError it
  // throws means a write failed after others had been made.
  std::function<bool()> importProfiles;
};

class MainWindowLogic {
 public:
  MainWindowLogic(MainView& view, RegistryApi& registry, std::string programTitle);

  MainWindowHooks& hooks() { return hooks_; }
  MainView& view() { return view_; }
  RegistryApi& registry() { return registry_; }
  const std::string& programTitle() const { return programTitle_; }

  // Form events.
  void FormCreate();
  void DevTreeClick(TreeNodeId clicked);
  // The keyboard moved the tree's selection, or Enter was pressed in the
  // tree: the selected node counts as clicked.
  void DevTreeKeySelect(TreeNodeId selected);
  // Del in the tree: the delete flow for the selected node, when it is a
  // device node.
  void DevTreeDeleteKey(TreeNodeId selected);
  // A right press chooses where the context menu opens (over a node) and
  // what "Export..." acts on (that node).
  void DevTreeMouseDown(MouseButton button, TreeNodeId nodeAtPoint);
  // The menu key or Shift+F10 in the tree: true when the context menu
  // opens, which it does on a selected node; its commands act on that node.
  bool DevTreeMenuKey(TreeNodeId selected);
  void cbConnChange();
  void btnSaveClick();
  void btnTestClick();
  // "Delete" acts on the device last clicked when the menu came from the
  // mouse, on the selected one when it came from the keyboard.
  void Delete1Click();
  // On a device node: that device; on the class node: all of its devices.
  void Export1Click();
  void Import1Click();

  // Window operations.
  void RefreshDeviceTree();
  void ShowEntry();
  void CollectEditor();

  // Runs an event handler; an error leaving it is shown by the error display.
  void RunHandler(const std::function<void()>& handler);
  // The error display: a stop box with the program's title.
  void ShowError(const std::string& message);
  // The same for an error that left a handler; a registry write refused
  // with 5 adds that administrator rights are needed.
  void ShowError(const std::exception& error);

  DeviceEntry& entry() { return entry_; }
  const DeviceEntry& entry() const { return entry_; }
  TreeNodeId CurrentNode() const { return currentNode_; }
  // Text of CurrentNode, none when no node is current.
  std::optional<std::string> CurrentNodeText() const;
  // 0 for a class node, 1 for a device node, -1 for none.
  int CurrentNodeLevel() const;

 private:
  struct Node {
    TreeNodeId id = kNoNode;
    TreeNodeId parent = kNoNode;
    int level = 0;
    std::string text;
  };
  const Node* FindNode(TreeNodeId id) const;
  void ApplyPageStep(int index);
  void DeleteDevice(TreeNodeId node);
  // Asks before a save would replace a device other than the loaded one;
  // false when the user says No.
  bool MayReplace(const std::string& deviceName);

  MainView& view_;
  RegistryApi& registry_;
  std::string programTitle_;
  MainWindowHooks hooks_;
  DeviceEntry entry_;
  TreeNodeId currentNode_ = kNoNode;
  // The device whose profile the editor shows since the last load or save.
  std::optional<std::string> loadedDevice_;
  // The node the context menu was last opened on, and whether from the
  // keyboard.
  TreeNodeId menuNode_ = kNoNode;
  bool menuByKeyboard_ = false;
  std::vector<Node> nodes_;  // the tree as last built, for level and parent
};

}  // namespace vantrel
