// Which window speaks for the launcher now, and bringing it to the front.
// One question, asked by everything that puts the launcher or what it runs in
// front: a second start, a click on a window that a box holds, the close of a
// box or dialog, and the launcher's return from the game. The launcher's
// windows all live on its one thread; so does what this keeps.
#pragma once

#include <windows.h>

namespace win {

// While it lives, the program `processId` (the game) speaks for the launcher.
class ProgramInFront {
 public:
  explicit ProgramInFront(DWORD processId);
  ~ProgramInFront();
  ProgramInFront(const ProgramInFront&) = delete;
  ProgramInFront& operator=(const ProgramInFront&) = delete;
};

// While a program speaks for the launcher, its first shown top-level window
// that no other window owns (none while it shows none); otherwise the top of the launcher's own shown
// windows that take input: a box over a dialog over the stage over the frame.
HWND WindowInFront();

// Makes `window` the foreground window, with the keyboard, over every other
// program's window; a window of ours comes with the frame beneath it.
void BringForward(HWND window);

// The window a box shown over `owner` must be owned by to stay in sight: the
// owner when it is shown, else the nearest shown window up its owner chain (a
// dialog still opening shows nothing yet); none when nothing of it is shown.
HWND SeenOwner(HWND owner);

// `enabled`, a window of ours, takes input again (WM_ENABLE): a box or dialog
// it owns is closing and still stands. When the player is on the closing
// window, `enabled` takes the front and the keyboard now; nothing happens
// when the player is elsewhere.
void GiveActivationBack(HWND enabled);

// The window handed the front lost it just after (another program took it,
// or the frame: WM_ACTIVATEAPP and the frame's WM_ACTIVATE). That is a window
// manager's doing: when a window of ours goes, it focuses the window it
// focused before it, which is another program's if the player switched to one
// and back. `messenger`, whose procedure hands kTakeTheFrontBack to
// TakeTheFrontBack, is asked to take the front back once the activation under
// way is over.
void KeepTheFrontHandedOver(HWND messenger);
constexpr UINT kTakeTheFrontBack = WM_APP + 1;
void TakeTheFrontBack();

// The launcher has started another program that shows the player something
// (a web browser): that program's window takes the front, not taken back.
void GiveWayToAnotherProgram();

// WM_SETCURSOR's handler (HANDLE_WM_SETCURSOR): a button press on a window of
// ours that a modal window holds disabled (HTERROR) brings the window in front
// forward, as Windows does; under a window manager the click would otherwise
// raise the disabled window over the box. True for such a press.
BOOL BringTheModalWindowForward(HWND window, HWND cursorWindow, UINT hitTest, UINT message);

}  // namespace win
