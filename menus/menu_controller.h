// The menu controller: which menu screen the stage shows, the pictures of the
// menus and dialogs, and what the menu buttons do. Driven by the stage
// window's mouse messages only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "resources/resource.h"

// ScreenState values.
constexpr std::int32_t kMainMenuScreen = SCREEN_MAIN_MENU;
constexpr std::int32_t kOptionsMenuScreen = SCREEN_OPTIONS_MENU;

std::int32_t ScreenState();
bool MainMenuActive();
bool OptionsMenuActive();

// Stage creation: the eight menu and dialog pictures, then the main-menu
// buttons. A picture that fails to load is reported in boxes owned by `owner`
// and its screen or page is drawn black.
void SetUpMenus(HWND owner, HINSTANCE instance);
void LoadMenuPictures(HWND owner);
void ReleaseMenuPictures();

void RepaintMenuScreen(HWND stage);
void DrawMainMenuBackground(HWND stage);
void DrawOptionsMenuBackground(HWND stage);
// The same into any context, for a client area of `client`.
void DrawMainMenuBackground(HDC dc, const RECT& client);
void DrawOptionsMenuBackground(HDC dc, const RECT& client);

// Pointer movement over the stage; the position is read from the cursor.
void TrackMainMenuHover(HWND stage);
void TrackOptionsMenuHover(HWND stage);

// A left-button press at a client point: the press step, then the command of
// the button pressed, which each gives back (0: none). START GAME is not the
// main menu's to run: the game takes the shell's windows, so the shell runs it.
int ClickMainMenu(HWND stage, HINSTANCE instance, int x, int y);
int ClickOptionsMenu(HWND stage, HINSTANCE instance, int x, int y);
void RunMainMenuCommand(HWND stage, HINSTANCE instance, int command);
void RunOptionsMenuCommand(HWND stage, HINSTANCE instance, int command);

// Stage destruction: the two button sets, main first.
void ReleaseMainMenuButtons();
void ReleaseOptionsMenuButtons();
