// Helpers for tests that read screens drawn headless: the layers set up on a
// bare paint box, copies of a layer, and comparisons of rectangles pixel by
// pixel that name the first pixel that differs.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "paint/ScreenKit.h"
#include "present/Bitmap.h"
#include "tests/TestScreens.h"

// The screen layers and layout, presenting to a paint box without a window.
void StartScreens();
// A copy of a whole layer.
void CopyLayer(const TBromBitmap& from, TBromBitmap& to);
// (a + b) div 2 per channel: a blend with black dims, with red highlights.
TPixelColor Blend(TPixelColor a, TPixelColor b);
// Every pixel of `r` in `actual` equals the same pixel of `expected`.
::testing::AssertionResult SameRect(const TBromBitmap& actual, const TBromBitmap& expected,
                                    const TRect& r);
// Every pixel of `r` in `actual` is `want(x, y, pixel of expected)`.
::testing::AssertionResult RectMatches(
    const TBromBitmap& actual, const TBromBitmap& expected, const TRect& r,
    const std::function<TPixelColor(int x, int y, TPixelColor expected)>& want);
// Every pixel of `r` is `color`, except those inside `except`.
::testing::AssertionResult FilledWith(const TBromBitmap& actual, const TRect& r, TPixelColor color,
                                      const TRect& except = TRect{});
// Whether any pixel of `r` differs from black.
bool HasInk(const TBromBitmap& layer, const TRect& r);

// The fuzz seed "repeated-scans.jpg" (64 x 64 flat grey, progressive: a DC
// scan, then one AC scan that libjpeg decodes again and again without a
// warning) with `scans` scans in all.
std::string RepeatedScanJpeg(int scans);
