#include "tests/e2e/driver/driver.h"

#include "tests/e2e/driver/places.h"

#include <vector>

#include "common/win/gdi.h"
#include "tests/support/canvas.h"
#include "tests/support/owners.h"

namespace e2e {

namespace {

// The mean channel difference between what the screen shows at client points
// of `window` and the colours wanted there; 255 when no point is given.
double ScreenDistance(HWND window, const std::vector<POINT>& points,
                      const std::function<COLORREF(POINT)>& wanted) {
  const win::WindowDc screen(nullptr);
  long total = 0;
  for (const POINT& point : points) {
    const POINT at = ClientToScreenPoint(window, point.x, point.y);
    const COLORREF shown = GetPixel(screen.get(), at.x, at.y);
    const COLORREF want = wanted(point);
    total += std::abs(GetRValue(shown) - GetRValue(want)) + std::abs(GetGValue(shown) - GetGValue(want)) +
             std::abs(GetBValue(shown) - GetBValue(want));
  }
  return points.empty() ? 255 : static_cast<double>(total) / (3.0 * static_cast<double>(points.size()));
}

// The inner points of a grid of `cells` x `cells` over a width and height.
std::vector<POINT> Grid(int width, int height, int cells) {
  std::vector<POINT> points;
  for (int gx = 1; gx < cells; ++gx) {
    for (int gy = 1; gy < cells; ++gy) {
      points.push_back(POINT{width * gx / cells, height * gy / cells});
    }
  }
  return points;
}

// Whether the stage shows a menu button, normal or under the pointer.
bool MenuButtonShows(HWND stage, const place::Button& button, milliseconds timeout) {
  const int normal = button.faces + place::kNormal, lit = button.faces + place::kLit;
  const Face face(normal);
  const POINT centre{button.corner.x + face.width() / 2, button.corner.y + face.height() / 2};
  return ShowsFace(stage, centre, {normal, lit}, timeout);
}

bool SwitchMenu(HWND stage, POINT click, const place::Button& shows) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    LeftClickInClient(stage, click);
    if (MenuButtonShows(stage, shows, milliseconds(attempt < 2 ? 2500 : 5000))) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string SavePicture(const std::string& name, const support::Canvas& canvas) {
  const std::string path = ArtifactsFolder() + "\\" + name + "-" + std::to_string(ScreenDepth()) + "bpp.bmp";
  WriteFileBytes(path, canvas.BmpFile());
  return path;
}

std::string SaveScreenshot(const std::string& name) {
  support::Canvas canvas(ScreenWidth(), ScreenHeight());
  canvas.CopyFrom(win::WindowDc(nullptr).get());
  return SavePicture(name, canvas);
}

int ScreenDepth() {
  return GetDeviceCaps(win::WindowDc(nullptr).get(), BITSPIXEL);
}

COLORREF ScreenPixel(int x, int y) {
  return GetPixel(win::WindowDc(nullptr).get(), x, y);
}

Face::Face(int resource) {
  const support::UniqueModule module(
      LoadLibraryExA((GameFolder() + "\\Quil3D.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  // Made the way the launcher makes its faces: the face's own palette is
  // realized on the screen, then the device bitmap is made through it.
  HRSRC found = module ? FindResourceA(module.get(), MAKEINTRESOURCEA(resource), RT_BITMAP) : nullptr;
  const auto* info = found != nullptr
                         ? static_cast<const BITMAPINFO*>(LockResource(LoadResource(module.get(), found)))
                         : nullptr;
  if (info != nullptr && info->bmiHeader.biBitCount <= 8) {
    const int colours = 1 << info->bmiHeader.biBitCount;
    std::vector<unsigned char> description(8 + 4 * colours);
    auto* palette = reinterpret_cast<LOGPALETTE*>(description.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours);
    for (int c = 0; c < colours; ++c) {
      palette->palPalEntry[c] = {info->bmiColors[c].rgbRed, info->bmiColors[c].rgbGreen,
                                 info->bmiColors[c].rgbBlue, 0};
    }
    const win::UniquePalette logical(CreatePalette(palette));
    const win::WindowDc screen(nullptr);
    const win::RealizedPalette realized(screen.get(), logical.get(), false);
    const auto* bits = reinterpret_cast<const unsigned char*>(info) + info->bmiHeader.biSize + 4 * colours;
    bitmap_.reset(CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
  }
  if (!bitmap_) {
    return;
  }
  const SIZE size = win::BitmapSize(bitmap_.get());
  width_ = size.cx;
  height_ = size.cy;
  dc_.reset(CreateCompatibleDC(nullptr));
  selected_.emplace(dc_.get(), bitmap_.get());
}

COLORREF Face::Pixel(int x, int y) const {
  return dc_ ? GetPixel(dc_.get(), x, y) : CLR_INVALID;
}

bool ShowsFace(HWND window, POINT centre, std::initializer_list<int> resources, milliseconds timeout) {
  return WaitUntil(
      [&] {
        for (const int resource : resources) {
          const Face face(resource);
          if (FaceDistance(window, centre.x - face.width() / 2, centre.y - face.height() / 2, face) < 40) {
            return true;
          }
        }
        return false;
      },
      timeout);
}

bool DialogInPlace(HWND dialog, POINT centre, std::initializer_list<int> resources, POINT belongs) {
  if (ShowsFace(dialog, centre, resources)) {
    return true;
  }
  SetWindowPos(dialog, nullptr, belongs.x, belongs.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return ShowsFace(dialog, centre, resources);
}

POINT SettingsDialogPlace(HWND stage, HWND dialog, int heightUnits) {
  RECT client = {};
  GetClientRect(dialog, &client);
  RECT corner = {};
  GetWindowRect(stage, &corner);
  return POINT{corner.left + MulDiv(144, client.right, 140),
               corner.top + MulDiv(31, client.bottom, heightUnits)};
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

double FaceDistance(HWND window, int left, int top, const Face& face, int clipBottom) {
  if (face.width() < 8 || face.height() < 8) {
    return 255;
  }
  std::vector<POINT> points;
  for (POINT point : Grid(face.width(), face.height(), 8)) {
    if (top + point.y < clipBottom) {
      points.push_back(POINT{left + point.x, top + point.y});
    }
  }
  return ScreenDistance(window, points, [&](POINT at) { return face.Pixel(at.x - left, at.y - top); });
}

bool ShowsFaceRatherThan(HWND window, POINT centre, int resource, int other, milliseconds timeout) {
  return WaitUntil(
      [&] {
        const Face shown(resource), alternative(other);
        const int left = centre.x - shown.width() / 2, top = centre.y - shown.height() / 2;
        std::vector<POINT> points;
        for (int y = 0; y < shown.height() && y < alternative.height(); ++y) {
          for (int x = 0; x < shown.width() && x < alternative.width(); ++x) {
            if (shown.Pixel(x, y) != alternative.Pixel(x, y)) {
              points.push_back(POINT{left + x, top + y});
            }
          }
        }
        const auto distance = [&](const Face& face) {
          return ScreenDistance(window, points,
                                [&](POINT at) { return face.Pixel(at.x - left, at.y - top); });
        };
        return !points.empty() && distance(shown) < distance(alternative);
      },
      timeout);
}

Picture::Picture(const std::string& path, int width, int height) {
  const win::UniqueBitmap file(
      static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!file) {
    return;
  }
  const SIZE size = win::BitmapSize(file.get());
  const win::WindowDc screen(nullptr);
  dc_ = win::CompatibleMemoryDc(screen.get());
  const win::UniqueMemoryDc source = win::CompatibleMemoryDc(screen.get());
  bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
  selected_.emplace(dc_.get(), bitmap_.get());
  const win::SelectGuard from(source.get(), file.get());
  SetStretchBltMode(dc_.get(), COLORONCOLOR);
  StretchBlt(dc_.get(), 0, 0, width, height, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
}

COLORREF Picture::Pixel(int x, int y) const {
  return GetPixel(dc_.get(), x, y);
}

double PictureDistance(HWND window, int width, int height, const Picture& picture) {
  return ScreenDistance(window, Grid(width, height, 16), [&](POINT at) { return picture.Pixel(at.x, at.y); });
}

bool ToOptionsMenu(HWND stage) {
  return SwitchMenu(stage, place::kOption, place::kCloseOptionsButton);
}

bool ToMainMenu(HWND stage) {
  return SwitchMenu(stage, place::kCloseOptions, place::kStartGameButton);
}

bool MainMenuShows(HWND stage, milliseconds timeout) {
  return MenuButtonShows(stage, place::kStartGameButton, timeout);
}

}  // namespace e2e
