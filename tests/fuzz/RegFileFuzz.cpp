// The registry file reader over any bytes: it refuses with RegFileError
// only, and the device profiles it accepts write back to a file that reads
// as the same profiles.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "console/transfer/ProfileFile.h"
#include "console/transfer/RegFile.h"
#include "tests/console/transfer/TransferTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantrel::test::Latin1Codec codec;
  vantrel::ProfileSet profiles;
  try {
    profiles = vantrel::ReadProfileRegFile(vantrel::ReadRegFile(std::span(data, size), codec), codec);
  } catch (const vantrel::RegFileError&) {
    return 0;
  }
  // What was read from single lines holds no line break, so it writes.
  const std::vector<uint8_t> bytes = vantrel::WriteRegFile(vantrel::ProfileRegFile(profiles, codec));
  if (vantrel::ReadProfileRegFile(vantrel::ReadRegFile(bytes, codec), codec) != profiles) std::abort();
  return 0;
}
