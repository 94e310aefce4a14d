// The menu controller: which menu screen the stage shows, the pictures of the
// menus and dialogs, what the menu buttons do, and what the launcher keeps
// for its run between the dialogs' openings. Driven by the stage window's
// mouse messages only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <iterator>

#include "media/mixer.h"
#include "resources/resource.h"
#include "settings/audio/audio_settings.h"
#include "settings/input/key_bindings.h"
#include "settings/video/video_dialog.h"
#include "ui/button_set.h"

// ScreenState values.
constexpr std::int32_t kMainMenuScreen = SCREEN_MAIN_MENU;
constexpr std::int32_t kOptionsMenuScreen = SCREEN_OPTIONS_MENU;

// What the launcher keeps for its run between the dialogs' openings: each
// settings dialog opens with its file read over its values, so what a file
// lacks keeps the value the dialog last left.
struct KeptForTheRun {
  input::InputSettings input;
  audio::AudioSettings audio;
  VideoKept video;
  int howToPlayPage = 0;  // the viewer reopens where it was closed
  MusicPreview music;     // the mixer's volume step
};

// The whole 640 x 480 main-menu picture and the options-menu picture, copied
// from their slots into `dc` for a client area of `client` (black when a
// picture is missing).
void DrawMainMenuBackground(HDC dc, const RECT& client);
void DrawOptionsMenuBackground(HDC dc, const RECT& client);

class MenuController {
 public:
  // Stage creation: the eight menu and dialog pictures, then the main-menu
  // buttons. A picture that fails to load is reported in boxes owned by
  // `owner` and its screen or page is drawn black.
  MenuController(HWND owner, HINSTANCE instance);

  std::int32_t ScreenState() const { return screenState_; }
  bool MainMenuActive() const { return screenState_ == kMainMenuScreen; }
  bool OptionsMenuActive() const { return screenState_ == kOptionsMenuScreen; }

  void RepaintMenuScreen(HWND stage);
  // Pointer movement over the stage; the position is read from the cursor.
  void TrackHover(HWND stage);
  // A left-button press at a client point: the press step, then the command
  // of the button pressed, which each gives back (0: none). START GAME is not
  // the main menu's to run: the game takes the shell's windows, so the shell
  // runs it.
  int ClickMainMenu(HWND stage, int x, int y);
  int ClickOptionsMenu(HWND stage, int x, int y);

  // Stage destruction: the two button sets, main first.
  void Release();

 private:
  void ShowScreen(std::int32_t screen, HWND stage);

  HINSTANCE instance_;
  std::int32_t screenState_ = kMainMenuScreen;
  ButtonSet mainMenu_;
  ButtonSet optionsMenu_;
  KeptForTheRun kept_;
};
