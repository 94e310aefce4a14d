// The box that reports a problem the launcher goes on after.
#pragma once

#include <windows.h>

#include <string_view>

// Shows a non-fatal problem in a modal box captioned "Message" with one OK
// button, owned by `owner`: the window it speaks over (a settings dialog, the
// stage, the frame), or, while that is not shown yet (a dialog still opening),
// the window the player sees beneath it. Returns when the user has confirmed;
// the owner takes the activation and the keyboard back as the box closes.
//
// Owned, the box stays above its owner wherever the player clicks or
// switches to (a window manager raises whatever is clicked, and only an owner
// keeps a window above another), and its owner, which holds every window of
// the launcher that could take input then, takes no click or key until the
// box is answered. A control that holds the mouse (a scroll bar pressed or
// dragged when the box came up) still sends what it sends; its dialog drops
// that while the box is up (ReportBoxShowing).
int ErrorBox(HWND owner, const char* text);

// Whether an ErrorBox is on the screen now: a scroll or a press that reaches
// a window while this holds came from beneath the box and is not acted on.
bool ReportBoxShowing();

// How many ErrorBoxes the run has shown: a step that sees it change has
// brought one up.
int ReportBoxesShown();

// The same box for a message that names a file or folder: `before`, `path`
// and `after`, the path shortened in its middle where the three would not fit
// the box's text, so the message's ending is always read whole.
int ErrorBoxNamingPath(HWND owner, std::string_view before, std::string_view path, std::string_view after);
