// Where a window goes when it is centred: on its parent's client area for a
// child window, on the work area of its nearest monitor otherwise.
#pragma once

namespace quispor {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

// New top-left corner of a window of the given width and height, centred on
// `centre` and kept inside `area` (checked right, left, bottom, top, in that
// order, so a window larger than the area ends up at its left and top edges).
Point CentredOrigin(int width, int height, const Rect& centre, const Rect& area);

}  // namespace quispor
