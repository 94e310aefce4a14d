// The caption store read from .\info\String.dat, the caption font, and the
// green captions of the audio and video dialogs.
#pragma once

#include <windows.h>

#include "common/win/handles.h"
#include "ui/caption_file.h"

CaptionTexts& CaptionText();

// Reads the caption file into the store; 1 when read, 0 when it cannot be
// opened (nothing is reported, and the store keeps its texts).
int ReadCaptionFile(const char* path);

// Attribute bits of CreateCaptionFont.
constexpr int kCaptionBold = 1;
constexpr int kCaptionItalic = 2;
constexpr int kCaptionUnderline = 4;
constexpr int kCaptionStrikeOut = 8;

// A font for `window`'s device, `height` and `width` in tenths of a point
// (width 0: the face's natural width), from the display's logical resolution
// when `logicalResolution` is nonzero, else from its physical size. Empty when
// the window has no device context or the font cannot be made.
win::UniqueFont CreateCaptionFont(HWND window, const char* face, int height, int width, int attributes,
                                  int logicalResolution);

// Draw the captions in green, transparently, into the dialog's client area:
// the audio dialog's two at (22, 53) and (22, 133), the video dialog's three at
// (22, 20), (22, 93) and (22, 162). An empty caption draws nothing.
void DrawAudioCaptions(HWND dialog);
void DrawVideoCaptions(HWND dialog);
