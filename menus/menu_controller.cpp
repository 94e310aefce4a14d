#include "menus/menu_controller.h"

#include <algorithm>
#include <cstdlib>

#include "common/win/gdi.h"
#include "howto/howto_dialog.h"
#include "media/image_store.h"
#include "services/error_box.h"
#include "services/web_pages.h"
#include "settings/audio/audio_dialog.h"
#include "settings/input/input_dialog.h"

namespace {

constexpr DWORD kQuitPause = 300;  // ms between QUIT's click sound and its pressed face
constexpr int kPictureBandRows = 60;

struct MenuPicture {
  const char* file;
  const char* failureText;
};

// Picture n goes into image slot n: the two menus, then the dialogs' pictures.
constexpr MenuPicture kMenuPictures[] = {
    {".\\resource\\background\\MainBK.bmp", "ReadBMPFile 1"},
    {".\\resource\\background\\OptionBK.bmp", "ReadBMPFile 2"},
    {".\\resource\\background\\inputBK.bmp", "ReadBMPFile 3"},
    {".\\resource\\background\\smallwin.bmp", "ReadBMPFile 4"},
    {".\\resource\\background\\smallwin.bmp", "ReadBMPFile 5"},
    {".\\resource\\background\\how1.bmp", "ReadBMPFile 6"},
    {".\\resource\\background\\how2.bmp", "ReadBMPFile 7"},
    {".\\resource\\background\\how3.bmp", "ReadBMPFile 8"},
};

constexpr ButtonSpec kMainMenuTable[] = {
    {BTN_START_GAME, {273, 86, 417, 171}, IDB_START_GAME, CMD_START_GAME},
    {BTN_NETWORK_GAME, {5, 145, 204, 230}, IDB_NETWORK_GAME, 0, false},  // drawn only
    {BTN_OPTION, {484, 297, 634, 358}, IDB_OPTION, CMD_OPTIONS_MENU},
    {BTN_QUIT, {465, 145, 634, 230}, IDB_QUIT, CMD_HOME_PAGE, true, kQuitPause},
};

constexpr ButtonSpec kOptionsMenuTable[] = {
    {BTN_SETUP_INPUT, {17, 67, 206, 102}, IDB_SETUP_INPUT, CMD_INPUT_SETTINGS},
    {BTN_AUDIO_CALIBRATION, {17, 127, 206, 162}, IDB_AUDIO_CALIBRATION, CMD_AUDIO_SETTINGS},
    {BTN_VIDEO_CALIBRATION, {17, 187, 206, 222}, IDB_VIDEO_CALIBRATION, CMD_VIDEO_SETTINGS},
    {BTN_HOW_TO_PLAY, {17, 247, 206, 282}, IDB_HOW_TO_PLAY, CMD_HOW_TO_PLAY},
    {BTN_CLOSE_OPTIONS, {17, 307, 206, 342}, IDB_CLOSE_OPTIONS, CMD_MAIN_MENU},
};

// Copies a menu picture at its own size from the top left corner of the
// client area, no further than the client area grown by the extra width and
// height, through the shared palette realized in the foreground. The copy
// goes in bands of rows: the platform converts what one call draws into the
// screen's format in a buffer of its own, and a whole picture's would add a
// megabyte to the launcher's peak memory (as a device bitmap of it would).
void DrawMenuPicture(HDC dc, const RECT& client, int picture, int extraWidth, int extraHeight) {
  SetBkMode(dc, TRANSPARENT);
  const int width = client.right + extraWidth;
  const int height = client.bottom + extraHeight;
  if (ImageBits(picture) == nullptr) {
    // A picture that failed to load: black, never the other menu's picture
    // with its buttons standing dead on it.
    BitBlt(dc, client.left, client.top, width, height, nullptr, 0, 0, BLACKNESS);
    return;
  }
  const win::RealizedPalette foreground(dc, SharedImagePalette(), false);
  for (int top = 0; top < height; top += kPictureBandRows) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top + top, client.left + width,
                      client.top + std::min(height, top + kPictureBandRows));
    DrawImageStretched(dc, client.left, client.top, ImageWidth(picture), std::abs(ImageHeight(picture)),
                       picture);
    RestoreDC(dc, saved);
  }
}

}  // namespace

// The whole 640 x 480 picture: the part beyond the client area is clipped.
void DrawMainMenuBackground(HDC dc, const RECT& client) {
  DrawMenuPicture(dc, client, image_slot::kMainMenu, 2, 2);
}

void DrawOptionsMenuBackground(HDC dc, const RECT& client) {
  DrawMenuPicture(dc, client, image_slot::kOptionsMenu, 0, 0);
}

// The menus keep their faces' palettes for the run and take the hover point
// from the cursor; only the main menu draws each face with its own palette.
// No device bitmap of a picture is made: each is drawn from its slot.
MenuController::MenuController(HWND owner, HINSTANCE instance)
    : instance_(instance),
      mainMenu_(MakeButtonSet(kMainMenuTable, {.hoverSound = kHoverSound,
                                               .clickSound = kClickSound,
                                               .paletteForEachFaceWhenDrawingAll = true,
                                               .hoverPoint = HoverPoint::kCursor})),
      optionsMenu_(MakeButtonSet(
          kOptionsMenuTable,
          {.hoverSound = kHoverSound, .clickSound = kClickSound, .hoverPoint = HoverPoint::kCursor})) {
  for (int n = 1; n <= static_cast<int>(std::size(kMenuPictures)); ++n) {
    if (ReadBMPFile(owner, kMenuPictures[n - 1].file, n) == 0) {
      ErrorBox(owner, kMenuPictures[n - 1].failureText);
    }
  }
  SetUpButtonSet(mainMenu_, instance);
}

void MenuController::RepaintMenuScreen(HWND stage) {
  if (screenState_ != kMainMenuScreen && screenState_ != kOptionsMenuScreen) {
    return;
  }
  RECT client = {};
  GetClientRect(stage, &client);
  const win::WindowDc dc(stage);
  if (!dc) {
    return;
  }
  const bool main = MainMenuActive();
  (main ? DrawMainMenuBackground : DrawOptionsMenuBackground)(dc.get(), client);
  DrawAllButtons(main ? mainMenu_ : optionsMenu_, stage);
}

void MenuController::TrackHover(HWND stage) {
  if (MainMenuActive()) {
    TrackButtonHover(mainMenu_, stage, POINT{});  // the set reads the cursor
  }
  if (OptionsMenuActive()) {
    TrackButtonHover(optionsMenu_, stage, POINT{});
  }
}

void MenuController::ShowScreen(std::int32_t screen, HWND stage) {
  screenState_ = screen;
  RepaintMenuScreen(stage);
}

int MenuController::ClickMainMenu(HWND stage, int x, int y) {
  const int command = PressButton(mainMenu_, stage, x, y);
  if (command == CMD_OPTIONS_MENU) {
    SetUpButtonSet(optionsMenu_, instance_);
    ShowScreen(kOptionsMenuScreen, stage);
  } else if (command == CMD_HOME_PAGE) {
    OpenHomePage(stage);
    PostMessageA(stage, WM_CLOSE, 0, 0);  // closes even when no browser could be started
  }
  return command;
}

// Each dialog opens over what the launcher keeps for its run and gives back
// what it keeps from then on; the options menu is drawn again after it.
int MenuController::ClickOptionsMenu(HWND stage, int x, int y) {
  const int command = PressButton(optionsMenu_, stage, x, y);
  switch (command) {
    case CMD_INPUT_SETTINGS:
      kept_.input = OpenInputSettingsDialog(stage, instance_, kept_.input);
      break;
    case CMD_AUDIO_SETTINGS:
      kept_.audio = AudioSettingsDialog(stage, instance_, kept_.audio, kept_.music);
      break;
    case CMD_VIDEO_SETTINGS:
      kept_.video = VideoCalibrationDialog(stage, instance_, kept_.video);
      break;
    case CMD_HOW_TO_PLAY:
      kept_.howToPlayPage = HowToPlayDialog(stage, instance_, kept_.howToPlayPage);
      break;
    case CMD_MAIN_MENU:
      ShowScreen(kMainMenuScreen, stage);
      return command;
    default:
      return command;
  }
  RepaintMenuScreen(stage);
  return command;
}

void MenuController::Release() {
  ReleaseButtonSet(mainMenu_);
  ReleaseButtonSet(optionsMenu_);
}
