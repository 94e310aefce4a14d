// The game's window: a 640 x 480 panel, centred on the screen, that shows what
// the game read from the launcher's files and what OpenGL gave it, with the
// view that shows the OpenGL frame. It closes when a key is pressed or its
// time is up.
#pragma once

#include <windows.h>

#include "game_files.h"
#include "opengl_check.h"

namespace game {

// Registers the window classes and creates the window, hidden, with the texts
// of `files` and an empty view. Null when it cannot be made. OpenGL starts on
// the view once the window is on the screen: a view that is not yet there
// does not show frames on every system.
HWND CreateGameWindow(HINSTANCE instance, const GameFiles& files);

// The view that OpenGL draws in, owned by the window.
HWND GameView(HWND window);

// Puts what OpenGL gave into the window's texts and, when it did not work,
// the reason into the view.
void ShowOpenGlResult(HWND window, const OpenGlResult& result);

// Shows the window in front and paints it.
void ShowGameWindow(HWND window, int showState);

// Runs the message loop until a key is pressed or `lifetime` milliseconds
// have passed; the window is then gone.
void RunGameWindow(HWND window, UINT lifetime);

}  // namespace game
