// A MainView that keeps what the window would show and records the calls
// that matter to the tests; message boxes are answered from a queue.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/editor/MainView.h"

namespace vantrel::test {

struct ShownBox {
  std::string text;
  std::string caption;
  std::uint32_t flags;
};

class RecordingView : public MainView {
 public:
  struct Node {
    TreeNodeId id;
    TreeNodeId parent;
    std::string text;
    bool expanded = false;
  };

  void ClearTree() override {
    nodes.clear();
    ++clears;
  }
  TreeNodeId AddTreeNode(TreeNodeId parent, const std::string& text) override {
    nodes.push_back(Node{nextId, parent, text});
    return nextId++;
  }
  void ExpandTreeNode(TreeNodeId node) override { Find(node).expanded = true; }
  void RemoveTreeNode(TreeNodeId node) override {
    std::erase_if(nodes, [&](const Node& n) { return n.id == node; });
  }
  void SetTreeMenuAttached(bool attached) override { menuAttached = attached; }

  std::string FieldText(EditorField field) const override {
    auto it = fields.find(field);
    return it == fields.end() ? std::string() : it->second;
  }
  void SetFieldText(EditorField field, const std::string& text) override { fields[field] = text; }

  int ConnIndex() const override { return connIndex; }
  void SetConnIndex(int index) override { connIndex = index; }
  void ShowPages(const PageState& state) override { pages.push_back(state); }

  int UsbItemCount() const override { return static_cast<int>(usbItems.size()); }
  void AddUsbItem(const std::string& text) override { usbItems.push_back(text); }
  void ClearUsbItems() override { usbItems.clear(); }
  void ChooseUsbItem(int index) override { fields[EditorField::USBDev] = usbItems.at(index); }

  std::optional<std::string> ChooseProfileFile(FileChoice choice,
                                               const std::string& suggestedName) override {
    fileDialogs.push_back({choice, suggestedName});
    if (chosenFiles.empty()) return std::nullopt;
    auto chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
  }
  void SetBusy(bool on) override { busy = on; }

  int ShowMessageBox(const std::string& text, const std::string& caption,
                     std::uint32_t flags) override {
    boxes.push_back(ShownBox{text, caption, flags});
    if (answers.empty()) return kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void PostMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override {
    postedBoxes.push_back(ShownBox{text, caption, flags});
  }

  Node& Find(TreeNodeId id) {
    for (Node& n : nodes) {
      if (n.id == id) return n;
    }
    throw std::logic_error("no such node");
  }
  TreeNodeId NodeByText(const std::string& text) const {
    for (const Node& n : nodes) {
      if (n.text == text) return n.id;
    }
    throw std::logic_error("no node " + text);
  }
  std::vector<std::string> TreeTexts() const {
    std::vector<std::string> texts;
    for (const Node& n : nodes) texts.push_back((n.parent ? "  " : "") + n.text);
    return texts;
  }

  std::vector<Node> nodes;
  TreeNodeId nextId = 100;
  int clears = 0;
  bool menuAttached = true;
  std::map<EditorField, std::string> fields;
  int connIndex = 2;
  std::vector<PageState> pages;
  std::vector<std::string> usbItems;
  std::vector<ShownBox> boxes;
  std::vector<ShownBox> postedBoxes;  // to be shown once the window is up
  std::deque<int> answers;
  // File dialogs asked for, and the paths they answer (none: cancelled).
  std::vector<std::pair<FileChoice, std::string>> fileDialogs;
  std::deque<std::optional<std::string>> chosenFiles;
  bool busy = false;
};

}  // namespace vantrel::test
