#include "wizard/ui/win32/ComboPortList.h"

#include "wizard/ui/win32/WideCast.h"

namespace quispor::win32 {

void ComboPortList::AddString(const char16_t* text) {
  SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(text)));
}

int ComboPortList::FindStringExact(int startIndex, const char16_t* text) {
  return static_cast<int>(
      SendMessageW(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(startIndex), reinterpret_cast<LPARAM>(W(text))));
}

void ComboPortList::SetCurSel(int index) { SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace quispor::win32
