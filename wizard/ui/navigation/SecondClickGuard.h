// The second click of a double click on a wizard button: the first click's
// handler may already have changed what the buttons do (Next became
// "Close"), and however fast it was, the second click must not press the
// changed button. Only the mouse makes double clicks: a key or a posted
// BM_CLICK never counts as either click.
#pragma once

#include <cstdint>

namespace quispor {

// A message of the host's queue as far as the guard is concerned.
enum class InputKind {
  MousePress,    // WM_LBUTTONDOWN, WM_LBUTTONDBLCLK
  MouseRelease,  // WM_LBUTTONUP: a button's click happens while it is dispatched
  Other,
};

struct InputMessage {
  InputKind kind = InputKind::Other;
  uint32_t time = 0;  // MSG.time, milliseconds (wraps)
  int32_t x = 0;      // MSG.pt, screen coordinates
  int32_t y = 0;
};

// The system's double click: GetDoubleClickTime, and the rectangle centred
// on the first click (SM_CXDOUBLECLK by SM_CYDOUBLECLK) that the second must
// fall into.
struct DoubleClickLimits {
  uint32_t time = 500;
  int32_t width = 4;
  int32_t height = 4;
};

class SecondClickGuard {
 public:
  // Each message before it is dispatched, in queue order. True: drop it. A
  // press is dropped when it makes a double click, by the system's rule,
  // with the press that started a handler which changed the buttons'
  // meaning; so is the release that follows a dropped press.
  bool Take(const InputMessage& message);

  // A button's handler starts, from inside the dispatch of the message Take
  // saw last: a mouse click when that is a release.
  void HandlerStarted();
  // It has ended; changedMeaning: the buttons now do something else.
  void HandlerEnded(bool changedMeaning, const DoubleClickLimits& limits);

 private:
  InputMessage last_;
  InputMessage lastPress_;
  bool pressed_ = false;        // lastPress_ holds a press
  bool startedByMouse_ = false;
  InputMessage start_;          // the press that started the running handler
  bool armed_ = false;          // the next press is checked against start_
  DoubleClickLimits limits_;
  bool dropRelease_ = false;
};

}  // namespace quispor
