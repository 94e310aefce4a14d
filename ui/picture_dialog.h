// Picture dialogs: modal dialogs drawn entirely by the launcher. Each has a
// background picture from the image store, what it draws over it (captions),
// and a set of bitmap buttons that light, sound and press as the menu buttons
// do. A dialog is an object of a class derived from PictureDialog: the base
// answers what every such dialog shares (opening, erase-background, pointer
// movement, button down and up, the scroll bars' presses) and calls the
// dialog's own handlers; the dialog keeps its opening's state as members.
#pragma once

#include <windows.h>

#include <span>

#include "ui/button_set.h"

enum class BackgroundDrawing {
  kStretched,           // the slot stretched straight onto the context
  kThroughMemoryBitmap  // stretched into a memory bitmap of the client's size, then copied whole
};

// What a picture dialog looks like: its template, its picture and its buttons.
struct PictureDialogLook {
  int templateId;
  int backgroundSlot;
  BackgroundDrawing backgroundDrawing;
  std::span<const ButtonSpec> buttons;
};

// A picture dialog's buttons, kept for the launcher's run: their hover flags
// outlive the dialog's openings (the faces are loaded afresh at each).
template <const PictureDialogLook& look>
ButtonSet& ButtonsKeptForTheRun() {
  static ButtonSet buttons = MakeButtonSet(look.buttons, DialogButtonTraits());
  return buttons;
}

class PictureDialog {
 public:
  // `look` and `buttons` must outlive the dialog.
  PictureDialog(const PictureDialogLook& look, ButtonSet& buttons) : look_(look), buttons_(buttons) {}
  virtual ~PictureDialog() = default;
  PictureDialog(const PictureDialog&) = delete;
  PictureDialog& operator=(const PictureDialog&) = delete;

  // Runs the dialog modally, owned by `owner`; 1 when it ended with a nonzero
  // result, else 0.
  int Run(HWND owner, HINSTANCE instance);

  // Draws the whole dialog into `dc` for a client area of `client`: the
  // background, the extras, and every button in its normal face.
  void Paint(HWND dialog, HDC dc, const RECT& client);

 protected:
  // The dialog's own handlers; each does nothing unless the dialog says.
  // At opening, after the button rectangles are set and the faces loaded:
  // the initialisation message's result.
  virtual BOOL OnOpen(HWND) { return TRUE; }
  // The picture slot drawn now.
  virtual int Slot() const { return look_.backgroundSlot; }
  // Drawn over the background, before the buttons.
  virtual void DrawExtras(HWND, HDC) {}
  // A press selected the button `buttonId`.
  virtual void OnButton(HWND, int /*buttonId*/) {}
  // A left-button release at `at`: the release step, unless the dialog says.
  virtual void OnRelease(HWND dialog, POINT at);
  // A control's notification; Enter and Escape end no picture dialog.
  virtual void OnCommand(HWND, int /*id*/, UINT /*notification*/) {}
  // A scroll bar's message that belongs to a press the player is making.
  virtual void OnScroll(HWND, HWND /*bar*/, UINT /*code*/, int /*position*/) {}

  // The whole dialog drawn again through its own context.
  void Repaint(HWND dialog);
  // Releases the faces and empties the rectangles, then ends the dialog.
  void End(HWND dialog, INT_PTR result);

  ButtonSet& buttons() { return buttons_; }
  HINSTANCE instance() const { return instance_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Answer(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void PlaceAtFixedPixels(HWND dialog) const;
  void DrawBackground(HDC dc, const RECT& client) const;
  void PressOnScrollBar(HWND dialog, WPARAM wParam, LPARAM lParam);

  const PictureDialogLook& look_;
  ButtonSet& buttons_;
  HWND owner_ = nullptr;
  HINSTANCE instance_ = nullptr;
  RECT client_ = {};  // remembered at opening
  // The scroll bar whose press is going on (none between presses); what
  // another bar sends without the mouse is dropped.
  HWND pressedBar_ = nullptr;
};
