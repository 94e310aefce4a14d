#include "ui/caption_file.h"

#include <cmath>
#include <limits>
#include <string>

#include "common/bounded_text.h"
#include "common/text_mode.h"

namespace captions {

namespace {

constexpr std::size_t kLinePieceSize = 256;
constexpr std::string_view kKeyDelimiters = " \t\n";
constexpr std::string_view kValueDelimiters = "\t\n";

// 1/72 as the single-precision constant the size arithmetic multiplies by.
constexpr float kPerPoint = 0.013888889f;
constexpr double kMillimetresPerInch = 25.4;

struct KeyAndValue {
  std::string_view key;
  bool hasValue = false;
  std::string_view value;
};

// Splits a line piece the way two strtok calls split it: the key with " \t\n",
// then the value with "\t\n" from just after the character that ended the key.
// False for a line without a key.
bool SplitLine(std::string_view piece, KeyAndValue& out) {
  const std::string_view line = text::AsCString(piece);
  const text::Token key = text::FirstToken(line, kKeyDelimiters);
  if (key.text.empty()) {
    return false;
  }
  out.key = key.text;
  out.hasValue = false;
  if (key.end >= line.size()) {
    return true;
  }
  const text::Token value = text::FirstToken(line.substr(key.end + 1), kValueDelimiters);
  if (value.text.empty()) {
    return true;
  }
  out.value = value.text;
  out.hasValue = true;
  return true;
}

void StoreValue(std::string_view key, std::string_view value, CaptionTexts& texts) {
  if (key == "FONT:") {
    text::CopyBounded(texts.faceName, kFaceNameCapacity, value);
  } else if (key == "FHeight:") {
    texts.fontHeight = text::ParseLeadingInt(value);
  } else if (key == "FWidth:") {
    texts.fontWidth = text::ParseLeadingInt(value);
  } else if (key == "a0:") {
    text::CopyBounded(texts.audio[0], value);
  } else if (key == "a1:") {
    text::CopyBounded(texts.audio[1], value);
  } else if (key == "v0:") {
    text::CopyBounded(texts.video[0], value);
  } else if (key == "v1:") {
    text::CopyBounded(texts.video[1], value);
  } else if (key == "v2:") {
    text::CopyBounded(texts.video[2], value);
  } else if (key == "wm:") {
    text::CopyBounded(texts.fileErrorText, value);
  }
}

// The products and quotients below are rounded to their declared precision at
// every step, also where the compiler would keep wider x87 intermediates.
float InFloat(float value) {
  volatile float stored = value;
  return stored;
}

double InDouble(double value) {
  volatile double stored = value;
  return stored;
}

std::int32_t TruncateHeld(double value) {
  constexpr double kBelowMin = static_cast<double>(std::numeric_limits<std::int32_t>::min()) - 1.0;
  constexpr double kAboveMax = static_cast<double>(std::numeric_limits<std::int32_t>::max()) + 1.0;
  if (std::isnan(value)) {
    return 0;
  }
  if (value <= kBelowMin) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (value >= kAboveMax) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t HoldInRange(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

void ParseCaptionFile(std::string_view fileBytes, CaptionTexts& texts) {
  texts.faceName[0] = '\0';
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  std::string piece;
  while (scanner.ReadLine(piece, kLinePieceSize)) {
    KeyAndValue line;
    if (SplitLine(piece, line) && line.hasValue) {
      StoreValue(line.key, line.value, texts);
    }
  }
}

FontResolution ResolveFontResolution(bool logical, const DeviceMetrics& metrics) {
  FontResolution resolution;
  if (logical || metrics.horzSize == 0 || metrics.vertSize == 0) {
    resolution.x = static_cast<float>(metrics.logPixelsX);
    resolution.y = metrics.logPixelsY;
    return resolution;
  }
  resolution.x = InFloat(
      static_cast<float>(InDouble(InDouble(kMillimetresPerInch * metrics.horzRes) / metrics.horzSize)));
  resolution.y = InDouble(InDouble(kMillimetresPerInch * metrics.vertRes) / metrics.vertSize);
  return resolution;
}

DevicePoint CaptionFontDeviceSize(std::int32_t widthTenths, std::int32_t heightTenths,
                                  FontResolution resolution) {
  DevicePoint point;
  point.x = TruncateHeld(InFloat(InFloat(static_cast<float>(widthTenths) * resolution.x) * kPerPoint));
  point.y = TruncateHeld(InDouble(InDouble(heightTenths * resolution.y) * static_cast<double>(kPerPoint)));
  return point;
}

std::int32_t CaptionFontHeight(std::int32_t logicalY) {
  return -TruncateHeld(std::fabs(static_cast<double>(logicalY)) / 10.0 + 0.5);
}

std::int32_t CaptionFontWidth(std::int32_t logicalX, std::int32_t logicalY, std::int32_t averageCharWidth) {
  if (logicalY == 0) {
    return 0;
  }
  const std::int64_t x = logicalX < 0 ? -std::int64_t{logicalX} : std::int64_t{logicalX};
  const std::int64_t y = logicalY < 0 ? -std::int64_t{logicalY} : std::int64_t{logicalY};
  return HoldInRange(x * averageCharWidth / y);
}

std::int32_t DrawnCaptionHeight(std::int32_t fontHeight) {
  return HoldInRange(std::int64_t{fontHeight} + 5);
}

}  // namespace captions
