// Caption texts and the caption font, from .\info\String.dat.
#pragma once

#include <cstdint>

struct CaptionTexts {
  char faceName[50] = {};
  std::int32_t fontHeight = 0;  // tenths of a point
  std::int32_t fontWidth = 0;   // tenths of a point; 0 for the natural width
  char audio[2][50] = {};
  char video[3][50] = {};
  char fileErrorText[100] = {};  // second line of the file-error dialog
};

CaptionTexts& CaptionText();

// Reads the caption file; 1 when read, 0 when it cannot be opened (not reported).
int ReadCaptionFile(const char* path);
