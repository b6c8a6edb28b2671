// The harnesses load pictures but never draw text or show a window: the
// surface unit's calls into the font and the window are answered here, so
// that no harness links fontconfig, FreeType or a window. Reaching one is a
// finding.
#include "fuzz/FuzzInput.h"
#include "present/Font.h"
#include "present/Form.h"

int TBromFont::Draw(TBromBitmap&, int, int, std::string_view, const TFontRequest&, TPixelColor) {
  FuzzFailure("a harness drew text");
}

int TBromFont::Measure(std::string_view, const TFontRequest&) {
  FuzzFailure("a harness measured text");
}

void TBromPaintBox::Show(const TBromBitmap&) {
  FuzzFailure("a harness showed a window");
}
