// The box that reports a problem the launcher goes on after.
#pragma once

#include <windows.h>

#include <string_view>

// Shows a non-fatal problem in a modal box captioned "Message" with one OK
// button and no owner. Returns when the user has confirmed.
//
// Nothing of the launcher runs beneath the box: it is task-modal, so none of
// the launcher's windows takes a click or a key until it is answered (on
// every Windows from 95 on). A control that holds the mouse (a scroll bar
// pressed or dragged when the box came up) still sends what it sends; its
// dialog drops that while the box is up (ReportBoxShowing).
int ErrorBox(const char* text);

// Whether an ErrorBox is on the screen now: a scroll or a press that reaches
// a window while this holds came from beneath the box and is not acted on.
bool ReportBoxShowing();

// How many ErrorBoxes the run has shown: a step that sees it change has
// brought one up.
int ReportBoxesShown();

// The same box for a message that names a file or folder: `before`, `path`
// and `after`, the path shortened in its middle where the three would not fit
// the box's text, so the message's ending is always read whole.
int ErrorBoxNamingPath(std::string_view before, std::string_view path, std::string_view after);
