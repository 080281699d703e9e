#include "console/opos/OleError.h"

#include <cstdio>

namespace vantrel {

std::string FormatHresult(std::int32_t hresult) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hresult));
  return text;
}

OleError::OleError(const std::string& what, const std::string& call, std::int32_t hresult)
    : std::runtime_error(what + ": " + call + " returned HRESULT " + FormatHresult(hresult)),
      hresult_(hresult) {}

}  // namespace vantrel
