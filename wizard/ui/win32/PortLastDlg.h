// Finish page (template 209): the text area the sequences write into.
#pragma once

#include "wizard/ui/win32/PageDialog.h"

namespace quispor::win32 {

class CPortLastDlg final : public PageDialog {};

}  // namespace quispor::win32
