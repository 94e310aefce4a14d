// The shell's run-wide state: the module, its two windows and their layout.
// Every screen and dialog receives the stage window and the module instance.
#pragma once

#include <windows.h>

#include "shell/layout.h"

struct ShellState {
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND stage = nullptr;  // null until CreateWindow for the stage returns
  shell::ScreenLayout layout;
};

ShellState& Shell();

// Screen width and height from the platform metrics; origin (0, 0).
void ReadScreenMetrics();
