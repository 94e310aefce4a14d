// OpenGL as the game starts it: opengl32.dll loaded by name, so that the
// platform's library search takes a driver's copy in the program folder before
// the system's own; its functions looked up by name; a pixel format and a
// context on the game's view; one frame cleared and drawn and shown.
#pragma once

#include <windows.h>

#include <string>

namespace game {

struct OpenGlResult {
  bool works = false;    // a context was made current and a frame drawn and shown
  std::string reason;    // why not; empty when it works
  std::string library;   // the loaded library's path; empty when none was loaded
  std::string driver;    // the stand-in driver's own name, when the library has one
  std::string renderer;  // GL_RENDERER, once a context is current
};

// Starts OpenGL on `view` (a window of a class with its own device context)
// and draws the first frame. The library and the context stay until
// StopOpenGl, so DrawOpenGlFrame can draw the frame again.
OpenGlResult StartOpenGl(HWND view);

// Draws and shows the frame again; false when OpenGL is not working.
bool DrawOpenGlFrame();

// Releases the context and the library.
void StopOpenGl();

}  // namespace game
