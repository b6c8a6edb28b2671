#include "tools/AssetIcon.h"

#include <filesystem>
#include <stdexcept>

#include "present/Bitmap.h"
#include "present/PngFile.h"
#include "tools/AssetMath.h"
#include "tools/AssetPaint.h"

namespace asset {

TImage PaintIcon(int size) {
  // Drawn on a 64-unit square whatever the size; small sizes get more
  // sub-pixels so that the thin blades still read.
  const double u = size / 64.0;
  TCanvas c(size, size, size <= 32 ? 8 : 4, Rgb255(14, 18, 44));
  // 1. The night: deep blue, lighter towards the bottom.
  c.Shade([=](double, double y) {
    return MixColor(Rgb255(12, 14, 40), Rgb255(40, 46, 104), Clamp(y / (64 * u), 0, 1));
  });
  // 2. The moon, with a soft halo.
  const TShape moon = Circle(32 * u, 27 * u, 17 * u);
  c.Glow(moon, Rgb255(255, 236, 170), 8 * u, 0.35);
  c.Fill(moon, [=](double x, double y) {
    return MixColor(Rgb255(255, 246, 208), Rgb255(232, 196, 110),
                    Clamp((x + y - 26 * u) / (44 * u), 0, 1));
  });
  // 3. Two swords crossed before it: blades of steel, hilts of red leather,
  // gold guards; each outlined in ink so it stands out at 16 pixels.
  const TColor ink = Rgb255(10, 8, 16);
  for (int side = -1; side <= 1; side += 2) {
    const double tipX = 32 * u + side * 24 * u, tipY = 8 * u;
    const double guardX = 32 * u - side * 14 * u, guardY = 44 * u;
    const double pommelX = 32 * u - side * 22 * u, pommelY = 56 * u;
    const TShape blade = Taper(guardX, guardY, tipX, tipY, 3.0 * u, 1.2 * u);
    const TShape grip = Capsule(guardX, guardY, pommelX, pommelY, 2.6 * u);
    // The guard lies across the blade.
    const TShape guard = Capsule(guardX - 6 * u, guardY - side * 6 * u, guardX + 6 * u,
                                 guardY + side * 6 * u, 2.2 * u);
    c.Fill(Grow(Union(Union(blade, grip), guard), 1.4 * u), ink);
    c.Fill(blade, [=](double x, double) {
      return MixColor(Rgb255(236, 242, 250), Rgb255(150, 162, 184),
                      Clamp((x - 8 * u) / (48 * u), 0, 1));
    });
    c.Fill(grip, Rgb255(150, 32, 36));
    c.Fill(guard, Rgb255(230, 184, 72));
    c.Fill(Circle(pommelX, pommelY, 3.2 * u), Rgb255(230, 184, 72));
  }
  return c.Resolve();
}

std::vector<std::string> WriteHicolorIcons(const std::string& folder) {
  std::vector<std::string> written;
  for (int size : kIconSizes) {
    const TImage image = PaintIcon(size);
    TBromBitmap picture;
    picture.SetSize(size, size);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const std::uint8_t* p = image.At(x, y);
        picture.SetPixel(x, y, MakeColor(p[0], p[1], p[2]));
      }
    }
    const std::string dir =
        folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) throw std::runtime_error("cannot make the folder " + dir + ": " + error.message());
    const std::string path = dir + "/" + kDesktopId + ".png";
    try {
      WritePng(picture, path);
    } catch (const TImageError& e) {
      throw std::runtime_error(e.what());
    }
    written.push_back(path);
  }
  return written;
}

}  // namespace asset
