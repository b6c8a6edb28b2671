#include "present/PngFile.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

const unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(v >> shift));
}

std::uint32_t GetBigEndian(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

// A chunk: length, type, data, and the CRC over type and data.
void PutChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
  PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

void WritePng(const TBromBitmap& picture, const std::string& diskPath) {
  const int w = picture.Width(), h = picture.Height();
  // 1. The rows as RGB, each behind filter byte 0 (none).
  std::vector<unsigned char> raw;
  raw.reserve(static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    const std::uint8_t* row = picture.Rows()[y];
    for (int x = 0; x < w; ++x) {
      raw.push_back(row[3 * x + 2]);
      raw.push_back(row[3 * x + 1]);
      raw.push_back(row[3 * x]);
    }
  }
  // 2. Compressed at a fixed level, so the same screen gives the same bytes.
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) !=
      Z_OK) {
    throw TImageError(diskPath + ": the picture could not be compressed");
  }
  packed.resize(packedSize);
  // 3. Signature, header, data, end.
  std::vector<unsigned char> out(Signature, Signature + 8);
  std::vector<unsigned char> header;
  PutBigEndian(header, static_cast<std::uint32_t>(w));
  PutBigEndian(header, static_cast<std::uint32_t>(h));
  header.insert(header.end(),
                {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  std::ofstream file(diskPath, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) throw TImageError(diskPath + ": the file could not be written");
}

void ReadPng(TBromBitmap& picture, const std::string& diskPath) {
  std::ifstream file(diskPath, std::ios::binary);
  if (!file) throw TImageError(diskPath + ": the file could not be opened");
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
  auto fail = [&](const char* why) { return TImageError(diskPath + ": " + why); };
  // 1. Signature, then the chunks: the header first, the data in order.
  if (bytes.size() < 8 || std::memcmp(bytes.data(), Signature, 8) != 0) throw fail("not a PNG");
  std::size_t at = 8;
  std::uint32_t w = 0, h = 0;
  std::vector<unsigned char> packed;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t length = GetBigEndian(&bytes[at]);
    if (length > bytes.size() - at - 12) throw fail("a chunk runs past the end");
    const char* type = reinterpret_cast<const char*>(&bytes[at + 4]);
    const unsigned char* data = &bytes[at + 8];
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (length != 13 || data[8] != 8 || data[9] != 2 || data[12] != 0) {
        throw fail("not an 8-bit RGB picture without interlace");
      }
      w = GetBigEndian(data);
      h = GetBigEndian(data + 4);
      if (w > static_cast<std::uint32_t>(MaxImageSide) ||
          h > static_cast<std::uint32_t>(MaxImageSide) || std::int64_t{w} * h > MaxImagePixels) {
        throw fail("the picture is too large");
      }
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      packed.insert(packed.end(), data, data + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
    at += 12 + length;
  }
  // 2. The rows, each behind filter byte 0.
  const std::size_t stride = 1 + 3 * static_cast<std::size_t>(w);
  uLongf rawSize = static_cast<uLongf>(stride * h);
  std::vector<unsigned char> raw(rawSize);
  if (w == 0 || h == 0 ||
      uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
      rawSize != raw.size()) {
    throw fail("the picture data is damaged");
  }
  picture.SetSize(static_cast<int>(w), static_cast<int>(h));
  for (std::uint32_t y = 0; y < h; ++y) {
    const unsigned char* in = &raw[y * stride];
    if (in[0] != 0) throw fail("a row uses a filter this reader does not know");
    std::uint8_t* row = picture.Rows()[y];
    for (std::uint32_t x = 0; x < w; ++x) {
      row[3 * x] = in[1 + 3 * x + 2];
      row[3 * x + 1] = in[1 + 3 * x + 1];
      row[3 * x + 2] = in[1 + 3 * x];
    }
  }
}
