#include "wizard/removal/LogText.h"

#include "wizard/engine/DebugLog.h"

namespace quispor::removal {

void Log(const std::u16string& line) { WriteDebugLog(line.c_str()); }

}  // namespace quispor::removal
