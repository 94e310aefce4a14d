#include "menus/menu_controller.h"

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "howto/howto_dialog.h"
#include "services/web_pages.h"
#include "media/image_store.h"
#include "ui/button_set.h"
#include "services/error_box.h"
#include "settings/audio/audio_dialog.h"
#include "settings/input/input_dialog.h"
#include "settings/video/video_dialog.h"
#include "services/first_run_flag.h"

namespace {

constexpr char kHoverSound[] = ".\\sound\\mmove.wav";
constexpr char kClickSound[] = ".\\sound\\mclick.wav";
constexpr DWORD kQuitPause = 300;  // ms between QUIT's click sound and its pressed face

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

struct MenuState {
  std::int32_t screenState = kMainMenuScreen;
  bool mainMenuActive = true;
  bool optionsMenuActive = false;
  win::UniqueBitmap pictureBitmaps[std::size(kMenuPictures) + 1];  // numbered 1 to 8
  // The menus keep their faces' palettes for the run and take the hover point
  // from the cursor; only the main menu draws each face with its own palette.
  ButtonSet mainMenu = MakeButtonSet(kMainMenuTable, {.hoverSound = kHoverSound,
                                                      .clickSound = kClickSound,
                                                      .paletteForEachFaceWhenDrawingAll = true,
                                                      .hoverPoint = HoverPoint::kCursor});
  ButtonSet optionsMenu = MakeButtonSet(
      kOptionsMenuTable,
      {.hoverSound = kHoverSound, .clickSound = kClickSound, .hoverPoint = HoverPoint::kCursor});
};

MenuState& State() {
  static MenuState state;
  return state;
}

void ShowScreen(std::int32_t screen) {
  MenuState& state = State();
  state.screenState = screen;
  state.mainMenuActive = screen == kMainMenuScreen;
  state.optionsMenuActive = screen == kOptionsMenuScreen;
}

// Copies a menu picture, freshly made from its slot, to the client area
// grown by the extra width and height.
void DrawMenuPicture(HDC dc, const RECT& client, int picture, int extraWidth, int extraHeight) {
  win::UniqueMemoryDc memory = win::CompatibleMemoryDc(dc);
  State().pictureBitmaps[picture] = CreateImageBitmap(picture);
  const HBITMAP bitmap = State().pictureBitmaps[picture].get();
  SetBkMode(dc, TRANSPARENT);
  if (!memory || bitmap == nullptr) {
    // A picture that failed to load: black, never the other menu's picture
    // with its buttons standing dead on it.
    BitBlt(dc, client.left, client.top, client.right + extraWidth, client.bottom + extraHeight, nullptr, 0, 0,
           BLACKNESS);
    return;
  }
  win::SelectGuard selected(memory.get(), bitmap);
  BitBlt(dc, client.left, client.top, client.right + extraWidth, client.bottom + extraHeight, memory.get(), 0,
         0, SRCCOPY);
}

void DrawMenuPicture(HWND stage, void (*draw)(HDC, const RECT&)) {
  RECT client = {};
  GetClientRect(stage, &client);
  const win::WindowDc dc(stage);
  if (dc) {
    draw(dc.get(), client);
  }
}

void RedrawOptionsMenu(HWND stage) {
  DrawOptionsMenuBackground(stage);
  DrawAllButtons(State().optionsMenu, stage);
}

}  // namespace

std::int32_t ScreenState() {
  return State().screenState;
}
bool MainMenuActive() {
  return State().mainMenuActive;
}
bool OptionsMenuActive() {
  return State().optionsMenuActive;
}

void SetUpMenus(HWND owner, HINSTANCE instance) {
  LoadMenuPictures(owner);
  SetUpButtonSet(State().mainMenu, instance);
}

// The device bitmaps of the pictures are made when a menu is drawn (each draw
// makes its own afresh); made here as well, they would only cost start-up
// time and memory, most of them never being drawn as bitmaps at all.
void LoadMenuPictures(HWND owner) {
  for (int n = 1; n <= static_cast<int>(std::size(kMenuPictures)); ++n) {
    const MenuPicture& picture = kMenuPictures[n - 1];
    if (ReadBMPFile(owner, picture.file, n) == 0) {
      ErrorBox(owner, picture.failureText);
    }
  }
}

void ReleaseMenuPictures() {
  for (win::UniqueBitmap& bitmap : State().pictureBitmaps) {
    bitmap.reset();
  }
}

void RepaintMenuScreen(HWND stage) {
  MenuState& state = State();
  if (state.screenState == kMainMenuScreen) {
    DrawMainMenuBackground(stage);
    DrawAllButtons(state.mainMenu, stage);
  } else if (state.screenState == kOptionsMenuScreen) {
    DrawOptionsMenuBackground(stage);
    DrawAllButtons(state.optionsMenu, stage);
  }
}

// The whole 640 x 480 picture: the part beyond the client area is clipped.
void DrawMainMenuBackground(HDC dc, const RECT& client) {
  DrawMenuPicture(dc, client, image_slot::kMainMenu, 2, 2);
}

void DrawOptionsMenuBackground(HDC dc, const RECT& client) {
  DrawMenuPicture(dc, client, image_slot::kOptionsMenu, 0, 0);
}

void DrawMainMenuBackground(HWND stage) {
  DrawMenuPicture(stage, DrawMainMenuBackground);
}

void DrawOptionsMenuBackground(HWND stage) {
  DrawMenuPicture(stage, DrawOptionsMenuBackground);
}

void TrackMainMenuHover(HWND stage) {
  TrackButtonHover(State().mainMenu, stage, POINT{});  // the set reads the cursor
}

void TrackOptionsMenuHover(HWND stage) {
  TrackButtonHover(State().optionsMenu, stage, POINT{});
}

int ClickMainMenu(HWND stage, HINSTANCE instance, int x, int y) {
  const int command = PressButton(State().mainMenu, stage, x, y);
  RunMainMenuCommand(stage, instance, command);
  return command;
}

int ClickOptionsMenu(HWND stage, HINSTANCE instance, int x, int y) {
  const int command = PressButton(State().optionsMenu, stage, x, y);
  RunOptionsMenuCommand(stage, instance, command);
  return command;
}

void RunMainMenuCommand(HWND stage, HINSTANCE instance, int command) {
  switch (command) {
    case CMD_OPTIONS_MENU:
      ShowScreen(kOptionsMenuScreen);
      SetUpButtonSet(State().optionsMenu, instance);
      RedrawOptionsMenu(stage);
      break;
    case CMD_HOME_PAGE:
      OpenHomePage(stage);
      PostMessageA(stage, WM_CLOSE, 0, 0);  // closes even when no browser could be started
      break;
    default:
      break;
  }
}

void RunOptionsMenuCommand(HWND stage, HINSTANCE instance, int command) {
  switch (command) {
    case CMD_INPUT_SETTINGS:
      OpenInputSettingsDialog(stage, instance);
      RedrawOptionsMenu(stage);
      break;
    case CMD_AUDIO_SETTINGS:
      AudioSettingsDialog(stage, instance);
      RedrawOptionsMenu(stage);
      break;
    case CMD_VIDEO_SETTINGS:
      VideoCalibrationDialog(stage, instance);
      SetFirstRunFlag(1);  // whatever the player did in it
      RedrawOptionsMenu(stage);
      break;
    case CMD_HOW_TO_PLAY:
      HowToPlayDialog(stage, instance);
      RedrawOptionsMenu(stage);
      break;
    case CMD_MAIN_MENU:
      ShowScreen(kMainMenuScreen);
      DrawMainMenuBackground(stage);
      DrawAllButtons(State().mainMenu, stage);
      break;
    default:
      break;
  }
}

void ReleaseMainMenuButtons() {
  ReleaseButtonSet(State().mainMenu);
}
void ReleaseOptionsMenuButtons() {
  ReleaseButtonSet(State().optionsMenu);
}
