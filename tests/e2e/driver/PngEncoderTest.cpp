#include "tests/e2e/driver/PngEncoder.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#ifdef KIT_HAVE_ZLIB
#include <zlib.h>
#endif

namespace kit::e2e {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(gen());
  return v;
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
  uint32_t crc;
};

// Walks the chunks of a PNG file, checking that they fill it exactly.
::testing::AssertionResult ParseChunks(const std::vector<uint8_t>& png, std::vector<Chunk>* chunks) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || !std::equal(kSignature, kSignature + 8, png.begin())) {
    return ::testing::AssertionFailure() << "no PNG signature";
  }
  size_t at = 8;
  while (at < png.size()) {
    if (png.size() - at < 12) return ::testing::AssertionFailure() << "truncated chunk at " << at;
    const uint32_t len = BigEndian32(&png[at]);
    if (png.size() - at - 12 < len) return ::testing::AssertionFailure() << "chunk at " << at << " overruns";
    Chunk c;
    c.type.assign(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8);
    c.data.assign(png.begin() + static_cast<long>(at) + 8, png.begin() + static_cast<long>(at + 8 + len));
    c.crc = BigEndian32(&png[at + 8 + len]);
    chunks->push_back(std::move(c));
    at += 12 + len;
  }
  return ::testing::AssertionSuccess();
}

TEST(PngChecksums, MatchTheirPublishedCheckValues) {
  const std::vector<uint8_t> check = Bytes("123456789");
  EXPECT_EQ(Crc32(check.data(), check.size()), 0xCBF43926u);
  const std::vector<uint8_t> wiki = Bytes("Wikipedia");
  EXPECT_EQ(Adler32(wiki.data(), wiki.size()), 0x11E60398u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
  EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(PngChecksums, ContinueAcrossPieces) {
  const std::vector<uint8_t> data = RandomBytes(20000, 1);
  const uint32_t crcHalf = Crc32(data.data(), 7000);
  EXPECT_EQ(Crc32(data.data() + 7000, data.size() - 7000, crcHalf), Crc32(data.data(), data.size()));
  const uint32_t adlerHalf = Adler32(data.data(), 7000);
  EXPECT_EQ(Adler32(data.data() + 7000, data.size() - 7000, adlerHalf), Adler32(data.data(), data.size()));
}

TEST(PngChecksums, Adler32StaysExactWhereItsSumsWouldOverflow) {
  // 0xFF bytes make b grow fastest; a megabyte needs many reductions.
  const std::vector<uint8_t> ff(1 << 20, 0xFF);
  uint32_t a = 1, b = 0;
  for (uint8_t byte : ff) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(ff.data(), ff.size()), (b << 16) | a);
}

TEST(PngZlibStream, HasAValidHeaderAndSplitsBlocksAt65535Bytes) {
  const std::vector<uint8_t> data = RandomBytes(65535 * 2 + 1, 2);
  const std::vector<uint8_t> z = ZlibStored(data);
  ASSERT_GE(z.size(), 2u);
  EXPECT_EQ(z[0] & 0x0F, 8);  // deflate
  EXPECT_EQ(((z[0] << 8) | z[1]) % 31, 0);
  // Three blocks of 5 header bytes, the data, the 4-byte Adler-32.
  ASSERT_EQ(z.size(), 2 + 3 * 5 + data.size() + 4);
  EXPECT_EQ(z[2], 0x00);                     // not final
  EXPECT_EQ(z[2 + 5 + 65535], 0x00);         // not final
  EXPECT_EQ(z[2 + 2 * (5 + 65535)], 0x01);   // final, 1 byte
  EXPECT_EQ(z[2 + 2 * (5 + 65535) + 1], 1);
  EXPECT_EQ(z[2 + 2 * (5 + 65535) + 3], 0xFE);  // NLEN is the complement
  EXPECT_EQ(BigEndian32(&z[z.size() - 4]), Adler32(data.data(), data.size()));
}

TEST(PngZlibStream, AnEmptyInputIsOneFinalEmptyBlock) {
  const std::vector<uint8_t> z = ZlibStored({});
  EXPECT_EQ(z, (std::vector<uint8_t>{0x78, 0x01, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01}));
}

#ifdef KIT_HAVE_ZLIB
TEST(PngZlibStream, ZlibInflatesItBack) {
  for (size_t size : {size_t{0}, size_t{1}, size_t{65535}, size_t{65536}, size_t{300000}}) {
    SCOPED_TRACE(size);
    const std::vector<uint8_t> data = RandomBytes(size, 3);
    const std::vector<uint8_t> z = ZlibStored(data);
    std::vector<uint8_t> out(size + 1);
    uLongf outLen = out.size();
    ASSERT_EQ(uncompress(out.data(), &outLen, z.data(), z.size()), Z_OK);
    out.resize(outLen);
    EXPECT_EQ(out, data);
  }
}
#endif

TEST(PngFile, HoldsHeaderDataAndEndWithValidCrcs) {
  // 2x2: red, green / blue, white.
  const std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  const std::vector<uint8_t> png = EncodePng(2, 2, rgb);
  std::vector<Chunk> chunks;
  ASSERT_TRUE(ParseChunks(png, &chunks));
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  EXPECT_TRUE(chunks[2].data.empty());
  ASSERT_EQ(chunks[0].data.size(), 13u);
  EXPECT_EQ(BigEndian32(&chunks[0].data[0]), 2u);
  EXPECT_EQ(BigEndian32(&chunks[0].data[4]), 2u);
  EXPECT_EQ(std::vector<uint8_t>(chunks[0].data.begin() + 8, chunks[0].data.end()),
            (std::vector<uint8_t>{8, 2, 0, 0, 0}));
  for (const Chunk& c : chunks) {
    std::vector<uint8_t> typed(c.type.begin(), c.type.end());
    typed.insert(typed.end(), c.data.begin(), c.data.end());
    EXPECT_EQ(c.crc, Crc32(typed.data(), typed.size())) << c.type;
  }
  // The IEND chunk is the same in every PNG file.
  EXPECT_EQ(chunks[2].crc, 0xAE426082u);
  // Each row starts with filter type 0, then its pixels.
  const std::vector<uint8_t> expectedRaw = {0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255, 255};
  const std::vector<uint8_t>& idat = chunks[1].data;
  EXPECT_EQ(std::vector<uint8_t>(idat.begin() + 7, idat.end() - 4), expectedRaw);
}

TEST(PngFile, LargeImagesSpreadTheirDataOverSeveralIdatChunks) {
  const uint32_t w = 1024, h = 768;
  const std::vector<uint8_t> rgb = RandomBytes(size_t{w} * h * 3, 4);
  std::vector<Chunk> chunks;
  ASSERT_TRUE(ParseChunks(EncodePng(w, h, rgb), &chunks));
  std::vector<uint8_t> stream;
  size_t idats = 0;
  for (const Chunk& c : chunks) {
    if (c.type != "IDAT") continue;
    ++idats;
    EXPECT_LE(c.data.size(), size_t{1} << 20);
    stream.insert(stream.end(), c.data.begin(), c.data.end());
  }
  EXPECT_EQ(idats, 3u);  // 2.36 MB in 1 MiB chunks
#ifdef KIT_HAVE_ZLIB
  std::vector<uint8_t> raw((size_t{w} * 3 + 1) * h);
  uLongf rawLen = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &rawLen, stream.data(), stream.size()), Z_OK);
  ASSERT_EQ(rawLen, raw.size());
  EXPECT_EQ(raw[0], 0);
  EXPECT_TRUE(std::equal(rgb.begin(), rgb.begin() + w * 3, raw.begin() + 1));
  EXPECT_EQ(raw[(w * 3 + 1) * (h - 1)], 0);
#endif
}

TEST(PngFile, RefusesBuffersThatDoNotMatchTheSize) {
  EXPECT_THROW(EncodePng(0, 1, {}), std::invalid_argument);
  EXPECT_THROW(EncodePng(1, 0, {}), std::invalid_argument);
  EXPECT_THROW(EncodePng(2, 2, std::vector<uint8_t>(11)), std::invalid_argument);
  EXPECT_THROW(EncodePng(2, 2, std::vector<uint8_t>(13)), std::invalid_argument);
  EXPECT_THROW(EncodePng(0x80000000u, 1, std::vector<uint8_t>(3)), std::invalid_argument);
}

}  // namespace
}  // namespace kit::e2e
