#include "wizard/ui/pages/DialogView.h"

#include "wizard/ui/text/PoText.h"

namespace quispor {

void SetControlTextKey(DialogView& view, int id, const char* key) {
  const char16_t* text = GetPoText(key);
  view.SetControlText(id, text != nullptr ? text : u"");
}

}  // namespace quispor
