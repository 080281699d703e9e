#include "tests/e2e/driver/PngEncoder.h"

#include <array>
#include <stdexcept>

namespace kit::e2e {
namespace {

std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& body) {
  PutBigEndian32(out, static_cast<uint32_t>(body.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  // The chunk CRC covers the type and the data, not the length.
  PutBigEndian32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t previous) {
  static const std::array<uint32_t, 256> table = MakeCrcTable();
  uint32_t c = previous ^ 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const uint8_t* data, size_t size, uint32_t previous) {
  constexpr uint32_t kMod = 65521;
  uint32_t a = previous & 0xFFFF;
  uint32_t b = previous >> 16;
  while (size > 0) {
    // 5552 bytes is the most that can be summed before b may overflow.
    size_t n = size < 5552 ? size : 5552;
    size -= n;
    while (n-- > 0) {
      a += *data++;
      b += a;
    }
    a %= kMod;
    b %= kMod;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& data) {
  constexpr size_t kMaxBlock = 65535;  // LEN is 16 bits
  std::vector<uint8_t> out;
  out.reserve(data.size() + data.size() / kMaxBlock * 5 + 16);
  out.push_back(0x78);  // deflate, 32 KiB window
  out.push_back(0x01);  // no preset dictionary, lowest level; 0x7801 % 31 == 0
  size_t at = 0;
  do {
    const size_t len = data.size() - at < kMaxBlock ? data.size() - at : kMaxBlock;
    const bool last = at + len == data.size();
    out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    out.push_back(static_cast<uint8_t>(len));
    out.push_back(static_cast<uint8_t>(len >> 8));
    out.push_back(static_cast<uint8_t>(~len));
    out.push_back(static_cast<uint8_t>(~len >> 8));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + len));
    at += len;
  } while (at < data.size());
  PutBigEndian32(out, Adler32(data.data(), data.size()));
  return out;
}

std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb) {
  constexpr uint32_t kMaxDimension = 0x7FFFFFFF;
  if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) {
    throw std::invalid_argument("PNG dimensions must be between 1 and 2^31-1");
  }
  const uint64_t rowBytes = uint64_t{width} * 3;
  if (rgb.size() / rowBytes != height || rgb.size() % rowBytes != 0) {
    throw std::invalid_argument("pixel buffer does not match the PNG dimensions");
  }

  // Every row starts with its filter type; 0 means unfiltered.
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>((rowBytes + 1) * height));
  for (uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);
    const auto row = rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
    raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
  }

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBigEndian32(header, width);
  PutBigEndian32(header, height);
  header.push_back(8);  // bit depth
  header.push_back(2);  // colour type: truecolour
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filter method 0
  header.push_back(0);  // no interlace
  PutChunk(png, "IHDR", header);
  // Several IDAT chunks keep every chunk length far below the 2^31-1 limit.
  const std::vector<uint8_t> stream = ZlibStored(raw);
  constexpr size_t kChunk = 1 << 20;
  for (size_t at = 0; at < stream.size(); at += kChunk) {
    const size_t len = stream.size() - at < kChunk ? stream.size() - at : kChunk;
    PutChunk(png, "IDAT", std::vector<uint8_t>(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                               stream.begin() + static_cast<std::ptrdiff_t>(at + len)));
  }
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace kit::e2e
