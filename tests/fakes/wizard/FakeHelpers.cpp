#include "tests/fakes/wizard/FakeHelpers.h"

#include <cstdio>
#include <cstring>

namespace kit::fakes::detail {
namespace {

std::string Hex(uint64_t value) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

}  // namespace

std::string HexText(uint64_t value) { return "0x" + Hex(value); }

std::string HexUpper(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string RegKeyText(quispor::platform::RegHandle key) {
  if (key == quispor::platform::kHkeyLocalMachine) {
    return "HKLM";
  }
  return HexText(static_cast<uint64_t>(key));
}

bool TakeQueuedFailure(std::map<std::string, std::deque<uint32_t>>& failures, const std::string& call,
                       uint32_t* error) {
  auto it = failures.find(call);
  if (it == failures.end() || it->second.empty()) {
    return false;
  }
  *error = it->second.front();
  it->second.pop_front();
  return *error != 0;
}

bool EndsBeforeFilling(uint32_t size, const uint8_t* buffer, uint32_t bufferSize, uint32_t* needed, uint32_t* error) {
  *needed = size;
  if (bufferSize < size) {
    *error = quispor::platform::kErrorInsufficientBuffer;
    return true;
  }
  if (size == 0) {
    *error = 0;
    return true;
  }
  if (buffer == nullptr) {
    *error = FakeSpooler::kErrorInvalidUserBuffer;
    return true;
  }
  return false;
}

uint32_t TextBytes(const std::u16string& text) { return static_cast<uint32_t>((text.size() + 1) * sizeof(char16_t)); }

char16_t* BackPacker::Text(const std::u16string& text) {
  end_ -= TextBytes(text);
  auto* at = reinterpret_cast<char16_t*>(buffer_ + end_);
  std::memcpy(at, text.c_str(), TextBytes(text));
  return at;
}

uint32_t PrinterInfo2Bytes(const FakePrinter& p) {
  return static_cast<uint32_t>(sizeof(quispor::platform::PrinterInfo2W)) + TextBytes(p.name) + TextBytes(p.shareName) +
         TextBytes(p.port) + TextBytes(p.driver) + TextBytes(p.comment) + TextBytes(p.location) + TextBytes(u"") +
         TextBytes(p.printProcessor) + TextBytes(p.datatype) + TextBytes(u"");
}

quispor::platform::PrinterInfo2W PackPrinterInfo2(BackPacker& packer, const FakePrinter& p) {
  quispor::platform::PrinterInfo2W record{};
  record.pPrinterName = packer.Text(p.name);
  record.pShareName = packer.Text(p.shareName);
  record.pPortName = packer.Text(p.port);
  record.pDriverName = packer.Text(p.driver);
  record.pComment = packer.Text(p.comment);
  record.pLocation = packer.Text(p.location);
  record.pSepFile = packer.Text(u"");
  record.pPrintProcessor = packer.Text(p.printProcessor);
  record.pDatatype = packer.Text(p.datatype);
  record.pParameters = packer.Text(u"");
  record.Attributes = p.attributes;
  constexpr uint32_t kPrinterStatusPendingDeletion = 0x4;
  record.Status = p.pendingDeletion ? kPrinterStatusPendingDeletion : 0;
  return record;
}

}  // namespace kit::fakes::detail
