// String.dat: the caption texts of the audio and video dialogs, the second line
// of the file-error dialog, and the caption font's face and size. Also the size
// arithmetic of the caption font, kept here so it can be checked on any host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct CaptionTexts {
  char faceName[50] = {};
  std::int32_t fontHeight = 0;  // tenths of a point
  std::int32_t fontWidth = 0;   // tenths of a point; 0 for the natural width
  char audio[2][50] = {};
  char video[3][50] = {};
  char fileErrorText[100] = {};  // second line of the file-error dialog
};

namespace captions {

// A LOGFONT's face name holds 31 characters and a terminating zero.
constexpr std::size_t kFaceNameCapacity = 32;

// Each line is "<key> <value>" or "<key>\t<value>". The key is the line's first
// token (blanks, tabs and line ends separate it; blanks and tabs before it are
// skipped) and must equal one of "FONT:", "FHeight:", "FWidth:", "a0:", "a1:",
// "v0:", "v1:", "v2:", "wm:" exactly. The one blank or tab after the key is
// dropped, then any tabs; the value runs to the next tab or the line's end and
// keeps its blanks. A later line with the same key wins; other keys, lines
// without a key and keys without a value change nothing. Texts longer than
// their field are cut to fit (the face name to 31 characters); the two sizes
// are read as atoi reads them. Lines are read in text mode in pieces of at most
// 255 characters, the rest of a longer line counting as a line of its own. The
// face name is emptied first; the other fields keep what the file does not set.
void ParseCaptionFile(std::string_view fileBytes, CaptionTexts& texts);

// What the device reports about its resolution.
struct DeviceMetrics {
  std::int32_t logPixelsX = 0;  // LOGPIXELSX
  std::int32_t logPixelsY = 0;  // LOGPIXELSY
  std::int32_t horzRes = 0;     // HORZRES, pixels
  std::int32_t horzSize = 0;    // HORZSIZE, millimetres
  std::int32_t vertRes = 0;     // VERTRES
  std::int32_t vertSize = 0;    // VERTSIZE
};

// Pixels per inch: the x value is held in single precision, the y value in
// double precision, as the size arithmetic uses them.
struct FontResolution {
  float x = 0.0f;
  double y = 0.0;
};

// The logical resolution, or with `logical` false the physical one from the
// screen's size in pixels and millimetres. A device that reports a size of 0
// millimetres has no physical resolution; its logical one is used instead.
FontResolution ResolveFontResolution(bool logical, const DeviceMetrics& metrics);

// A size in tenths of a point as device units, each truncated toward zero:
// x = width * resolution.x * k, y = height * resolution.y * k, where k is 1/72
// in single precision (0.013888889f); x is worked in single precision, y in
// double. Results beyond the 32-bit range are held at its ends.
struct DevicePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};
DevicePoint CaptionFontDeviceSize(std::int32_t widthTenths, std::int32_t heightTenths,
                                  FontResolution resolution);

// The LOGFONT height for a logical height in tenths of a point:
// -(|y| / 10 + 0.5), truncated toward zero (a character height).
std::int32_t CaptionFontHeight(std::int32_t logicalY);

// The LOGFONT width for a requested width: |x| * the natural font's
// average character width / |y|, truncated toward zero; 0 (the natural width)
// when y is 0.
std::int32_t CaptionFontWidth(std::int32_t logicalX, std::int32_t logicalY, std::int32_t averageCharWidth);

// The dialogs draw their captions 5 tenths of a point larger than String.dat
// says (held at the 32-bit range).
std::int32_t DrawnCaptionHeight(std::int32_t fontHeight);

}  // namespace captions
