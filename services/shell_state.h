// The shell's run-wide state: the module, its two windows and their layout,
// and what the caption file says under a file error's path.
// Every screen and dialog receives the stage window and the module instance.
#pragma once

#include <windows.h>

#include "services/layout.h"

struct ShellState {
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND stage = nullptr;  // null until CreateWindow for the stage returns
  shell::ScreenLayout layout;
  // Empty until the caption file has been read; cut to the caption's field.
  char fileErrorText[100] = {};
};

ShellState& Shell();

// Screen width and height from the platform metrics; origin (0, 0).
void ReadScreenMetrics();
