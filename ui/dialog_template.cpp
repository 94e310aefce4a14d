#include "ui/dialog_template.h"

namespace dialog_template {
namespace {

constexpr std::uint16_t kExtendedSignature = 0xFFFF;
constexpr std::uint16_t kOrdinalMark = 0xFFFF;
constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT: a font block follows the title

// Reads little-endian fields front to back; the first read past the end
// spoils the reader, and every later read answers 0.
class Reader {
 public:
  explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  bool Good() const { return good_; }

  std::uint16_t Word() {
    if (!Take(2)) {
      return 0;
    }
    return static_cast<std::uint16_t>(bytes_[at_ - 2] | bytes_[at_ - 1] << 8);
  }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | static_cast<std::uint32_t>(Word()) << 16;
  }
  std::int32_t Short() { return static_cast<std::int16_t>(Word()); }
  void Skip(std::size_t count) { Take(count); }
  // The templates' strings are UTF-16 and end with a zero.
  void SkipString() {
    while (good_ && Word() != 0) {
    }
  }
  // A name or ordinal: nothing (a zero), a mark and a number, or a string.
  void SkipNameOrOrdinal() {
    const std::uint16_t first = Word();
    if (first == kOrdinalMark) {
      Word();
    } else if (first != 0) {
      SkipString();
    }
  }
  // Controls start on a 4-byte boundary of the template.
  void AlignToDword() { Skip((4 - at_ % 4) % 4); }

 private:
  bool Take(std::size_t count) {
    if (!good_ || bytes_.size() - at_ < count) {
      good_ = false;
      return false;
    }
    at_ += count;
    return true;
  }

  std::span<const unsigned char> bytes_;
  std::size_t at_ = 0;
  bool good_ = true;
};

Box ReadBox(Reader& in) {
  Box box;
  box.x = in.Short();
  box.y = in.Short();
  box.width = in.Short();
  box.height = in.Short();
  return box;
}

}  // namespace

std::optional<Template> Parse(std::span<const unsigned char> bytes) {
  Reader in(bytes);
  Template parsed;
  // The extended form opens with its version (1) and a signature where the
  // plain form has the low and high word of its style.
  const std::uint16_t first = in.Word();
  const std::uint16_t second = in.Word();
  const bool extended = first == 1 && second == kExtendedSignature;
  if (extended) {
    in.Dword();  // help identifier
    in.Dword();  // extended style
    parsed.style = in.Dword();
  } else {
    parsed.style = first | static_cast<std::uint32_t>(second) << 16;
    in.Dword();  // extended style
  }
  const std::uint16_t count = in.Word();
  parsed.box = ReadBox(in);
  in.SkipNameOrOrdinal();  // menu
  in.SkipNameOrOrdinal();  // window class
  in.SkipString();         // caption
  if ((parsed.style & kSetFontStyle) != 0) {
    in.Word();  // point size
    if (extended) {
      in.Word();   // weight
      in.Skip(2);  // italic, character set
    }
    in.SkipString();  // face name
  }
  for (std::uint16_t i = 0; i < count && in.Good(); ++i) {
    in.AlignToDword();
    Control control;
    if (extended) {
      in.Dword();  // help identifier
      in.Dword();  // extended style
      in.Dword();  // style
      control.box = ReadBox(in);
      control.id = in.Dword();
    } else {
      in.Dword();  // style
      in.Dword();  // extended style
      control.box = ReadBox(in);
      control.id = in.Word();
    }
    in.SkipNameOrOrdinal();  // window class
    in.SkipNameOrOrdinal();  // text
    in.Skip(in.Word());      // creation data, after its size
    parsed.controls.push_back(control);
  }
  if (!in.Good()) {
    return std::nullopt;
  }
  return parsed;
}

Box InFixedPixels(const Box& units) {
  constexpr std::int32_t kPixelsPerUnit = 2;
  return Box{units.x * kPixelsPerUnit, units.y * kPixelsPerUnit, units.width * kPixelsPerUnit,
             units.height * kPixelsPerUnit};
}

}  // namespace dialog_template
