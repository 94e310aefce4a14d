// Message dialogs: the launcher's small modal dialogs on the platform's own
// controls and metrics (the file error, the driver question, the card report,
// the momentary dialog after the game, the two driver guides). Each is a
// MessageDialog: its template, what it fills in at opening, and which command
// ends it with which result. One procedure runs them all: the dialog hands
// back what was decided as its result, and takes what it shows from the input
// it is run with, never from a global read later.
#pragma once

#include <windows.h>

#include <span>

namespace win {

// A command that ends the dialog with `result`. `then` runs after the end has
// been asked for, while the dialog's window is still up (Download opens a page
// owned by it); it is handed the run's input.
struct DialogEnding {
  int commandId;
  INT_PTR result;
  void (*then)(HWND dialog, LPARAM input) = nullptr;
};

struct MessageDialog {
  int templateId;
  // Fills the dialog in from the run's input; its result is the
  // initialisation message's. Absent: FALSE, so no control takes the focus by
  // itself and Enter presses nothing.
  INT_PTR (*onOpen)(HWND dialog, LPARAM input) = nullptr;
  // Every other command (Escape's cancel, Enter's default) is left to the
  // system, which does nothing with it.
  std::span<const DialogEnding> endings;
  // Ends with 0 at the first erase of its background: shown for an instant.
  bool endsAtFirstErase = false;
  // The window is going, however the dialog ended.
  void (*onDestroy)(HWND dialog) = nullptr;
};

// Runs `dialog` modally, owned by `owner`, its template taken from
// `instance`; `input` reaches its hooks. Returns the ending's result, or
// DialogBoxParam's failure (-1, or 0 for an owner that is not a window) when
// it could not be shown.
INT_PTR RunMessageDialog(const MessageDialog& dialog, HWND owner, HINSTANCE instance, LPARAM input = 0);

}  // namespace win
