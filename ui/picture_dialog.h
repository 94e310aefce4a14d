// Picture dialogs: modal dialogs drawn entirely by the launcher. Each has a
// background picture from the image store, what it draws over it (captions),
// and a set of bitmap buttons that light, sound and press as the menu buttons
// do. A dialog describes itself in a PictureDialogSpec; one procedure answers
// what every such dialog shares (opening, erase-background, pointer movement,
// button down and up), and hands the rest to the dialog's own hooks.
#pragma once

#include <windows.h>

#include <span>

#include "ui/button_set.h"

struct PictureDialog;

enum class BackgroundDrawing {
  kStretched,           // the slot stretched straight onto the context
  kThroughMemoryBitmap  // stretched into a memory bitmap of the client's size, then copied whole
};

struct PictureDialogSpec {
  int templateId;
  int backgroundSlot;
  BackgroundDrawing backgroundDrawing;
  std::span<const ButtonSpec> buttons;
  ButtonSetTraits traits;
  bool reloadFacesAtOpening;  // the faces are loaded afresh each time it opens

  // The dialog's own parts; each may be null.
  // At opening, after the button rectangles are set and the faces loaded;
  // its result is the initialisation message's (TRUE when absent).
  INT_PTR (*onOpen)(PictureDialog& self, HWND dialog) = nullptr;
  // The slot drawn now, when it changes while the dialog is open.
  int (*currentSlot)() = nullptr;
  // Drawn over the background, before the buttons.
  void (*drawExtras)(HWND dialog, HDC dc) = nullptr;
  // A press selected the button `buttonId`.
  void (*onButton)(PictureDialog& self, HWND dialog, int buttonId) = nullptr;
  // A left-button release at `point`, in place of the release step.
  void (*onRelease)(PictureDialog& self, HWND dialog, POINT point) = nullptr;
  // Every message the shared procedure does not answer; FALSE when absent.
  INT_PTR(*onOtherMessage)
  (PictureDialog& self, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

// One picture dialog's run-wide state: its buttons, kept across openings.
struct PictureDialog {
  const PictureDialogSpec* spec = nullptr;
  ButtonSet buttons;
  HWND owner = nullptr;
  HINSTANCE instance = nullptr;
  RECT client = {};  // remembered at opening
  // This opening's own state (what the dialog shows, what DONE decided): the
  // dialog's run function keeps it for the opening's time (RunPictureDialog).
  void* opening = nullptr;
  // The scroll bar whose press is going on (none between presses); what
  // another bar sends without the mouse is dropped.
  HWND pressedBar = nullptr;
};

// The state for `spec`, which must outlive it.
PictureDialog MakePictureDialog(const PictureDialogSpec& spec);

// Runs the dialog modally, owned by `owner`; 1 when it ended with a nonzero
// result, else 0.
int RunPictureDialog(PictureDialog& self, HWND owner, HINSTANCE instance);

// The same with `opening` as this opening's state, which the dialog's hooks
// reach through OpeningOf; it is forgotten when the dialog has ended.
template <typename Opening>
int RunPictureDialog(PictureDialog& self, HWND owner, HINSTANCE instance, Opening& opening) {
  self.opening = &opening;
  const int result = RunPictureDialog(self, owner, instance);
  self.opening = nullptr;
  return result;
}
template <typename Opening>
Opening& OpeningOf(const PictureDialog& self) {
  return *static_cast<Opening*>(self.opening);
}

// The run-wide state of the dialog `spec` describes: its buttons, whose hover
// flags outlive its openings.
template <const PictureDialogSpec& spec>
PictureDialog& RunWideState() {
  static PictureDialog dialog = MakePictureDialog(spec);
  return dialog;
}

// Runs the dialog `spec` describes with a fresh `Opening`, owned by `owner`:
// what its DONE decided (the opening's `decided`), nothing when it ended
// otherwise.
template <const PictureDialogSpec& spec, typename Opening>
auto RunForDecision(HWND owner, HINSTANCE instance) {
  Opening opening;
  RunPictureDialog(RunWideState<spec>(), owner, instance, opening);
  return opening.decided;
}

// Draws the whole dialog into `dc`: the background, the extras, and every
// button in its normal face.
void PaintPictureDialog(const PictureDialog& self, HWND dialog, HDC dc);
// The same through the dialog's own context (after a change of page, say).
void RepaintPictureDialog(const PictureDialog& self, HWND dialog);

// Releases the faces and empties the rectangles, then ends the dialog.
void EndPictureDialog(PictureDialog& self, HWND dialog, INT_PTR result);
