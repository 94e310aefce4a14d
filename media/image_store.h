// The image store: nine numbered slots of BMP pictures loaded from files, the
// logical palette they share, and bitmap resources turned into bitmaps with
// palettes of their own. A slot number is the only handle callers hold.
//
//   0 frame picture   1 main menu   2 options menu   3 input dialog
//   4 audio dialog    5 video dialog   6, 7, 8 how-to-play pages
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win/handles.h"

constexpr int kImageSlots = 9;

// What each slot holds; the menu controller loads slots 1 to 8 at start-up.
namespace image_slot {
constexpr int kFramePicture = 0;
constexpr int kMainMenu = 1;
constexpr int kOptionsMenu = 2;
constexpr int kInputDialog = 3;
constexpr int kAudioDialog = 4;
constexpr int kVideoDialog = 5;
constexpr int kFirstHowToPlayPage = 6;  // and the two pages after it, 7 and 8
}  // namespace image_slot

// Loads a BMP file into a slot and rebuilds the shared palette from it when it
// has a colour table. 1 on success; 0 after a message box (owned by `owner`)
// that says why.
int ReadBMPFile(HWND owner, const char* path, int slot);

// A device-dependent bitmap made from a slot's picture for the screen; empty
// for an empty slot.
win::UniqueBitmap CreateImageBitmap(int slot);

std::uint16_t ImageColourCount(int slot);
std::uint16_t ImagePaletteSize(int slot);
const void* ImageBits(int slot);
std::int32_t ImageWidth(int slot);
std::int32_t ImageHeight(int slot);

// Draws a slot's whole picture stretched into (x, y, width, height), through
// the shared palette, selected only while it draws. An empty slot draws nothing.
void DrawImageStretched(HDC dc, int x, int y, int width, int height, int slot);

// The palette of the last file loaded with a colour table; null before.
HPALETTE SharedImagePalette();

// Releases the memory of one slot's picture; of all slots and of the shared
// palette description.
void FreeImage(int slot);
void FreeAllImages();

// A bitmap resource as a device-dependent bitmap, with the palette built from
// its colour table stored through `palette` (empty when it has none). Empty,
// and `palette` untouched, when there is no such resource.
win::UniqueBitmap LoadBitmapResource(HINSTANCE instance, int resource, win::UniquePalette* palette);

// A bitmap resource made as LoadBitmapResource makes it, with its palette,
// both owned; empty (no bitmap, size 0 x 0) when there is no such resource.
struct OwnedFace {
  win::UniqueBitmap bitmap;
  win::UniquePalette palette;
  SIZE size = {0, 0};
};
OwnedFace LoadFace(HINSTANCE instance, int resource);

// A logical palette from a packed DIB's colour table: 2, 16 or 256 entries by
// depth (the used-colours field is not consulted); empty for deeper pictures.
// The count goes to `count`.
win::UniquePalette CreatePaletteFromHeader(const BITMAPINFOHEADER* header, std::uint32_t* count);
