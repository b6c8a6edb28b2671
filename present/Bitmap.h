// Design unit: BromBmp.
// Off-screen drawing surfaces. Every screen is composed in memory on these
// 24-bit surfaces and only then copied to the window. A surface holds its own
// pixel bytes (blue, green, red per pixel, rows top first, no padding) with a
// table of row addresses for fast pixel loops; it loads BMP and JPEG images,
// keys out a transparent colour, draws onto other surfaces (plain, masked or
// stretched), fills, draws lines and draws cp932 text in the game's font with
// an optional soft edge that tints the pixels around fresh text towards the
// text colour.
//
// Game logic may include this header: it names no platform library.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One pixel: blue, green, red, the byte order of a pixel in a row.
struct TPixelColor {
  std::uint8_t Blue = 0;
  std::uint8_t Green = 0;
  std::uint8_t Red = 0;
};

constexpr TPixelColor MakeColor(int red, int green, int blue) {
  return TPixelColor{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
                     static_cast<std::uint8_t>(red)};
}
constexpr bool ColorsEqual(TPixelColor a, TPixelColor b) {
  return a.Blue == b.Blue && a.Green == b.Green && a.Red == b.Red;
}
// The system's colour value: red + 256 * green + 65536 * blue.
constexpr std::uint32_t ToSystemColor(TPixelColor c) {
  return c.Red + 256u * c.Green + 65536u * c.Blue;
}

inline constexpr TPixelColor ColorBlack = MakeColor(0, 0, 0);
inline constexpr TPixelColor ColorWhite = MakeColor(255, 255, 255);
inline constexpr TPixelColor ColorRed = MakeColor(255, 0, 0);

// Raised when an image file cannot be opened or decoded. what() holds the
// program path (cp932) and the reason.
class TImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised when the size an image file claims is beyond what its caller takes,
// from the file's header, before any pixel is decoded.
class TImageSizeError : public TImageError {
 public:
  TImageSizeError(const std::string& what, int width, int height)
      : TImageError(what), Width(width), Height(height) {}
  int Width;
  int Height;
};

// The largest picture the loaders take: 16384 pixels on a side and 2^25
// pixels in all (8192 x 4096, far beyond any screen of the game). Image files
// are the player's and the author's data: a damaged or hostile header that
// claims more is refused before any pixel memory is taken, and a file larger
// than any such picture can be is not read at all.
inline constexpr int MaxImageSide = 16384;
inline constexpr std::int64_t MaxImagePixels = std::int64_t{1} << 25;
inline constexpr std::int64_t MaxImageFileBytes = std::int64_t{256} << 20;
// The largest file read for a picture of at most that size: 1 MB for headers,
// palettes and whatever a JPEG carries beside its pixels, and 8 bytes for
// each pixel (a BMP stores at most 4), within MaxImageFileBytes.
std::int64_t MaxImageFileBytesFor(int maxWidth, int maxHeight);

// The work a JPEG may cost: every scan of a progressive picture is a pass
// over the whole picture, and a file can repeat one scan without end. A
// picture has at most MaxJpegScans scans, and its pixels times its scans are
// at most MaxJpegPixelScans: a 2400 x 1800 picture, the largest a story
// shows, may have 31 scans, a 600 x 450 one 256; a progressive picture a
// program writes has about 10. A picture over the budget is refused like one
// over the size limit.
inline constexpr std::int64_t MaxJpegScans = 256;
inline constexpr std::int64_t MaxJpegPixelScans = std::int64_t{1} << 27;
// The scans a picture of that many pixels may have, at least 1.
std::int64_t MaxJpegScansFor(std::int64_t pixels);
bool JpegWorkFits(std::int64_t scans, std::int64_t pixels);

// Font style bits; bold is bit 0.
using TFontStyle = std::uint8_t;
inline constexpr TFontStyle FontBold = 1;
inline constexpr TFontStyle FontItalic = 2;
inline constexpr TFontStyle FontUnderline = 4;
inline constexpr TFontStyle FontStrikeOut = 8;

// The window's paint surface (present/Form.h).
class TBromPaintBox;

class TBromBitmap {
 public:
  // An empty surface (0 x 0) with the game's default font: "ＭＳ ゴシック",
  // height 20, bold, black, no background, soft edge off.
  TBromBitmap();
  ~TBromBitmap();
  TBromBitmap(TBromBitmap&&) noexcept;
  TBromBitmap& operator=(TBromBitmap&&) noexcept;
  TBromBitmap(const TBromBitmap&) = delete;
  TBromBitmap& operator=(const TBromBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // One address per pixel row, top row first; 3 bytes per pixel (B, G, R).
  // Valid until the next size change or load.
  const std::vector<std::uint8_t*>& Rows() const { return rows_; }
  // One pixel; the point must lie inside the surface (an internal error
  // otherwise).
  TPixelColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TPixelColor color);

  // Loads an image by the program path's ending: exactly ".jpg" or ".jpeg"
  // (case matters) is decoded as JPEG, anything else as a BMP. The surface
  // takes the image's size. Throws TImageError when the file cannot be opened
  // or decoded, when a JPEG has more scans than its work budget allows, or
  // when the file is not a regular file or is larger than
  // MaxImageFileBytesFor(maxWidth, maxHeight) (it is then not read). A JPEG
  // whose data is corrupt or ends early loads as libjpeg decodes it, the rows
  // it cannot read filled; throws TImageSizeError when the size the file claims is
  // beyond the loaders' limits or wider than `maxWidth` or higher than
  // `maxHeight`, checked before any pixel is decoded. The surface is
  // unchanged when it throws.
  void LoadImage(std::string_view programPath, int maxWidth = MaxImageSide,
                 int maxHeight = MaxImageSide);
  void LoadJpeg(std::string_view programPath, int maxWidth = MaxImageSide,
                int maxHeight = MaxImageSide);
  void LoadBmp(std::string_view programPath, int maxWidth = MaxImageSide,
               int maxHeight = MaxImageSide);
  // Rebuilds the row table (the pixels are always held at 24 bits).
  void RefreshRows();
  // Resizes and fills every pixel white. Negative sizes count as 0.
  void SetSize(int width, int height);
  void Fill(TPixelColor color);

  // Keys out `color`: the mask (kept from now on) becomes white where the
  // surface has that colour and black elsewhere, and those surface pixels
  // become black, so that DrawTo leaves the destination unchanged there.
  void SetTransparentColor(TPixelColor color);
  const TBromBitmap* Mask() const { return mask_.get(); }
  // Draws the whole surface onto `dest` with its top-left corner at (x, y),
  // clipped to `dest`: through the mask (dest AND mask, then OR surface) when
  // there is one, otherwise a plain copy.
  void DrawTo(TBromBitmap& dest, int x, int y) const;
  // Copies the whole surface to the paint box at (0, 0) and shows it.
  void CopyToPaintBox(TBromPaintBox& paintBox) const;

  // Block copy of a width x height rectangle of `source` from (srcLeft,
  // srcTop) to (x, y) here, clipped to both surfaces.
  void CopyRect(const TBromBitmap& source, int srcLeft, int srcTop, int width, int height, int x,
                int y);
  // Fills the rectangle (right and bottom edges excluded), clipped.
  void FillRect(int left, int top, int right, int bottom, TPixelColor color);
  // A line from (x0, y0) to (x1, y1) with a round pen `penWidth` pixels wide.
  // A one-pixel pen leaves out the end point, as a pen moving to a point does.
  void DrawLine(int x0, int y0, int x1, int y1, TPixelColor color, int penWidth);
  // Draws the whole of `source` scaled into the rectangle (right and bottom
  // excluded). Shrinking averages every source pixel a destination pixel
  // covers, so a portrait stays readable as a small thumbnail.
  void StretchDraw(const TBromBitmap& source, int left, int top, int right, int bottom);

  // Font state. The name is cp932 (as the game writes it); the height is the
  // height of the character cell in pixels.
  void SetFontName(std::string_view nameCp932);
  void SetFontHeight(int height);
  void SetFontStyle(TFontStyle style);
  void SetFontColor(TPixelColor color);
  // Text leaves the background untouched (the default).
  void SetTextTransparent();
  // Turns the soft edge on or off; on, the scratch surface takes this
  // surface's size.
  void SetSoftEdge(bool on);
  bool SoftEdge() const { return softEdge_; }

  // Draws cp932 text with the character cell's top-left corner at (x, y),
  // then, with the soft edge on, tints the pixels around it.
  void DrawText(int x, int y, std::string_view textCp932);
  // The width in pixels that DrawText advances over for the text.
  int TextWidth(std::string_view textCp932) const;

  // The soft-edge tint on its own: `coverage` (as large as this surface)
  // holds the text as white on black. Every pixel of the rows y0 .. y1 - 1,
  // columns x0 .. x1 - 1 (clamped to the surface) that the text does not
  // fully cover is moved a quarter of the way towards the font colour once
  // for each of its four neighbours that the text touches.
  void ApplySoftEdge(const TBromBitmap& coverage, int x0, int y0, int x1, int y1);

 private:
  // The loaders' work on a file's bytes already read; `programPath` names it
  // in faults and chooses the decoder.
  void DecodeImage(std::string_view programPath, const std::string& bytes, int maxWidth,
                   int maxHeight);
  void DecodeJpegBytes(std::string_view programPath, const std::string& bytes, int maxWidth,
                       int maxHeight);
  void DecodeBmpBytes(std::string_view programPath, const std::string& bytes, int maxWidth,
                      int maxHeight);
  void Resize(int width, int height);
  void Adopt(std::vector<std::uint8_t>&& pixels, int width, int height);
  void DrawGlyphs(int x, int y, std::string_view textCp932, TPixelColor color);

  std::vector<std::uint8_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t*> rows_;
  std::unique_ptr<TBromBitmap> mask_;
  std::unique_ptr<TBromBitmap> edgeWork_;
  std::string fontName_;
  bool softEdge_ = false;
  int fontHeight_ = 20;
  TPixelColor fontColor_ = ColorBlack;
  TFontStyle fontStyle_ = FontBold;
  bool textOpaque_ = false;
  TPixelColor textBackground_ = ColorWhite;
};
