// The removal's trace lines. Their numbers are formatted as wsprintfW
// formats them (Decimal, DecimalCode and Hex of WideFormat.h).
#pragma once

#include <string>

#include "wizard/engine/WideFormat.h"

namespace quispor::removal {

// WriteDebugLog of a finished line.
void Log(const std::u16string& line);

}  // namespace quispor::removal
