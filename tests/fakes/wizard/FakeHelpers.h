// Internal helpers of the wizard's fakes: call-record text, the queue of
// injected failures, and the spooler's way of packing records into a caller's
// buffer. Not for tests to use directly.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "wizard/engine/platform/Registry.h"

namespace kit::fakes::detail {

// "0x1f".
std::string HexText(uint64_t value);
// "0x1F".
std::string HexUpper(uint32_t value);
// A registry key handle in a call record: "HKLM" or "0x..." (lower case).
std::string RegKeyText(quispor::platform::RegHandle key);

// Takes the next failure queued for a call. False (the call proceeds) when
// none is queued or the queued entry is 0.
bool TakeQueuedFailure(std::map<std::string, std::deque<uint32_t>>& failures, const std::string& call,
                       uint32_t* error);

// How the spooler answers before it fills a caller's buffer: *needed is the
// size always; then 122 for a short buffer, 1784 for a null one. True when
// the call ends there, *error being its result (0: nothing to fill).
bool EndsBeforeFilling(uint32_t size, const uint8_t* buffer, uint32_t bufferSize, uint32_t* needed, uint32_t* error);

// Bytes of a text with its terminating zero.
uint32_t TextBytes(const std::u16string& text);

// Writes texts from the back of the buffer, as the spooler lays them out
// behind the records at its front.
class BackPacker {
 public:
  BackPacker(uint8_t* buffer, uint32_t size) : buffer_(buffer), end_(size) {}
  char16_t* Text(const std::u16string& text);

 private:
  uint8_t* buffer_;
  uint32_t end_;
};

// The bytes one PRINTER_INFO_2W of a printer takes, texts included.
uint32_t PrinterInfo2Bytes(const FakePrinter& printer);
// A PRINTER_INFO_2W of a printer, its texts packed into the buffer.
quispor::platform::PrinterInfo2W PackPrinterInfo2(BackPacker& packer, const FakePrinter& printer);

}  // namespace kit::fakes::detail
