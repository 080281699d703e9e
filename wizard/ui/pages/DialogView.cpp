#include "wizard/ui/pages/DialogView.h"

#include "wizard/shared/PoText.h"

namespace quispor {

void SetControlTextKey(DialogView& view, int id, const char* key) {
  view.SetControlText(id, PoTextOrEmpty(key));
}

}  // namespace quispor
