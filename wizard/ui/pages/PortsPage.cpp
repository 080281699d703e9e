#include "wizard/ui/pages/PortsPage.h"

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/NameCompare.h"
#include "wizard/ui/pages/WizardIds.h"

namespace quispor {

PortsPage::PortsPage(PortsPageView& view, WizardSelections& selections)
    : view_(view), selections_(selections) {}

void PortsPage::Create() {
  selections_.setAsDefault = true;
  view_.SetCheck(IDC_DEFAULT_PRINTER, selections_.setAsDefault);
  view_.SetCheck(IDC_PORT_USB, true);
  selections_.portKind = PORT_USB;
  SetControlTextKey(view_, IDC_PORT_ENET, "PO_PORT_ENET");
  SetControlTextKey(view_, IDC_PORT_USB, "PO_PORT_USB");
  SetControlTextKey(view_, IDC_PORT_COM, "PO_PORT_COM");
  SetControlTextKey(view_, IDC_PORT_LPT, "PO_PORT_LPT");
  SetControlTextKey(view_, IDC_MY_PRINTER_TYPES, "PO_STATIC_MY_PRINTER_TYPES");
  SetControlTextKey(view_, IDC_DEFAULT_PRINTER, "PO_CHECK_DEFAULT_PRINTER");
  FillModelList();
}

void PortsPage::FillModelList() {
  for (uint16_t i = 0; i < modelCount; ++i) view_.AddModelName(ModelCatalogue[i].name);
  selections_.modelIndex = 0;
  view_.SelectModelStartingWith(ModelCatalogue[0].name);
  CopyWideText(selections_.modelName, kWideTextCapacity, ModelCatalogue[0].name);
}

void PortsPage::OnCommand(int id, int notifyCode) {
  if (notifyCode == kButtonClicked) {
    switch (id) {
      case IDC_PORT_ENET: selections_.portKind = PORT_ENET; return;
      case IDC_PORT_USB: selections_.portKind = PORT_USB; return;
      case IDC_PORT_COM: selections_.portKind = PORT_COM; return;
      case IDC_PORT_LPT: selections_.portKind = PORT_LPT; return;
      case IDC_DEFAULT_PRINTER: selections_.setAsDefault = view_.IsChecked(IDC_DEFAULT_PRINTER); return;
      default: return;
    }
  }
  if (notifyCode == kComboSelChange && id == IDC_MODEL_LIST) OnModelChanged();
}

void PortsPage::OnModelChanged() {
  char16_t text[kWideTextCapacity] = {};
  view_.ReadModelText(text, kWideTextCapacity);
  text[kWideTextCapacity - 1] = 0;
  CopyWideText(selections_.modelName, kWideTextCapacity, text);
  for (uint16_t i = 0; i < modelCount; ++i) {
    if (NamesEqualIgnoringCase(ModelCatalogue[i].name, selections_.modelName)) {
      selections_.modelIndex = i;
      return;
    }
  }
  // No catalogue name matched: the index keeps its value.
}

}  // namespace quispor
