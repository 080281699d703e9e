// In-memory dialogs for the page logic: control texts, check states and
// visibility by id, with the button and combo box behaviour the pages rely on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "wizard/ui/pages/PortsPage.h"

namespace quispor::testing {

class FakeDialog : public PortsPageView {
 public:
  struct Control {
    std::u16string text;
    bool checked = false;
    bool visible = true;
  };

  void SetControlText(int id, const char16_t* text) override { controls[id].text = text; }
  void SetCheck(int id, bool checked) override {
    controls[id].checked = checked;
    log.push_back("SetCheck(" + std::to_string(id) + "," + (checked ? "1" : "0") + ")");
  }
  bool IsChecked(int id) override { return controls[id].checked; }
  void ShowControl(int id, bool visible) override {
    controls[id].visible = visible;
    log.push_back("Show(" + std::to_string(id) + "," + (visible ? "1" : "0") + ")");
  }

  // A drop-down list combo box without the sorted style.
  void AddModelName(const char16_t* name) override { items.emplace_back(name); }
  // CB_SELECTSTRING: the first item that begins with the text, without regard
  // to case; the selection stays when none does.
  void SelectModelStartingWith(const char16_t* prefix) override;
  void ReadModelText(char16_t* buffer, std::size_t capacity) override;

  // A user's click on an automatic check box or radio button (radio buttons
  // of one group clear each other).
  void ClickCheckBox(int id) { controls[id].checked = !controls[id].checked; }
  void ClickRadio(int id, const std::vector<int>& group) {
    for (int other : group) controls[other].checked = (other == id);
  }

  std::map<int, Control> controls;
  std::vector<std::u16string> items;
  int selection = -1;
  std::vector<std::string> log;
};

}  // namespace quispor::testing
