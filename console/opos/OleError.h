// The error raised when a COM call of the OPOS components fails. Its text
// names what failed and the HRESULT, for the window's error display.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vantrel {

class OleError : public std::runtime_error {
 public:
  // what: what the console tried ("Cannot create the OPOS POSPrinter
  // control"); call: the COM function that failed.
  OleError(const std::string& what, const std::string& call, std::int32_t hresult);

  std::int32_t hresult() const { return hresult_; }

 private:
  std::int32_t hresult_;
};

// "0x80040154"
std::string FormatHresult(std::int32_t hresult);

inline bool Failed(std::int32_t hresult) { return hresult < 0; }

}  // namespace vantrel
