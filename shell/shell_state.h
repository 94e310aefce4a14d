// The shell's run-wide state: the module, its two windows and their layout.
// Every screen and dialog receives the stage window and the module instance.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "menus/menu_controller.h"
#include "shell/layout.h"

struct ShellState {
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND stage = nullptr;  // null until CreateWindow for the stage returns
  shell::ScreenLayout layout;
  std::optional<MenuController> menus;  // from the stage's creation on
  // 0 until the game has been started once or the video settings used; read
  // as the stage is made and written as it goes.
  std::int32_t firstRunFlag = 0;
};

ShellState& Shell();

// Screen width and height from the platform metrics; origin (0, 0).
void ReadScreenMetrics();
