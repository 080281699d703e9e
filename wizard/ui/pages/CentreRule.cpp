#include "wizard/ui/pages/CentreRule.h"

namespace quispor {

Point CentredOrigin(int width, int height, const Rect& centre, const Rect& area) {
  int left = (centre.left + centre.right) / 2 - width / 2;
  int top = (centre.top + centre.bottom) / 2 - height / 2;
  if (left + width > area.right) left = area.right - width;
  if (left < area.left) left = area.left;
  if (top + height > area.bottom) top = area.bottom - height;
  if (top < area.top) top = area.top;
  return {left, top};
}

}  // namespace quispor
