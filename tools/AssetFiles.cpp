#include "tools/AssetFiles.h"

#include <jpeglib.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace asset {

namespace {

void PutU16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, (v >> 16) & 0xFFFF);
}

// libjpeg reports a fatal error through this hook; jump back instead of
// letting it end the program.
struct TJpegError {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
};

void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<TJpegError*>(info->err);
  std::longjmp(err->Jump, 1);
}

}  // namespace

std::string EncodeBmp(const TImage& image) {
  const std::uint32_t rowBytes = (3u * image.Width + 3u) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * image.Height;
  std::string out;
  out.reserve(54 + pixelBytes);
  // File header.
  out += "BM";
  PutU32(out, 54 + pixelBytes);
  PutU32(out, 0);
  PutU32(out, 54);
  // BITMAPINFOHEADER: positive height means the bottom row comes first.
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(image.Width));
  PutU32(out, static_cast<std::uint32_t>(image.Height));
  PutU16(out, 1);   // planes
  PutU16(out, 24);  // bits per pixel
  PutU32(out, 0);   // BI_RGB, no compression
  PutU32(out, pixelBytes);
  PutU32(out, 2835);  // 72 dots per inch, in dots per metre
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = image.Height - 1; y >= 0; --y) {
    for (int x = 0; x < image.Width; ++x) {
      const std::uint8_t* p = image.At(x, y);
      out.push_back(static_cast<char>(p[2]));
      out.push_back(static_cast<char>(p[1]));
      out.push_back(static_cast<char>(p[0]));
    }
    for (std::uint32_t pad = 3u * image.Width; pad < rowBytes; ++pad) out.push_back('\0');
  }
  return out;
}

std::string EncodeJpeg(const TImage& image, int quality) {
  jpeg_compress_struct info{};
  TJpegError err{};
  info.err = jpeg_std_error(&err.Base);
  err.Base.error_exit = OnJpegError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw std::runtime_error("JPEG encoding failed");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  // The integer DCT gives the same coefficients with or without SIMD.
  info.dct_method = JDCT_ISLOW;
  info.optimize_coding = FALSE;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.At(0, static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::string EncodeWav(const std::vector<double>& samples, int rate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  PutU32(out, 36 + dataBytes);
  out += "WAVE";
  out += "fmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, static_cast<std::uint32_t>(rate));
  PutU32(out, static_cast<std::uint32_t>(rate) * 2);  // bytes per second
  PutU16(out, 2);                                     // bytes per frame
  PutU16(out, 16);                                    // bits per sample
  out += "data";
  PutU32(out, dataBytes);
  for (double s : samples) {
    double v = std::floor(s * 32767.0 + 0.5);
    if (v > 32767.0) v = 32767.0;
    if (v < -32768.0) v = -32768.0;
    PutU16(out, static_cast<unsigned>(static_cast<int>(v)) & 0xFFFFu);
  }
  return out;
}

void WriteFileBytes(const std::string& diskPath, std::string_view bytes) {
  const std::filesystem::path p(diskPath);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + diskPath);
}

}  // namespace asset
