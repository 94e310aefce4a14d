#include "media/image_store.h"

#include <span>
#include <utility>
#include <vector>

#include "common/win/file_io.h"
#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/instance.h"
#include "media/bmp_layout.h"
#include "services/error_box.h"

namespace {

constexpr char kOpenError[] = "Bmp File Open Error";
constexpr char kHeaderReadError[] = "Bmp File Header Read Error";
constexpr char kNotFormat[] = "Bmp File Not Format";
constexpr char kOverMemory[] = "over Memory";
constexpr char kReadFail[] = "Bmp File Read Fail";
constexpr char kPaletteMemoryOver[] = "Palette memory over";

constexpr WORD kPaletteVersion = 0x300;

struct ImageSlot {
  unsigned char fileHeader[bmp::kFileHeaderSize] = {};
  win::LockedGlobalMemory block;  // everything of the file after its 14-byte header
  bmp::DibLayout layout;

  bool Loaded() const { return static_cast<bool>(block); }
  std::span<const unsigned char> Bytes() const { return {block.data(), block.size()}; }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(block.data()); }
  const BITMAPINFOHEADER* Header() const { return reinterpret_cast<const BITMAPINFOHEADER*>(block.data()); }
  const void* Bits() const { return block.data() + layout.bitsOffset; }
};

struct ImageStore {
  ImageSlot slots[kImageSlots];
  win::UniquePalette sharedPalette;
  win::LockedGlobalMemory sharedPaletteMemory;  // the description the shared palette was made from
};

ImageStore& Store() {
  static ImageStore store;
  return store;
}

const ImageSlot* LoadedSlot(int slot) {
  if (slot < 0 || slot >= kImageSlots || !Store().slots[slot].Loaded()) {
    return nullptr;
  }
  return &Store().slots[slot];
}

// Fills a palette description (version, count, then red, green, blue and
// flags 0 per entry) from a DIB's colour table.
void FillPaletteDescription(unsigned char* description, std::span<const unsigned char> dib,
                            const bmp::DibLayout& layout) {
  auto* palette = reinterpret_cast<LOGPALETTE*>(description);
  palette->palVersion = kPaletteVersion;
  palette->palNumEntries = static_cast<WORD>(layout.colourCount);
  for (std::uint32_t i = 0; i < layout.colourCount; ++i) {
    const bmp::Rgb colour = bmp::ColourTableEntry(dib, layout, i);
    palette->palPalEntry[i] = PALETTEENTRY{colour.red, colour.green, colour.blue, 0};
  }
}

SIZE_T PaletteDescriptionSize(std::uint32_t count) {
  return 8 + 4 * static_cast<SIZE_T>(count);
}

void BuildSharedPalette(HWND owner, const ImageSlot& slot) {
  if (slot.layout.colourCount == 0) {
    return;
  }
  win::LockedGlobalMemory description(PaletteDescriptionSize(slot.layout.colourCount));
  if (!description) {
    ErrorBox(owner, kPaletteMemoryOver);
    return;
  }
  FillPaletteDescription(description.data(), slot.Bytes(), slot.layout);
  win::UniquePalette palette(CreatePalette(reinterpret_cast<const LOGPALETTE*>(description.data())));
  if (!palette) {
    return;
  }
  // The palette it replaces is released with its description.
  ImageStore& store = Store();
  store.sharedPalette = std::move(palette);
  store.sharedPaletteMemory = std::move(description);
}

class BmpFile {
 public:
  explicit BmpFile(const char* path) : file_(_lopen(path, OF_READ)) {}
  ~BmpFile() {
    if (IsOpen()) {
      _lclose(file_);
    }
  }
  BmpFile(const BmpFile&) = delete;
  BmpFile& operator=(const BmpFile&) = delete;

  bool IsOpen() const { return file_ != HFILE_ERROR; }
  UINT Read(void* buffer, UINT count) {
    const UINT got = _lread(file_, buffer, count);
    return got == static_cast<UINT>(HFILE_ERROR) ? 0 : got;
  }
  // Bytes from the current position to the end.
  LONG Remaining() {
    const LONG here = _llseek(file_, 0, FILE_CURRENT);
    const LONG end = _llseek(file_, 0, FILE_END);
    _llseek(file_, here, FILE_BEGIN);
    return here == HFILE_ERROR || end == HFILE_ERROR ? 0 : end - here;
  }

 private:
  HFILE file_;
};

}  // namespace

int ReadBMPFile(HWND owner, const char* path, int slotNumber) {
  if (slotNumber < 0 || slotNumber >= kImageSlots) {
    return 0;
  }
  ImageSlot& slot = Store().slots[slotNumber];
  win::FullPath full;
  if (!win::ResolveFullPath(path, full)) {
    ErrorBox(owner, kOpenError);
    return 0;
  }
  BmpFile file(full.text);
  if (!file.IsOpen()) {
    ErrorBox(owner, kOpenError);
    return 0;
  }
  unsigned char fileHeader[bmp::kFileHeaderSize];
  if (file.Read(fileHeader, sizeof fileHeader) != sizeof fileHeader) {
    ErrorBox(owner, kHeaderReadError);
    return 0;
  }
  const bmp::FileHeader header = bmp::ParseFileHeader(fileHeader);
  if (header.type != bmp::kTypeBM || header.fileSize <= bmp::kFileHeaderSize) {
    ErrorBox(owner, kNotFormat);
    return 0;
  }

  // From here on the slot's earlier picture is replaced, whether or not the
  // new one loads.
  slot.block.reset();
  std::copy(std::begin(fileHeader), std::end(fileHeader), slot.fileHeader);
  const UINT blockSize = header.fileSize - static_cast<UINT>(bmp::kFileHeaderSize);
  if (static_cast<std::uint64_t>(file.Remaining()) < blockSize) {
    ErrorBox(owner, kReadFail);  // the file holds less than its header claims: nothing to allocate for
    return 0;
  }
  win::LockedGlobalMemory block(blockSize);
  if (!block) {
    ErrorBox(owner, kOverMemory);
    return 0;
  }
  if (file.Read(block.data(), blockSize) != blockSize) {
    ErrorBox(owner, kReadFail);
    return 0;
  }
  const std::optional<bmp::DibLayout> layout =
      bmp::ReadDibLayout(std::span<const unsigned char>(block.data(), block.size()), bmp::ColourRule::kFile);
  if (!layout) {
    ErrorBox(owner, kNotFormat);
    return 0;
  }
  slot.block = std::move(block);
  slot.layout = *layout;
  BuildSharedPalette(owner, slot);
  return 1;
}

win::UniqueBitmap CreateImageBitmap(int slotNumber) {
  const ImageSlot* slot = LoadedSlot(slotNumber);
  if (slot == nullptr) {
    return {};
  }
  // On a 256-colour display a device bitmap holds palette indices: made
  // through the default palette it would keep only the 20 static colours, so
  // the shared palette is realized first (as each button face's is).
  win::WindowDc screen(nullptr);
  win::RealizedPalette selected(screen.get(), Store().sharedPalette.get(), false);
  return win::UniqueBitmap(
      CreateDIBitmap(screen.get(), slot->Header(), CBM_INIT, slot->Bits(), slot->Info(), DIB_RGB_COLORS));
}

std::uint16_t ImageColourCount(int slotNumber) {
  const ImageSlot* slot = LoadedSlot(slotNumber);
  return slot != nullptr ? static_cast<std::uint16_t>(slot->layout.colourCount) : 0;
}

std::uint16_t ImagePaletteSize(int slotNumber) {
  const ImageSlot* slot = LoadedSlot(slotNumber);
  return slot != nullptr ? static_cast<std::uint16_t>(slot->layout.colourCount * slot->layout.entrySize) : 0;
}

const void* ImageBits(int slotNumber) {
  const ImageSlot* slot = LoadedSlot(slotNumber);
  return slot != nullptr ? slot->Bits() : nullptr;
}

std::int32_t ImageWidth(int slotNumber) {
  const ImageSlot* slot = LoadedSlot(slotNumber);
  return slot != nullptr ? slot->layout.width : 0;
}

std::int32_t ImageHeight(int slotNumber) {
  const ImageSlot* slot = LoadedSlot(slotNumber);
  return slot != nullptr ? slot->layout.height : 0;
}

void DrawImageStretched(HDC dc, int x, int y, int width, int height, int slotNumber) {
  ImageStore& store = Store();
  const win::RealizedPalette selected(dc, store.sharedPalette.get(), true);
  SetStretchBltMode(dc, COLORONCOLOR);
  const ImageSlot* slot = LoadedSlot(slotNumber);
  if (slot == nullptr) {
    return;
  }
  StretchDIBits(dc, x, y, width, height, 0, 0, slot->layout.width, static_cast<int>(slot->layout.AbsHeight()),
                slot->Bits(), slot->Info(), DIB_RGB_COLORS, SRCCOPY);
}

HPALETTE SharedImagePalette() {
  return Store().sharedPalette.get();
}

void FreeImage(int slotNumber) {
  if (slotNumber >= 0 && slotNumber < kImageSlots) {
    Store().slots[slotNumber].block.reset();
  }
}

void FreeAllImages() {
  for (int slot = 0; slot < kImageSlots; ++slot) {
    FreeImage(slot);
  }
  Store().sharedPaletteMemory.reset();
}

namespace {

// A palette from a DIB whose layout has been checked; empty without a colour table.
win::UniquePalette PaletteFromLayout(std::span<const unsigned char> dib, const bmp::DibLayout& layout) {
  if (layout.colourCount == 0) {
    return {};
  }
  win::LockedGlobalMemory description(PaletteDescriptionSize(layout.colourCount));
  if (!description) {
    return {};
  }
  FillPaletteDescription(description.data(), dib, layout);
  return win::UniquePalette(CreatePalette(reinterpret_cast<const LOGPALETTE*>(description.data())));
}

}  // namespace

win::UniquePalette CreatePaletteFromHeader(const BITMAPINFOHEADER* header, std::uint32_t* count) {
  // The caller vouches for the header and its full colour table (a resource
  // whose layout has been checked); nothing past the table is read.
  const bool core = header->biSize == bmp::kCoreHeaderSize;
  const WORD bits = core ? reinterpret_cast<const BITMAPCOREHEADER*>(header)->bcBitCount : header->biBitCount;
  bmp::DibLayout table;
  table.colourCount = bits <= 8 ? (1u << bits) : 0;
  table.colourTableOffset = header->biSize;
  table.entrySize = core ? 3 : 4;
  if (count != nullptr) {
    *count = table.colourCount;
  }
  const std::size_t size = header->biSize + static_cast<std::size_t>(table.colourCount) * table.entrySize;
  return PaletteFromLayout(
      std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(header), size), table);
}

win::UniqueBitmap LoadBitmapResource(HINSTANCE instance, int resource, win::UniquePalette* palette) {
  const std::span<const unsigned char> dib = win::ResourceBytes(instance, RT_BITMAP, resource);
  const unsigned char* data = dib.data();
  const std::optional<bmp::DibLayout> layout = bmp::ReadDibLayout(dib, bmp::ColourRule::kResource);
  if (!layout) {
    return {};
  }
  // The layout check has made sure the whole colour table lies in the resource.
  std::uint32_t count = 0;
  win::UniquePalette built = CreatePaletteFromHeader(reinterpret_cast<const BITMAPINFOHEADER*>(data), &count);
  win::UniqueBitmap bitmap;
  {
    win::WindowDc screen(nullptr);
    win::RealizedPalette selected(screen.get(), built.get(), false);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(data);
    bitmap.reset(CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, data + layout->bitsOffset, info,
                                DIB_RGB_COLORS));
  }
  if (palette != nullptr) {
    *palette = std::move(built);
  }
  return bitmap;
}

OwnedFace LoadFace(HINSTANCE instance, int resource) {
  OwnedFace face;
  face.bitmap = LoadBitmapResource(instance, resource, &face.palette);
  face.size = win::BitmapSize(face.bitmap.get());
  return face;
}
