#include "console/editor/MainWindowLogic.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "console/editor/EditorRules.h"
#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceStore.h"
#include "console/store/RegistryError.h"
#include "console/store/RegistryName.h"

namespace vantrel {

namespace {

constexpr std::int32_t kDefaultTcpPort = 5100;
constexpr std::int32_t kDefaultBaudrate = 9600;
constexpr char kReplaceQuestion[] = "Device %s already exists. Replace it?";
constexpr char kRightsHint[] = "Administrator rights are needed to change the device profiles.";

// An input the save refuses; shown by the error display like any error.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace

MainWindowLogic::MainWindowLogic(MainView& view, RegistryApi& registry, std::string programTitle)
    : view_(view), registry_(registry), programTitle_(std::move(programTitle)) {}

void MainWindowLogic::FormCreate() {
  // Start-up goes on whatever fails here; neither block shows a message.
  try {
    if (hooks_.setUpUsbDeviceList) hooks_.setUpUsbDeviceList();
  } catch (...) {
  }
  try {
    const std::string notice = hooks_.registerPrinterControls ? hooks_.registerPrinterControls("Printer") : "";
    if (!notice.empty()) {
      const MessageBoxRequest box = ErrorDisplayBox(notice, programTitle_);
      view_.PostMessageBox(box.text, box.caption, box.flags);
    }
    RefreshDeviceTree();
  } catch (...) {
  }
}

void MainWindowLogic::RefreshDeviceTree() {
  view_.ClearTree();
  nodes_.clear();
  currentNode_ = kNoNode;
  for (std::string_view className : DeviceClassTable) {
    const std::string classText(className);
    const TreeNodeId classNode = view_.AddTreeNode(kNoNode, classText);
    nodes_.push_back(Node{classNode, kNoNode, 0, classText});
    // Each name goes straight into its node (nodes_ keeps its room from the
    // refresh before): a class of thousands of devices copies each name once.
    ForEachDeviceName(registry_, classText, [&](std::string_view device) {
      Node& node = nodes_.emplace_back();
      node.parent = classNode;
      node.level = 1;
      node.text.assign(device);
      node.id = view_.AddTreeNode(classNode, node.text);
    });
    view_.ExpandTreeNode(classNode);
  }
}

const MainWindowLogic::Node* MainWindowLogic::FindNode(TreeNodeId id) const {
  if (id == kNoNode) return nullptr;
  auto it = std::find_if(nodes_.begin(), nodes_.end(), [&](const Node& n) { return n.id == id; });
  return it == nodes_.end() ? nullptr : &*it;
}

std::optional<std::string> MainWindowLogic::CurrentNodeText() const {
  const Node* node = FindNode(currentNode_);
  if (!node) return std::nullopt;
  return node->text;
}

int MainWindowLogic::CurrentNodeLevel() const {
  const Node* node = FindNode(currentNode_);
  return node ? node->level : -1;
}

void MainWindowLogic::DevTreeClick(TreeNodeId clicked) {
  const Node* node = FindNode(clicked);
  currentNode_ = node ? node->id : kNoNode;
  if (node && node->level == 1) {
    if (LoadDeviceEntry(registry_, node->text, entry_)) {
      loadedDevice_ = node->text;
      ShowEntry();
    }
  }
}

void MainWindowLogic::DevTreeKeySelect(TreeNodeId selected) { DevTreeClick(selected); }

void MainWindowLogic::DevTreeDeleteKey(TreeNodeId selected) { DeleteDevice(selected); }

void MainWindowLogic::DevTreeMouseDown(MouseButton button, TreeNodeId nodeAtPoint) {
  if (button != MouseButton::Right) return;
  const bool overNode = FindNode(nodeAtPoint) != nullptr;
  view_.SetTreeMenuAttached(overNode);
  if (overNode) {
    menuNode_ = nodeAtPoint;
    menuByKeyboard_ = false;
  }
}

bool MainWindowLogic::DevTreeMenuKey(TreeNodeId selected) {
  if (!FindNode(selected)) return false;
  menuNode_ = selected;
  menuByKeyboard_ = true;
  return true;
}

void MainWindowLogic::ApplyPageStep(int index) { view_.ShowPages(PageStep(index)); }

void MainWindowLogic::cbConnChange() { ApplyPageStep(view_.ConnIndex()); }

void MainWindowLogic::ShowEntry() {
  view_.SetFieldText(EditorField::DevName, entry_.DeviceName);
  view_.SetFieldText(EditorField::LName, entry_.AlternateName);
  const bool known = entry_.ProtocolType >= kProtocolRs232 && entry_.ProtocolType <= kProtocolUsb;
  const int index = known ? entry_.ProtocolType : -1;
  view_.SetConnIndex(index);
  ApplyPageStep(index);
  view_.SetFieldText(EditorField::IP, entry_.TcpIp);
  view_.SetFieldText(EditorField::Port, std::to_string(entry_.TcpPort));
  view_.SetFieldText(EditorField::COM, entry_.CommName);
  view_.SetFieldText(EditorField::Baudrate, std::to_string(entry_.Baudrate));
  view_.SetFieldText(EditorField::USBDev, entry_.USBDevName);
}

void MainWindowLogic::CollectEditor() {
  entry_.ServiceObject = std::string(kPrinterServiceObject);
  entry_.AlternateName = view_.FieldText(EditorField::LName);
  entry_.DeviceClass = std::string(kPrinterDeviceClass);
  entry_.DeviceName = view_.FieldText(EditorField::DevName);
  entry_.DevType.clear();
  entry_.TcpIp = view_.FieldText(EditorField::IP);
  entry_.TcpPort = StrToIntDef(view_.FieldText(EditorField::Port), kDefaultTcpPort);
  entry_.CommName = view_.FieldText(EditorField::COM);
  entry_.Baudrate = StrToIntDef(view_.FieldText(EditorField::Baudrate), kDefaultBaudrate);
  entry_.USBDevName = view_.FieldText(EditorField::USBDev);
  entry_.ProtocolType = view_.ConnIndex();
}

void MainWindowLogic::btnSaveClick() {
  // The device name becomes a registry key under the class key: an empty
  // name would write the profile into the class key itself, and "\" would
  // nest keys.
  const std::string name = view_.FieldText(EditorField::DevName);
  if (name.empty()) throw InputError("Device name must not be empty.");
  if (name.find('\\') != std::string::npos) {
    throw InputError("Device name must not contain '\\'.");
  }
  if (!MayReplace(name)) return;
  CollectEditor();
  // A key keeps the spelling it was created with, whatever case the name is
  // typed in now; DeviceName follows it, so that the two never differ.
  if (const std::optional<std::string> key = DeviceKeyName(registry_, entry_.DeviceName)) {
    entry_.DeviceName = *key;
  }
  if (SaveDeviceEntry(registry_, entry_)) {
    loadedDevice_ = entry_.DeviceName;
    if (entry_.DeviceName != name) view_.SetFieldText(EditorField::DevName, entry_.DeviceName);
    RefreshDeviceTree();
  }
}

bool MainWindowLogic::MayReplace(const std::string& deviceName) {
  if (loadedDevice_ && SameRegistryName(*loadedDevice_, deviceName)) return true;
  if (!DeviceExists(registry_, deviceName)) return true;
  return view_.ShowMessageBox(FormatWith(kReplaceQuestion, deviceName), "Save Device",
                              kMbYesNo | kMbIconWarning | kMbDefButton2) == kIdYes;
}

void MainWindowLogic::btnTestClick() {
  if (!hooks_.runCheckHealth) return;
  view_.SetBusy(true);
  try {
    hooks_.runCheckHealth();
  } catch (...) {
    view_.SetBusy(false);
    throw;
  }
  view_.SetBusy(false);
}

void MainWindowLogic::Delete1Click() { DeleteDevice(menuByKeyboard_ ? menuNode_ : currentNode_); }

void MainWindowLogic::DeleteDevice(TreeNodeId target) {
  const Node* node = FindNode(target);
  if (!node || node->level != 1) return;
  const Node* parent = FindNode(node->parent);
  if (!parent) return;
  const std::string deviceName = node->text;
  const std::string className = parent->text;
  const TreeNodeId nodeId = node->id;
  if (view_.ShowMessageBox(FormatWith("Are you sure to delete device %s ?", deviceName),
                           "Delete Device", kMbYesNo) != kIdYes) {
    return;
  }
  DeleteAlternateName(registry_, className, deviceName);
  DeleteDeviceKey(registry_, className + "\\" + deviceName);
  view_.RemoveTreeNode(nodeId);
  nodes_.erase(std::remove_if(nodes_.begin(), nodes_.end(),
                              [&](const Node& n) { return n.id == nodeId; }),
               nodes_.end());
  if (currentNode_ == nodeId) currentNode_ = kNoNode;
  // Shows the deleted device's values again (from the record, the key is
  // gone), dropping edits that were not saved.
  if (LoadDeviceEntry(registry_, deviceName, entry_)) {
    loadedDevice_ = deviceName;
    ShowEntry();
  }
}

void MainWindowLogic::Export1Click() {
  const Node* node = FindNode(menuNode_);
  if (!node || !hooks_.exportProfiles) return;
  if (node->level == 0) {
    hooks_.exportProfiles(node->text, std::nullopt);
  } else if (const Node* parent = FindNode(node->parent)) {
    hooks_.exportProfiles(parent->text, node->text);
  }
}

void MainWindowLogic::Import1Click() {
  if (!hooks_.importProfiles) return;
  try {
    if (hooks_.importProfiles()) RefreshDeviceTree();
  } catch (const RegistryError&) {
    // A write failed and was put back, or could not be: the tree shows the
    // registry as it is now.
    RefreshDeviceTree();
    throw;
  }
}

void MainWindowLogic::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

void MainWindowLogic::ShowError(const std::exception& error) {
  const auto* registryError = dynamic_cast<const RegistryError*>(&error);
  if (registryError && registryError->code() == kErrorAccessDenied) {
    ShowError(ErrorDisplayText(error.what()) + "\n" + kRightsHint);
  } else {
    ShowError(std::string(error.what()));
  }
}

void MainWindowLogic::ShowError(const std::string& message) {
  const MessageBoxRequest box = ErrorDisplayBox(message, programTitle_);
  view_.ShowMessageBox(box.text, box.caption, box.flags);
}

}  // namespace vantrel
