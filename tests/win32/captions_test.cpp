// The caption file, the caption font and the green captions on a real device:
// fonts checked through their LOGFONTs, captions through the pixels they
// leave in a window the size of the audio and video dialogs.
#include "ui/captions.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/bounded_text.h"
#include "common/win/handles.h"
#include "tests/support/canvas.h"
#include "tests/win32/in_process.h"

namespace {

constexpr int kDialogWidth = 280;
constexpr int kDialogHeight = 344;
constexpr char kFace[] = "DejaVu Sans";

LOGFONTA LogFontOf(HFONT font) {
  LOGFONTA logFont = {};
  EXPECT_EQ(GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
  return logFont;
}

// A black captionless pop-up the size of the settings dialogs.
class DialogStandIn {
 public:
  DialogStandIn() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "CaptionsTestDialog";
    RegisterClassA(&windowClass);
    window_.reset(CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 40, 40,
                                  kDialogWidth, kDialogHeight, nullptr, nullptr, windowClass.hInstance,
                                  nullptr));
    UpdateWindow(window_.get());
    HandleQueuedMessages();  // the background painted before a capture
  }

  HWND get() const { return window_.get(); }
  // Copies the client area onto a canvas of the dialog's size.
  void Capture(support::Canvas& canvas) const { canvas.CopyFrom(win::WindowDc(get()).get()); }
  // One of its device context's facts (GetDeviceCaps).
  int Caps(int index) const { return GetDeviceCaps(win::WindowDc(get()).get(), index); }

 private:
  support::UniqueWindow window_;
};

// What drawing changed, by caption line: the line whose top is the nearest
// above each changed pixel (the tops rise in order).
struct Changes {
  std::vector<int> pureGreenByLine;
  int notGreen = 0, leftOfCaptions = 0, aboveFirstLine = 0, rightmost = 0;
};

Changes Compare(const support::Canvas& before, const support::Canvas& after,
                const std::vector<int>& lineTops) {
  Changes changes;
  changes.pureGreenByLine.assign(lineTops.size(), 0);
  const std::uint32_t* was = before.bits();
  const std::uint32_t* now = after.bits();
  for (int y = 0; before && after && y < kDialogHeight; ++y) {
    for (int x = 0; x < kDialogWidth; ++x) {
      const std::uint32_t pixel = now[y * kDialogWidth + x] & 0xFFFFFF;
      if (pixel == (was[y * kDialogWidth + x] & 0xFFFFFF)) {
        continue;
      }
      changes.notGreen += (pixel & 0xFF00FF) != 0;
      changes.leftOfCaptions += x < 22;
      changes.rightmost = std::max(changes.rightmost, x);
      const int line =
          static_cast<int>(std::upper_bound(lineTops.begin(), lineTops.end(), y) - lineTops.begin()) - 1;
      if (line < 0) {
        ++changes.aboveFirstLine;
      } else if (pixel == 0x00FF00) {
        ++changes.pureGreenByLine[line];
      }
    }
  }
  return changes;
}

// What `draw` changes on a fresh stand-in; the picture it leaves in `after`.
Changes DrawnBy(void (*draw)(HWND), const std::vector<int>& lineTops, support::Canvas& after) {
  DialogStandIn dialog;
  support::Canvas before(kDialogWidth, kDialogHeight);
  dialog.Capture(before);
  draw(dialog.get());
  dialog.Capture(after);
  return Compare(before, after, lineTops);
}

class Captions : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = CaptionText(); }
  void TearDown() override { CaptionText() = saved_; }

  static void SetCaptions(const char* face, int height, const std::vector<const char*>& audio,
                          const std::vector<const char*>& video) {
    CaptionTexts& texts = CaptionText();
    texts = CaptionTexts();
    text::CopyBounded(texts.faceName, face);
    texts.fontHeight = height;
    for (std::size_t i = 0; i < audio.size(); ++i) {
      text::CopyBounded(texts.audio[i], audio[i]);
    }
    for (std::size_t i = 0; i < video.size(); ++i) {
      text::CopyBounded(texts.video[i], video[i]);
    }
  }

 private:
  CaptionTexts saved_;
};

TEST_F(Captions, TheShippedFileIsReadAndAMissingOneKeepsTheStore) {
  const std::string folder = e2e::GameFolder();
  ASSERT_FALSE(folder.empty()) << "QUIL_GAME_DIR is not set";
  CaptionText() = CaptionTexts();
  EXPECT_EQ(ReadCaptionFile((folder + "\\info\\String.dat").c_str()), 1);
  const CaptionTexts shipped = CaptionText();
  EXPECT_NE(shipped.faceName[0], '\0');
  EXPECT_NE(shipped.audio[0][0], '\0');
  EXPECT_NE(shipped.fileErrorText[0], '\0');

  EXPECT_EQ(ReadCaptionFile((folder + "\\info\\NoSuch.dat").c_str()), 0);
  EXPECT_STREQ(CaptionText().faceName, shipped.faceName) << "a file that cannot be opened changes nothing";
  EXPECT_STREQ(CaptionText().fileErrorText, shipped.fileErrorText);

  // Relative to the current folder, as the stage passes it.
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  CaptionText() = CaptionTexts();
  EXPECT_EQ(ReadCaptionFile(".\\info\\String.dat"), 1);
  EXPECT_STREQ(CaptionText().audio[1], shipped.audio[1]);
  SetCurrentDirectoryA(previous);
}

// A height in tenths of a point (less 5 as drawn); a width asks for the
// average character to be px / py of the natural one.
TEST_F(Captions, FontSizesFromTenthsOfAPointAndTheAverageCharacter) {
  DialogStandIn dialog;
  ASSERT_EQ(dialog.Caps(LOGPIXELSY), 96) << "the expected heights are for 96 pixels per inch";
  const win::UniqueFont natural(CreateCaptionFont(dialog.get(), kFace, 95, 0, 0, 1));
  ASSERT_TRUE(natural);
  TEXTMETRICA metrics = {};
  {
    const win::WindowDc dc(dialog.get());
    const win::SelectGuard select(dc.get(), natural.get());
    GetTextMetricsA(dc.get(), &metrics);
  }
  ASSERT_GT(metrics.tmAveCharWidth, 0);
  const struct Case {
    int fileHeight, width;
    LONG height;
    int px;
  } cases[] = {{90, 0, -13, 0},    {100, 0, -14, 0},    {120, 0, -17, 0},   {0, 0, -1, 0},
               {90, 80, -13, 106}, {90, -80, -13, 106}, {90, 160, -13, 213}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fileHeight << " by " << c.width);
    const win::UniqueFont font(CreateCaptionFont(dialog.get(), kFace, c.fileHeight + 5, c.width, 0, 1));
    ASSERT_TRUE(font);
    const LOGFONTA logFont = LogFontOf(font.get());
    EXPECT_EQ(logFont.lfHeight, c.height);
    EXPECT_EQ(logFont.lfWidth, c.px * metrics.tmAveCharWidth / 126);
  }
}

TEST_F(Captions, FontAttributesAndFace) {
  DialogStandIn dialog;
  const struct Case {
    int attributes;
    LONG weight;
    BYTE italic, underline, strikeOut;
  } cases[] = {
      {0, 0, 0, 0, 0},
      {kCaptionBold, FW_BOLD, 0, 0, 0},
      {kCaptionItalic | kCaptionStrikeOut, 0, 1, 0, 1},
      {kCaptionBold | kCaptionItalic | kCaptionUnderline | kCaptionStrikeOut, FW_BOLD, 1, 1, 1},
  };
  for (const Case& c : cases) {
    const win::UniqueFont font(CreateCaptionFont(dialog.get(), kFace, 100, 0, c.attributes, 1));
    ASSERT_TRUE(font);
    const LOGFONTA d = LogFontOf(font.get());
    EXPECT_EQ((std::vector<LONG>{d.lfWeight, d.lfItalic, d.lfUnderline, d.lfStrikeOut}),
              (std::vector<LONG>{c.weight, c.italic, c.underline, c.strikeOut}))
        << c.attributes;
    EXPECT_EQ(d.lfCharSet, ANSI_CHARSET);
    EXPECT_STREQ(d.lfFaceName, kFace);
  }
  const std::string longFace(49, 'F');
  const win::UniqueFont font(CreateCaptionFont(dialog.get(), longFace.c_str(), 100, 0, 0, 1));
  ASSERT_TRUE(font);
  EXPECT_EQ(std::string(LogFontOf(font.get()).lfFaceName), std::string(31, 'F'));
}

TEST_F(Captions, ThePhysicalResolutionComesFromTheScreenSize) {
  DialogStandIn dialog;
  const double dpi = 25.4 * dialog.Caps(VERTRES) / dialog.Caps(VERTSIZE);
  const win::UniqueFont font(CreateCaptionFont(dialog.get(), kFace, 720, 0, 0, 0));
  ASSERT_TRUE(font);
  // 72 points: one inch, so the height is about the physical pixels per inch.
  EXPECT_NEAR(-LogFontOf(font.get()).lfHeight, dpi, 1.0);
}

TEST_F(Captions, CaptionsAreGreenAtTheirPlacesAndAnEmptyOneDrawsNothing) {
  const struct Case {
    const char* what;
    void (*draw)(HWND);
    std::vector<const char*> audio, video;
    std::vector<int> lineTops;  // each caption's place, then a line well below the last
    std::vector<bool> drawn;
  } cases[] = {
      {"audio",
       DrawAudioCaptions,
       {"Music volume", "Sound effects"},
       {"not", "drawn", "here"},
       {53, 133, 163},
       {true, true, false}},
      {"video",
       DrawVideoCaptions,
       {"not", "here"},
       {"3D graphics driver", "Display mode", "Calibration"},
       {20, 93, 162, 192},
       {true, true, true, false}},
      {"video, the middle one empty",
       DrawVideoCaptions,
       {},
       {"3D graphics driver", "", "Calibration"},
       {20, 93, 162, 192},
       {true, false, true, false}},
      {"audio, all empty", DrawAudioCaptions, {}, {"not", "here"}, {53, 133, 163}, {false, false, false}},
  };
  for (const Case& c : cases) {
    SetCaptions(kFace, 100, c.audio, c.video);
    support::Canvas after(kDialogWidth, kDialogHeight);
    const Changes changes = DrawnBy(c.draw, c.lineTops, after);
    EXPECT_EQ((std::vector<int>{changes.notGreen, changes.leftOfCaptions, changes.aboveFirstLine}),
              (std::vector<int>{0, 0, 0}))
        << c.what << ": pixels not green, left of the captions, above the first";
    for (std::size_t line = 0; line < c.drawn.size(); ++line) {
      EXPECT_EQ(changes.pureGreenByLine[line] > 20, c.drawn[line]) << c.what << ", line " << line;
    }
  }
}

// With the shipped captions, as the dialogs will show them; the picture goes to
// the artefacts folder.
TEST_F(Captions, TheShippedCaptionsFitTheDialogs) {
  ASSERT_EQ(ReadCaptionFile((e2e::GameFolder() + "\\info\\String.dat").c_str()), 1);
  for (const bool audio : {true, false}) {
    support::Canvas after(kDialogWidth, kDialogHeight);
    const Changes changes = DrawnBy(audio ? DrawAudioCaptions : DrawVideoCaptions, {0}, after);
    EXPECT_GT(changes.rightmost, 80);
    EXPECT_LT(changes.rightmost, kDialogWidth - 20) << "clear of the dialog's right edge";
    e2e::SavePicture(std::string("captions-") + (audio ? "audio" : "video"), after);
  }
}

}  // namespace
