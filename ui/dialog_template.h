// A dialog template read as bytes (the plain and the extended form): the
// dialog's style and box and each control's identifier and box, in dialog
// units and in the template's order. Nothing is read past the bytes given; a
// template cut short or malformed is refused whole.
//
// The picture dialogs lay their art and buttons out in fixed pixels, so they
// are placed at their dialog units in the pixels that the System font gives
// on Windows at 96 DPI (8 x 16 base units: 2 pixels a unit both ways), not in
// whatever the platform's font gives (Wine's is 8 x 15, a larger system font
// more).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dialog_template {

// A box in dialog units: the corner and the size.
struct Box {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

struct Control {
  std::uint32_t id = 0;  // 16 bits in the plain form, 32 in the extended
  Box box;
};

struct Template {
  std::uint32_t style = 0;
  Box box;
  std::vector<Control> controls;
};

std::optional<Template> Parse(std::span<const unsigned char> bytes);

// A box in pixels at 2 pixels a dialog unit, both ways.
Box InFixedPixels(const Box& units);

}  // namespace dialog_template
