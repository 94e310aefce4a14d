#include "ui/captions.h"

#include <cstring>
#include <string>

#include "common/bounded_text.h"
#include "common/win/file_io.h"
#include "common/win/handles.h"

namespace {

constexpr COLORREF kCaptionColour = RGB(0, 255, 0);

struct CaptionPlace {
  int x;
  int y;
  const char* text;
  std::size_t capacity;
};

// Saves a device context's state and restores it when it goes.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc) != 0) {}
  ~SavedDcState() {
    if (saved_) {
      RestoreDC(dc_, -1);
    }
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  bool saved_;
};

captions::DeviceMetrics MetricsOf(HDC dc) {
  captions::DeviceMetrics metrics;
  metrics.logPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
  metrics.logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
  metrics.horzRes = GetDeviceCaps(dc, HORZRES);
  metrics.horzSize = GetDeviceCaps(dc, HORZSIZE);
  metrics.vertRes = GetDeviceCaps(dc, VERTRES);
  metrics.vertSize = GetDeviceCaps(dc, VERTSIZE);
  return metrics;
}

// The font is made afresh for every draw and deleted at its end.
template <std::size_t N>
void DrawCaptions(HWND dialog, const CaptionPlace (&places)[N]) {
  const win::WindowDc dc(dialog);
  if (!dc) {
    return;
  }
  const CaptionTexts& texts = CaptionText();
  const win::UniqueFont font(CreateCaptionFont(
      dialog, texts.faceName, captions::DrawnCaptionHeight(texts.fontHeight), texts.fontWidth, 0, 1));
  const win::SelectGuard selected(dc.get(), font.get());
  SetTextColor(dc.get(), kCaptionColour);
  SetBkMode(dc.get(), TRANSPARENT);
  for (const CaptionPlace& place : places) {
    const std::size_t length = strnlen(place.text, place.capacity);
    if (length > 0) {
      TextOutA(dc.get(), place.x, place.y, place.text, static_cast<int>(length));
    }
  }
}

}  // namespace

CaptionTexts& CaptionText() {
  static CaptionTexts texts;
  return texts;
}

int ReadCaptionFile(const char* path) {
  win::FullPath fullPath;
  if (path == nullptr || !win::ResolveFullPath(path, fullPath)) {
    return 0;
  }
  std::string bytes;
  if (!win::ReadFileBytes(fullPath.text, bytes)) {
    return 0;
  }
  captions::ParseCaptionFile(bytes, CaptionText());
  return 1;
}

win::UniqueFont CreateCaptionFont(HWND window, const char* face, int height, int width, int attributes,
                                  int logicalResolution) {
  const win::WindowDc dc(window);
  if (!dc) {
    return {};
  }
  const SavedDcState saved(dc.get());
  SetGraphicsMode(dc.get(), GM_ADVANCED);
  ModifyWorldTransform(dc.get(), nullptr, MWT_IDENTITY);
  SetViewportOrgEx(dc.get(), 0, 0, nullptr);
  SetWindowOrgEx(dc.get(), 0, 0, nullptr);

  const captions::FontResolution resolution =
      captions::ResolveFontResolution(logicalResolution != 0, MetricsOf(dc.get()));
  const captions::DevicePoint size = captions::CaptionFontDeviceSize(width, height, resolution);
  POINT point = {size.x, size.y};
  DPtoLP(dc.get(), &point, 1);

  LOGFONTA logFont = {};
  logFont.lfHeight = captions::CaptionFontHeight(point.y);
  logFont.lfWeight = (attributes & kCaptionBold) != 0 ? FW_BOLD : 0;
  logFont.lfItalic = (attributes & kCaptionItalic) != 0 ? 1 : 0;
  logFont.lfUnderline = (attributes & kCaptionUnderline) != 0 ? 1 : 0;
  logFont.lfStrikeOut = (attributes & kCaptionStrikeOut) != 0 ? 1 : 0;
  logFont.lfCharSet = ANSI_CHARSET;
  text::CopyBounded(logFont.lfFaceName, face != nullptr ? face : "");
  win::UniqueFont font(CreateFontIndirectA(&logFont));

  if (width != 0 && font) {
    TEXTMETRICA metrics = {};
    {
      const win::SelectGuard select(dc.get(), font.get());
      GetTextMetricsA(dc.get(), &metrics);
    }
    logFont.lfWidth = captions::CaptionFontWidth(point.x, point.y, metrics.tmAveCharWidth);
    font.reset(CreateFontIndirectA(&logFont));
  }
  return font;
}

void DrawAudioCaptions(HWND dialog) {
  const CaptionTexts& texts = CaptionText();
  const CaptionPlace places[] = {
      {22, 53, texts.audio[0], sizeof texts.audio[0]},
      {22, 133, texts.audio[1], sizeof texts.audio[1]},
  };
  DrawCaptions(dialog, places);
}

void DrawVideoCaptions(HWND dialog) {
  const CaptionTexts& texts = CaptionText();
  const CaptionPlace places[] = {
      {22, 20, texts.video[0], sizeof texts.video[0]},
      {22, 93, texts.video[1], sizeof texts.video[1]},
      {22, 162, texts.video[2], sizeof texts.video[2]},
  };
  DrawCaptions(dialog, places);
}
