#include "present/Bitmap.h"

#include <SDL.h>
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "present/Font.h"
#include "present/Form.h"
#include "present/Path.h"
#include "rules/InternalError.h"

namespace {

// The largest size a caller takes, within the loaders' own limits.
struct TSizeLimit {
  std::int64_t Width;
  std::int64_t Height;
};

TSizeLimit LimitOf(int maxWidth, int maxHeight) {
  return TSizeLimit{std::min<std::int64_t>(maxWidth, MaxImageSide),
                    std::min<std::int64_t>(maxHeight, MaxImageSide)};
}

bool SizeFits(std::int64_t width, std::int64_t height, TSizeLimit limit) {
  return width <= limit.Width && height <= limit.Height && width * height <= MaxImagePixels;
}

std::string JpegWorkText(std::int64_t pixels) {
  return "the picture has more scans than a picture of its size may have (at most " +
         std::to_string(MaxJpegScansFor(pixels)) + ")";
}

// The whole file behind a program path, at most `maxBytes`; throws
// TImageError when it cannot be opened or read, or is larger.
std::string ReadImageFile(std::string_view programPath, std::int64_t maxBytes) {
  std::string bytes;
  std::string why;
  if (!ReadProgramFile(programPath, maxBytes, bytes, &why)) {
    throw TImageError(std::string(programPath) + ": " + why);
  }
  return bytes;
}

std::string TooLargeText(std::int64_t width, std::int64_t height) {
  return "the picture is too large (" + std::to_string(width) + " x " + std::to_string(height) +
         ")";
}

// Throws TImageError when a picture of that size is beyond the limit.
void CheckPictureSize(std::string_view programPath, std::int64_t width, std::int64_t height,
                      TSizeLimit limit) {
  if (!SizeFits(width, height, limit)) {
    throw TImageSizeError(std::string(programPath) + ": " + TooLargeText(width, height),
                          static_cast<int>(std::min<std::int64_t>(width, INT32_MAX)),
                          static_cast<int>(std::min<std::int64_t>(height, INT32_MAX)));
  }
}

std::uint32_t ReadLittle(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// The size a BMP's header claims, checked before the loader makes a surface
// of it: a run-length BMP of a few hundred bytes can claim any size. The
// oldest header (12 bytes) holds 16-bit sizes, every later one 32-bit sizes,
// the height negative for rows stored top first. Headers too short to hold a
// size are left to the loader, which refuses them.
void CheckBmpSize(std::string_view programPath, const std::string& bytes, TSizeLimit limit) {
  // A file that is not a BMP at all is left to the loader, which says so.
  if (bytes.size() < 18 || bytes.compare(0, 2, "BM") != 0) return;
  const std::uint32_t headerSize = ReadLittle(bytes, 14, 4);
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (headerSize == 12) {
    if (bytes.size() < 22) return;
    width = ReadLittle(bytes, 18, 2);
    height = ReadLittle(bytes, 20, 2);
  } else {
    if (bytes.size() < 26) return;
    width = static_cast<std::int32_t>(ReadLittle(bytes, 18, 4));
    height = static_cast<std::int32_t>(ReadLittle(bytes, 22, 4));
  }
  CheckPictureSize(programPath, std::abs(width), std::abs(height), limit);
}

// libjpeg reports a fatal fault through error_exit, which must not return:
// it jumps back to the decoder with the message kept for the exception.
struct TJpegErrors {
  jpeg_error_mgr Manager;
  std::jmp_buf Escape;
  char Message[JMSG_LENGTH_MAX];
  bool OverBudget;  // the work budget, not the file, stopped the decoder
};

void JpegErrorExit(j_common_ptr info) {
  TJpegErrors* errors = reinterpret_cast<TJpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->Message);
  std::longjmp(errors->Escape, 1);
}

// Nothing is printed. A warning (data that is corrupt or ends early) leaves
// the decoder going, as libjpeg goes on: the rows it cannot read are filled
// and the picture shows what the file holds.
void JpegMessage(j_common_ptr, int) {}

// The decoder's state lives on the heap behind one pointer, so nothing the
// long jump skips over needs destroying and nothing it returns to has changed
// since setjmp.
struct TJpegJob {
  jpeg_decompress_struct Info;
  TJpegErrors Errors;
  jpeg_progress_mgr Progress;
  std::vector<std::uint8_t> Pixels;
  bool TooLarge = false;  // the header claims more than the limit
  int Width = 0;
  int Height = 0;
};

// The work budget, checked whenever the decoder reports progress (at least
// once a scan): a progressive file may repeat a scan without end, each one
// a pass over the whole picture.
void JpegProgress(j_common_ptr common) {
  const auto* info = reinterpret_cast<j_decompress_ptr>(common);
  const std::int64_t scans = info->input_scan_number;
  const std::int64_t pixels = std::int64_t{info->image_width} * info->image_height;
  if (!JpegWorkFits(scans, pixels)) {
    TJpegErrors* errors = reinterpret_cast<TJpegErrors*>(common->err);
    std::snprintf(errors->Message, sizeof errors->Message, "%s", JpegWorkText(pixels).c_str());
    errors->OverBudget = true;
    std::longjmp(errors->Escape, 1);
  }
}

// Decodes into job->Pixels (B, G, R rows); returns false with
// job->Errors.Message set on failure.
bool DecodeJpeg(const std::string& bytes, TSizeLimit limit, TJpegJob* job) {
  job->Info.err = jpeg_std_error(&job->Errors.Manager);
  job->Errors.Manager.error_exit = JpegErrorExit;
  job->Errors.Manager.emit_message = JpegMessage;
  job->Errors.Message[0] = '\0';
  job->Errors.OverBudget = false;
  if (setjmp(job->Errors.Escape) != 0) {
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  jpeg_create_decompress(&job->Info);
  job->Progress = jpeg_progress_mgr{};
  job->Progress.progress_monitor = JpegProgress;
  job->Info.progress = &job->Progress;
  jpeg_mem_src(&job->Info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&job->Info, TRUE);
  // 1. The size the header claims is checked before the decoder takes memory
  // for it (a progressive picture keeps all of it at once).
  const std::int64_t claimedWidth = job->Info.image_width;
  const std::int64_t claimedHeight = job->Info.image_height;
  if (!SizeFits(claimedWidth, claimedHeight, limit)) {
    job->TooLarge = true;
    job->Width = static_cast<int>(claimedWidth);
    job->Height = static_cast<int>(claimedHeight);
    std::snprintf(job->Errors.Message, sizeof job->Errors.Message, "%s",
                  TooLargeText(claimedWidth, claimedHeight).c_str());
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  job->Info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&job->Info);
  job->Width = static_cast<int>(job->Info.output_width);
  job->Height = static_cast<int>(job->Info.output_height);
  const std::size_t stride = static_cast<std::size_t>(job->Width) * 3;
  // 2. Memory that cannot be had is a failure like any other: the decoder
  // is still released.
  try {
    job->Pixels.assign(stride * job->Height, 0);
  } catch (const std::bad_alloc&) {
    std::snprintf(job->Errors.Message, sizeof job->Errors.Message, "out of memory");
    jpeg_destroy_decompress(&job->Info);
    return false;
  }
  // 3. The rows, then the end of the file (the progress check goes on
  // through the scans a sequential picture may still hold).
  while (job->Info.output_scanline < job->Info.output_height) {
    JSAMPROW row = job->Pixels.data() + stride * job->Info.output_scanline;
    jpeg_read_scanlines(&job->Info, &row, 1);
  }
  jpeg_finish_decompress(&job->Info);
  jpeg_destroy_decompress(&job->Info);
  return true;
}

// Blends `pixel` one quarter of the way towards `color`.
inline void BlendQuarter(std::uint8_t* pixel, TPixelColor color) {
  pixel[0] = static_cast<std::uint8_t>((3 * pixel[0] + color.Blue) / 4);
  pixel[1] = static_cast<std::uint8_t>((3 * pixel[1] + color.Green) / 4);
  pixel[2] = static_cast<std::uint8_t>((3 * pixel[2] + color.Red) / 4);
}

inline bool IsColor(const std::uint8_t* pixel, TPixelColor color) {
  return pixel[0] == color.Blue && pixel[1] == color.Green && pixel[2] == color.Red;
}

inline void Put(std::uint8_t* pixel, TPixelColor color) {
  pixel[0] = color.Blue;
  pixel[1] = color.Green;
  pixel[2] = color.Red;
}

}  // namespace

TBromBitmap::TBromBitmap() : fontName_("ＭＳ ゴシック") {}
TBromBitmap::~TBromBitmap() = default;
TBromBitmap::TBromBitmap(TBromBitmap&&) noexcept = default;
TBromBitmap& TBromBitmap::operator=(TBromBitmap&&) noexcept = default;

TPixelColor TBromBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) InternalError("BromBmp", "pixel outside");
  const std::uint8_t* p = rows_[y] + 3 * x;
  return TPixelColor{p[0], p[1], p[2]};
}

void TBromBitmap::SetPixel(int x, int y, TPixelColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) InternalError("BromBmp", "pixel outside");
  Put(rows_[y] + 3 * x, color);
}

void TBromBitmap::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  pixels_.assign(static_cast<std::size_t>(width_) * height_ * 3, 0);
  RefreshRows();
}

void TBromBitmap::Adopt(std::vector<std::uint8_t>&& pixels, int width, int height) {
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
  RefreshRows();
}

void TBromBitmap::RefreshRows() {
  rows_.resize(height_);
  const std::size_t stride = static_cast<std::size_t>(width_) * 3;
  for (int y = 0; y < height_; ++y) rows_[y] = pixels_.data() + stride * y;
}

std::int64_t MaxJpegScansFor(std::int64_t pixels) {
  return std::max<std::int64_t>(
      1, std::min(MaxJpegScans, MaxJpegPixelScans / std::max<std::int64_t>(pixels, 1)));
}

bool JpegWorkFits(std::int64_t scans, std::int64_t pixels) {
  return scans <= MaxJpegScansFor(pixels);
}

std::int64_t MaxImageFileBytesFor(int maxWidth, int maxHeight) {
  const TSizeLimit limit = LimitOf(maxWidth, maxHeight);
  const std::int64_t pixels =
      std::min(std::max<std::int64_t>(limit.Width, 0) * std::max<std::int64_t>(limit.Height, 0),
               MaxImagePixels);
  return std::min((std::int64_t{1} << 20) + 8 * pixels, MaxImageFileBytes);
}

void TBromBitmap::LoadImage(std::string_view programPath, int maxWidth, int maxHeight) {
  DecodeImage(programPath, ReadImageFile(programPath, MaxImageFileBytesFor(maxWidth, maxHeight)),
              maxWidth, maxHeight);
}

void TBromBitmap::DecodeImage(std::string_view programPath, const std::string& bytes, int maxWidth,
                              int maxHeight) {
  const auto endsWith = [&](std::string_view tail) {
    return programPath.size() >= tail.size() &&
           programPath.substr(programPath.size() - tail.size()) == tail;
  };
  // Only the exact lower-case endings are JPEG: "X.JPG" goes to the BMP
  // loader, which refuses it unless it really is a BMP.
  if (endsWith(".jpg") || endsWith(".jpeg")) {
    DecodeJpegBytes(programPath, bytes, maxWidth, maxHeight);
  } else {
    DecodeBmpBytes(programPath, bytes, maxWidth, maxHeight);
  }
}

void TBromBitmap::LoadJpeg(std::string_view programPath, int maxWidth, int maxHeight) {
  DecodeJpegBytes(programPath,
                  ReadImageFile(programPath, MaxImageFileBytesFor(maxWidth, maxHeight)), maxWidth,
                  maxHeight);
}

void TBromBitmap::DecodeJpegBytes(std::string_view programPath, const std::string& bytes,
                                  int maxWidth, int maxHeight) {
  auto job = std::make_unique<TJpegJob>();
  if (!DecodeJpeg(bytes, LimitOf(maxWidth, maxHeight), job.get())) {
    if (job->TooLarge) {
      throw TImageSizeError(std::string(programPath) + ": " + job->Errors.Message, job->Width,
                            job->Height);
    }
    if (job->Errors.OverBudget) {
      throw TImageError(std::string(programPath) + ": " + job->Errors.Message);
    }
    throw TImageError(std::string(programPath) + ": not a readable JPEG: " + job->Errors.Message);
  }
  Adopt(std::move(job->Pixels), job->Width, job->Height);
}

void TBromBitmap::LoadBmp(std::string_view programPath, int maxWidth, int maxHeight) {
  DecodeBmpBytes(programPath, ReadImageFile(programPath, MaxImageFileBytesFor(maxWidth, maxHeight)),
                 maxWidth, maxHeight);
}

void TBromBitmap::DecodeBmpBytes(std::string_view programPath, const std::string& bytes,
                                 int maxWidth, int maxHeight) {
  const TSizeLimit limit = LimitOf(maxWidth, maxHeight);
  CheckBmpSize(programPath, bytes, limit);
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_Surface* loaded = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
  if (loaded == nullptr) {
    throw TImageError(std::string(programPath) + ": not a readable BMP: " + SDL_GetError());
  }
  // Owned from here on, so that it is freed on every way out.
  const std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> converted(
      SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_BGR24, 0), SDL_FreeSurface);
  SDL_FreeSurface(loaded);
  if (converted == nullptr) {
    throw TImageError(std::string(programPath) + ": cannot convert the BMP: " + SDL_GetError());
  }
  const int width = converted->w;
  const int height = converted->h;
  // The header was read before decoding; the decoded size is what counts.
  CheckPictureSize(programPath, width, height, limit);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> pixels(stride * height);
  SDL_LockSurface(converted.get());
  for (int y = 0; y < height; ++y) {
    std::memcpy(pixels.data() + stride * y,
                static_cast<const std::uint8_t*>(converted->pixels) + converted->pitch * y, stride);
  }
  SDL_UnlockSurface(converted.get());
  Adopt(std::move(pixels), width, height);
}

void TBromBitmap::SetSize(int width, int height) {
  Resize(width, height);
  Fill(ColorWhite);
}

void TBromBitmap::Fill(TPixelColor color) {
  FillRect(0, 0, width_, height_, color);
}

void TBromBitmap::SetTransparentColor(TPixelColor color) {
  if (!mask_) mask_ = std::make_unique<TBromBitmap>();
  mask_->Resize(width_, height_);
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* source = rows_[y];
    std::uint8_t* mask = mask_->rows_[y];
    for (int x = 0; x < width_; ++x, source += 3, mask += 3) {
      if (IsColor(source, color)) {
        Put(mask, ColorWhite);
        Put(source, ColorBlack);
      } else {
        Put(mask, ColorBlack);
      }
    }
  }
}

void TBromBitmap::DrawTo(TBromBitmap& dest, int x, int y) const {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + width_, dest.width_);
  const int bottom = std::min(y + height_, dest.height_);
  if (left >= right || top >= bottom) return;
  if (!mask_) {
    dest.CopyRect(*this, left - x, top - y, right - left, bottom - top, left, top);
    return;
  }
  // The mask is kept when the surface is later resized or reloaded; where it
  // no longer reaches, the surface is copied as it is (AND with black).
  const TBromBitmap& mask = *mask_;
  for (int row = top; row < bottom; ++row) {
    const int sy = row - y;
    const std::uint8_t* source = rows_[sy] + 3 * (left - x);
    std::uint8_t* target = dest.rows_[row] + 3 * left;
    for (int col = left; col < right; ++col) {
      const int sx = col - x;
      const bool masked = sy < mask.height_ && sx < mask.width_;
      for (int channel = 0; channel < 3; ++channel) {
        const std::uint8_t keep = masked ? mask.rows_[sy][3 * sx + channel] : 0;
        target[channel] = static_cast<std::uint8_t>((target[channel] & keep) | source[channel]);
      }
      source += 3;
      target += 3;
    }
  }
}

void TBromBitmap::CopyToPaintBox(TBromPaintBox& paintBox) const {
  paintBox.Show(*this);
}

void TBromBitmap::CopyRect(const TBromBitmap& source, int srcLeft, int srcTop, int width,
                           int height, int x, int y) {
  // Clip against the source, then against this surface.
  if (srcLeft < 0) {
    width += srcLeft;
    x -= srcLeft;
    srcLeft = 0;
  }
  if (srcTop < 0) {
    height += srcTop;
    y -= srcTop;
    srcTop = 0;
  }
  if (x < 0) {
    width += x;
    srcLeft -= x;
    x = 0;
  }
  if (y < 0) {
    height += y;
    srcTop -= y;
    y = 0;
  }
  width = std::min({width, source.width_ - srcLeft, width_ - x});
  height = std::min({height, source.height_ - srcTop, height_ - y});
  if (width <= 0 || height <= 0) return;
  const bool overlapping = &source == this && srcTop < y;
  for (int i = 0; i < height; ++i) {
    // Copying within one surface downwards runs bottom-up, so no row is
    // overwritten before it has been read.
    const int row = overlapping ? height - 1 - i : i;
    std::memmove(rows_[y + row] + 3 * x, source.rows_[srcTop + row] + 3 * srcLeft,
                 static_cast<std::size_t>(width) * 3);
  }
}

void TBromBitmap::FillRect(int left, int top, int right, int bottom, TPixelColor color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom)
    return;  // wholly beside the surface: no row address is formed
  // The first row pixel by pixel (or, for a grey, as bytes), every other row
  // copied from it.
  const std::size_t bytes = 3 * static_cast<std::size_t>(right - left);
  std::uint8_t* first = rows_[top] + 3 * left;
  if (color.Blue == color.Green && color.Green == color.Red) {
    std::memset(first, color.Blue, bytes);
  } else {
    for (std::uint8_t* p = first; p < first + bytes; p += 3) Put(p, color);
  }
  for (int y = top + 1; y < bottom; ++y) std::memcpy(rows_[y] + 3 * left, first, bytes);
}

void TBromBitmap::DrawLine(int x0, int y0, int x1, int y1, TPixelColor color, int penWidth) {
  penWidth = std::max(penWidth, 1);
  // The pen's footprint: a disc of the pen's width centred on each point of
  // the line (a single pixel for a one-pixel pen).
  const int low = -(penWidth - 1) / 2;
  const int high = penWidth / 2;
  const double centre = (low + high) / 2.0;
  const double radius2 = (penWidth / 2.0) * (penWidth / 2.0);
  const auto stamp = [&](int px, int py) {
    for (int dy = low; dy <= high; ++dy) {
      for (int dx = low; dx <= high; ++dx) {
        const double ex = dx - centre;
        const double ey = dy - centre;
        if (penWidth > 2 && ex * ex + ey * ey > radius2) continue;
        const int cx = px + dx;
        const int cy = py + dy;
        if (cx >= 0 && cy >= 0 && cx < width_ && cy < height_) Put(rows_[cy] + 3 * cx, color);
      }
    }
  };
  // Bresenham's walk from the start to the end point.
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  int x = x0;
  int y = y0;
  while (true) {
    const bool atEnd = x == x1 && y == y1;
    if (atEnd && penWidth == 1) break;
    stamp(x, y);
    if (atEnd) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void TBromBitmap::StretchDraw(const TBromBitmap& source, int left, int top, int right, int bottom) {
  const int destW = right - left;
  const int destH = bottom - top;
  if (destW <= 0 || destH <= 0 || source.width_ == 0 || source.height_ == 0) return;
  const int srcW = source.width_;
  const int srcH = source.height_;
  // Area averaging in fixed point: destination pixel i covers the source span
  // [i * src / dest, (i + 1) * src / dest), measured in units of 1 / dest of a
  // source pixel; each source pixel weighs what of it lies inside the span.
  // Enlarging degenerates to repeating source pixels.
  struct TSpan {
    int First;
    std::vector<int> Weights;  // in units of 1 / dest, summing to src
  };
  const auto spans = [](int src, int dest) {
    std::vector<TSpan> out(dest);
    for (int i = 0; i < dest; ++i) {
      const long long from = static_cast<long long>(i) * src;  // in 1/dest units
      const long long to = from + src;
      TSpan& span = out[i];
      span.First = static_cast<int>(from / dest);
      for (long long p = span.First; p * dest < to && p < src; ++p) {
        const long long a = std::max(from, p * dest);
        const long long b = std::min(to, (p + 1) * dest);
        span.Weights.push_back(static_cast<int>(b - a));
      }
    }
    return out;
  };
  const std::vector<TSpan> columns = spans(srcW, destW);
  const std::vector<TSpan> lines = spans(srcH, destH);
  const long long total = static_cast<long long>(srcW) * srcH;
  std::vector<long long> sums(static_cast<std::size_t>(destW) * 3);
  for (int j = 0; j < destH; ++j) {
    const int y = top + j;
    if (y < 0 || y >= height_) continue;
    std::fill(sums.begin(), sums.end(), 0);
    const TSpan& line = lines[j];
    for (std::size_t r = 0; r < line.Weights.size(); ++r) {
      const std::uint8_t* sourceRow = source.rows_[line.First + r];
      const long long wy = line.Weights[r];
      for (int i = 0; i < destW; ++i) {
        const TSpan& column = columns[i];
        const std::uint8_t* p = sourceRow + 3 * column.First;
        long long b = 0, g = 0, red = 0;
        for (int w : column.Weights) {
          b += static_cast<long long>(p[0]) * w;
          g += static_cast<long long>(p[1]) * w;
          red += static_cast<long long>(p[2]) * w;
          p += 3;
        }
        sums[3 * i] += b * wy;
        sums[3 * i + 1] += g * wy;
        sums[3 * i + 2] += red * wy;
      }
    }
    for (int i = 0; i < destW; ++i) {
      const int x = left + i;
      if (x < 0 || x >= width_) continue;
      std::uint8_t* target = rows_[y] + 3 * x;
      for (int channel = 0; channel < 3; ++channel) {
        target[channel] = static_cast<std::uint8_t>((sums[3 * i + channel] + total / 2) / total);
      }
    }
  }
}

void TBromBitmap::SetFontName(std::string_view nameCp932) {
  fontName_ = nameCp932;
}
void TBromBitmap::SetFontHeight(int height) {
  fontHeight_ = height;
}
void TBromBitmap::SetFontStyle(TFontStyle style) {
  fontStyle_ = style;
}
void TBromBitmap::SetFontColor(TPixelColor color) {
  fontColor_ = color;
}
void TBromBitmap::SetTextTransparent() {
  textOpaque_ = false;
}

void TBromBitmap::SetSoftEdge(bool on) {
  softEdge_ = on;
  if (!on) return;
  // The scratch surface is made once and resized only when this surface's
  // size has changed: each text clears the part of it that it reads, so what
  // an earlier text left there never shows. (Screens set the font before
  // almost every line; refilling 600 x 450 pixels each time was most of a
  // game's drawing.)
  if (!edgeWork_) edgeWork_ = std::make_unique<TBromBitmap>();
  if (edgeWork_->width_ != width_ || edgeWork_->height_ != height_) {
    edgeWork_->SetSize(width_, height_);
  }
}

int TBromBitmap::TextWidth(std::string_view textCp932) const {
  return TBromFont::Measure(textCp932, TFontRequest{fontName_, fontHeight_, fontStyle_});
}

void TBromBitmap::DrawGlyphs(int x, int y, std::string_view textCp932, TPixelColor color) {
  const TFontRequest font{fontName_, fontHeight_, fontStyle_};
  if (textOpaque_) {
    FillRect(x, y, x + TBromFont::Measure(textCp932, font), y + fontHeight_, textBackground_);
  }
  TBromFont::Draw(*this, x, y, textCp932, font, color);
}

void TBromBitmap::DrawText(int x, int y, std::string_view textCp932) {
  DrawGlyphs(x, y, textCp932, fontColor_);
  if (!softEdge_) return;
  // A surface resized since the soft edge was turned on gets a scratch surface
  // of its new size, rather than a pass over a scratch surface that is too
  // small.
  SetSoftEdge(true);
  // 1. The box the text can cover, estimated from its length in bytes
  // (a full-width character counts two).
  const int per = (fontHeight_ + 1) / 2 + ((fontStyle_ & FontBold) != 0 ? 1 : 0);
  const int right = x + static_cast<int>(textCp932.size()) * per + 1;
  const int bottom = y + fontHeight_ + 2;
  // 2. The text's coverage, white on black, on the scratch surface.
  TBromBitmap& work = *edgeWork_;
  work.FillRect(x - 2, y - 2, right + 1, bottom + 1, ColorBlack);
  work.fontName_ = fontName_;
  work.fontHeight_ = fontHeight_;
  work.fontStyle_ = fontStyle_;
  work.textOpaque_ = false;
  work.DrawGlyphs(x, y, textCp932, ColorWhite);
  // 3. Tint the pixels around the text: each touched neighbour moves a pixel a
  // quarter of the way towards the text colour.
  ApplySoftEdge(work, x - 1, y - 1, right, bottom);
}

void TBromBitmap::ApplySoftEdge(const TBromBitmap& coverage, int x0, int y0, int x1, int y1) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min({x1, width_, coverage.width_});
  y1 = std::min({y1, height_, coverage.height_});
  if (x0 >= x1 || y0 >= y1) return;
  // Neighbours are looked up only inside both surfaces.
  const int w = std::min(width_, coverage.width_);
  const int h = std::min(height_, coverage.height_);
  // 1. One flag a pixel for the box and a border of one pixel around it: 1
  // where the text touches (coverage not black), 0 elsewhere and outside the
  // surfaces; and for each of those rows whether it has any flag at all.
  // Most of a text's box is untouched, and a row whose neighbours hold no
  // flag is passed over whole.
  const int fw = x1 - x0 + 2;
  const int fh = y1 - y0 + 2;
  thread_local std::vector<std::uint8_t> flags;
  thread_local std::vector<std::uint8_t> rowTouched;
  flags.assign(static_cast<std::size_t>(fw) * fh, 0);
  rowTouched.assign(static_cast<std::size_t>(fh), 0);
  for (int fr = 0; fr < fh; ++fr) {
    const int r = y0 - 1 + fr;
    if (r < 0 || r >= h) continue;
    const int cFirst = std::max(x0 - 1, 0);
    const int cLast = std::min(x1, w - 1);
    const std::uint8_t* p = coverage.rows_[r] + 3 * cFirst;
    std::uint8_t* f = flags.data() + static_cast<std::size_t>(fr) * fw + (cFirst - (x0 - 1));
    std::uint8_t any = 0;
    for (int c = cFirst; c <= cLast; ++c, p += 3) {
      const std::uint8_t t = (p[0] | p[1] | p[2]) != 0 ? 1 : 0;
      *f++ = t;
      any |= t;
    }
    rowTouched[fr] = any;
  }
  // 2. Every pixel the text does not fully cover moves a quarter of the way
  // towards the font colour once for each touched neighbour.
  for (int r = y0; r < y1; ++r) {
    const int fr = r - y0 + 1;
    if ((rowTouched[fr - 1] | rowTouched[fr] | rowTouched[fr + 1]) == 0) continue;
    const std::uint8_t* above = flags.data() + static_cast<std::size_t>(fr - 1) * fw;
    const std::uint8_t* here = above + fw;
    const std::uint8_t* below = here + fw;
    for (int c = x0; c < x1; ++c) {
      const int fc = c - x0 + 1;
      const int neighbours = above[fc] + below[fc] + here[fc - 1] + here[fc + 1];
      if (neighbours == 0 || IsColor(coverage.rows_[r] + 3 * c, ColorWhite)) continue;
      std::uint8_t* pixel = rows_[r] + 3 * c;
      for (int k = 0; k < neighbours; ++k) BlendQuarter(pixel, fontColor_);
    }
  }
}
