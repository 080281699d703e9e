// Pins the text table to English (or Chinese) for the tests of one fixture.
#pragma once

#include <cstdint>

#include "wizard/shared/PoText.h"

namespace quispor::testing {

inline void UseLanguage(uint16_t languageId) {
  SetLanguageIdSource([languageId] { return languageId; });
  ResetPoLanguageForTest();
}

}  // namespace quispor::testing
