// A wizard page: a modeless child dialog of the host that centres itself in
// the host's client area when it is created and then fills its controls.
#pragma once

#include "wizard/ui/win32/DialogBase.h"
#include "wizard/ui/win32/DialogControls.h"

namespace quispor::win32 {

class PageDialog : public DialogBase {
 protected:
  // The page's own filling, after centring.
  virtual void OnCreatePage() {}
  DialogControls& controls() { return controls_; }

 private:
  BOOL OnInitDialog() final;
  DialogControls controls_;
};

}  // namespace quispor::win32
