// The registry file reader over any bytes: it refuses with RegFileError
// only; the import's key-by-key reader gives the same profiles or the same
// refusal; and the device profiles it accepts write back, by either writer,
// to the same file, which reads as the same profiles.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "console/transfer/ProfileFile.h"
#include "console/transfer/RegFile.h"
#include "tests/console/transfer/TransferTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantrel::test::Latin1Codec codec;
  vantrel::ProfileSet profiles;
  std::optional<std::pair<int, std::string>> refused;
  try {
    profiles = vantrel::ReadProfileRegFile(vantrel::ReadRegFile(std::span(data, size), codec), codec);
  } catch (const vantrel::RegFileError& e) {
    refused.emplace(e.line(), e.what());
  }
  try {
    const vantrel::ProfileSet streamed = vantrel::ReadProfileFile(std::span(data, size), codec);
    if (refused || streamed != profiles) std::abort();
  } catch (const vantrel::RegFileError& e) {
    if (refused != std::make_pair(e.line(), std::string(e.what()))) std::abort();
  }
  if (refused) return 0;
  // What was read from single lines holds no line break, so it writes.
  const std::vector<uint8_t> bytes = vantrel::WriteRegFile(vantrel::ProfileRegFile(profiles, codec));
  if (vantrel::WriteProfileFile(profiles, codec) != bytes) std::abort();
  if (vantrel::ReadProfileRegFile(vantrel::ReadRegFile(bytes, codec), codec) != profiles) std::abort();
  return 0;
}
