// The menu controller: which menu screen the stage shows, and what its
// buttons do. Driven by the stage window's mouse messages.
#pragma once

#include <windows.h>

#include <cstdint>

bool MainMenuActive();
bool OptionsMenuActive();

void SetUpMenus(HWND stage, HINSTANCE instance);
void RepaintMenuScreen(HWND stage, HINSTANCE instance);
void TrackMainMenuHover(HWND stage, HINSTANCE instance);
void TrackOptionsMenuHover(HWND stage, HINSTANCE instance);
void ClickMainMenu(HWND stage, HINSTANCE instance, std::uint32_t x, std::uint32_t y);
void ClickOptionsMenu(HWND stage, HINSTANCE instance, std::uint32_t x, std::uint32_t y);

// Stage destruction: the two button sets (main first), then the menu pictures.
void ReleaseMainMenuButtons();
void ReleaseOptionsMenuButtons();
void ReleaseMenuPictures();
