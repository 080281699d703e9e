#include "wizard/ui/navigation/SecondClickGuard.h"

#include <cstdlib>

namespace quispor {
namespace {

// The system's rule for a double click: the second press within the
// double-click time of the first and inside the rectangle centred on it.
bool MakesDoubleClick(const InputMessage& first, const InputMessage& second, const DoubleClickLimits& limits) {
  const uint32_t elapsed = second.time - first.time;  // tick counts wrap
  return elapsed < limits.time && std::abs(second.x - first.x) < limits.width / 2 &&
         std::abs(second.y - first.y) < limits.height / 2;
}

}  // namespace

bool SecondClickGuard::Take(const InputMessage& message) {
  last_ = message;
  switch (message.kind) {
    case InputKind::MousePress: {
      // Only the one press after the handler can be its double click's second.
      const bool drop = armed_ && MakesDoubleClick(start_, message, limits_);
      armed_ = false;
      dropRelease_ = drop;
      lastPress_ = message;
      pressed_ = !drop;
      return drop;
    }
    case InputKind::MouseRelease: {
      const bool drop = dropRelease_;
      dropRelease_ = false;
      return drop;
    }
    case InputKind::Other:
      return false;
  }
  return false;
}

void SecondClickGuard::HandlerStarted() {
  startedByMouse_ = last_.kind == InputKind::MouseRelease && pressed_;
  start_ = lastPress_;
  armed_ = false;
}

void SecondClickGuard::HandlerEnded(bool changedMeaning, const DoubleClickLimits& limits) {
  armed_ = startedByMouse_ && changedMeaning;
  limits_ = limits;
  startedByMouse_ = false;
}

}  // namespace quispor
