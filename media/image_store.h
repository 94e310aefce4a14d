// The image store: nine numbered slots of BMP pictures and the palette they share.
#pragma once

#include <windows.h>

#include <cstdint>

int ReadBMPFile(const char* path, int slot);
void DrawImageStretched(HDC dc, int x, int y, int width, int height, int slot);
void FreeAllImages();

// Width and height of the picture most recently drawn by DrawImageStretched; 0 and 0 before.
std::int32_t LastDrawnWidth();
std::int32_t LastDrawnHeight();
