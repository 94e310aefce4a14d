// The intro video, played full-screen in the frame at start-up.
#pragma once

#include <windows.h>

// Returns when the video has ended, was skipped with Escape, or could not start.
void PlayIntroVideo(HWND window, const char* file, int width, int height);
