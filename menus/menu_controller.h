// The menu controller: which menu screen the stage shows, the pictures of the
// menus and dialogs, and what the menu buttons do. Driven by the stage
// window's mouse messages only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "resources/resource.h"

class WindowsAroundTheGame;

// ScreenState values.
constexpr std::int32_t kMainMenuScreen = SCREEN_MAIN_MENU;
constexpr std::int32_t kOptionsMenuScreen = SCREEN_OPTIONS_MENU;

std::int32_t ScreenState();
bool MainMenuActive();
bool OptionsMenuActive();

// Stage creation: the eight menu and dialog pictures, then the main-menu buttons.
void SetUpMenus(HINSTANCE instance);
void LoadMenuPictures();
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

// A left-button press at a client point: the press step, then the command.
// START GAME hands the game `windows`, the shell's.
void ClickMainMenu(HWND stage, HINSTANCE instance, WindowsAroundTheGame& windows, std::uint32_t x,
                   std::uint32_t y);
void ClickOptionsMenu(HWND stage, HINSTANCE instance, std::uint32_t x, std::uint32_t y);
void RunMainMenuCommand(HWND stage, HINSTANCE instance, WindowsAroundTheGame& windows, int command);
void RunOptionsMenuCommand(HWND stage, HINSTANCE instance, int command);

// Stage destruction: the two button sets, main first.
void ReleaseMainMenuButtons();
void ReleaseOptionsMenuButtons();
