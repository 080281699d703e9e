// Encodes an RGB image as a PNG file without a compression library: the zlib
// stream holds stored (uncompressed) deflate blocks, which every PNG reader
// accepts. Screenshots are for people to look at, so size does not matter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kit::e2e {

// CRC-32 as PNG chunks use it (ISO 3309, reflected 0xEDB88320). Pass the
// previous result to continue a running checksum.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t previous = 0);
// Adler-32 as the zlib stream trailer uses it.
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t previous = 1);

// The zlib stream (RFC 1950) of data in stored deflate blocks (RFC 1951).
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& data);

// A complete PNG file of 8-bit RGB pixels, rows top to bottom, 3 bytes per
// pixel, no padding. Throws std::invalid_argument when rgb does not hold
// exactly width * height pixels or a dimension is 0 or above 2^31 - 1.
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb);

}  // namespace kit::e2e
