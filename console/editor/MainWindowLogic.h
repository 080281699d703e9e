// The decisions of the console's main window TMainFM: the device tree, the
// editor, save and delete. The window turns its messages into these calls;
// the logic works on the window only through MainView.
#pragma once

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
  // Registers the OPOS control and service object (second block of FormCreate).
  std::function<void(const std::string& classWord)> registerPrinterControls;
  // The CheckHealth sequence.
  std::function<void()> runCheckHealth;
};

class MainWindowLogic {
 public:
  MainWindowLogic(MainView& view, RegistryApi& registry, std::string programTitle);

  MainWindowHooks& hooks() { return hooks_; }
  MainView& view() { return view_; }
  const std::string& programTitle() const { return programTitle_; }

  // Form events.
  void FormCreate();
  void DevTreeClick(TreeNodeId clicked);
  void DevTreeMouseDown(MouseButton button, TreeNodeId nodeAtPoint);
  void cbConnChange();
  void btnSaveClick();
  void btnTestClick();
  void Delete1Click();

  // Window operations.
  void RefreshDeviceTree();
  void ShowEntry();
  void CollectEditor();

  // Runs an event handler; an error leaving it is shown by the error display.
  void RunHandler(const std::function<void()>& handler);
  // The error display: a stop box with the program's title.
  void ShowError(const std::string& message);

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

  MainView& view_;
  RegistryApi& registry_;
  std::string programTitle_;
  MainWindowHooks hooks_;
  DeviceEntry entry_;
  TreeNodeId currentNode_ = kNoNode;
  std::vector<Node> nodes_;  // the tree as last built, for level and parent
};

}  // namespace vantrel
