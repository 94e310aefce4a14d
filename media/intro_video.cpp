#include "media/intro_video.h"

// Video playback arrives in a later step; start-up goes straight on.
void PlayIntroVideo(HWND, const char*, int, int) {}
