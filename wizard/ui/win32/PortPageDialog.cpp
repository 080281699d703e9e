#include "wizard/ui/win32/PortPageDialog.h"

#include "wizard/engine/WideText.h"
#include "wizard/ui/win32/WideCast.h"

namespace quispor::win32 {

void ReadPortListText(HWND dialog, int listId, char16_t* portName) {
  GetWindowTextW(GetDlgItem(dialog, listId), W(portName), static_cast<int>(kWideTextCapacity));
}

}  // namespace quispor::win32
