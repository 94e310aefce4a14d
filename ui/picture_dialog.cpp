#include "ui/picture_dialog.h"

#include <optional>
#include <span>

#include <windowsx.h>

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/instance.h"
#include "common/win/launcher_front.h"
#include "common/win/window_ledger.h"
#include "media/image_store.h"
#include "services/error_box.h"
#include "ui/dialog_template.h"

namespace {

// While a report box is up the dialog beneath it takes no input, but its
// controls go on by themselves: a scroll bar held or dragged when the box came
// up still steps, and its release still ends a scroll. Acted on, each would
// preview the level again and bring a box over the box.
bool ComesFromBeneathAReport(UINT message) {
  switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_COMMAND:
      return ReportBoxShowing();
    default:
      return false;
  }
}

// The art, the button rectangles and the captions are fixed pixels; the
// platform lays the template out in its own font's units, which only the
// System font at 96 DPI makes 2 pixels wide and high. So the dialog's client
// area and every control are put where 2 pixels a unit put them: the client
// area from the owner's client corner, the controls from the dialog's. The
// frame keeps the thickness the platform gave it.
}  // namespace

void PictureDialog::PlaceAtFixedPixels(HWND dialog) const {
  const std::optional<dialog_template::Template> layout =
      dialog_template::Parse(win::ResourceBytes(instance_, RT_DIALOG, look_.templateId));
  if (!layout) {
    return;  // left where the platform put it
  }
  RECT frame = {};
  RECT client = {};
  POINT clientCorner = {0, 0};
  GetWindowRect(dialog, &frame);
  GetClientRect(dialog, &client);
  ClientToScreen(dialog, &clientCorner);
  const dialog_template::Box box = dialog_template::InFixedPixels(layout->box);
  POINT wanted = {box.x, box.y};
  if (owner_ != nullptr) {
    ClientToScreen(owner_, &wanted);
  }
  SetWindowPos(dialog, nullptr, wanted.x - (clientCorner.x - frame.left),
               wanted.y - (clientCorner.y - frame.top), box.width + (frame.right - frame.left) - client.right,
               box.height + (frame.bottom - frame.top) - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  // The controls come in the template's order.
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const dialog_template::Control& item : layout->controls) {
    if (control == nullptr) {
      break;
    }
    if (static_cast<WORD>(GetDlgCtrlID(control)) == static_cast<WORD>(item.id)) {
      const dialog_template::Box at = dialog_template::InFixedPixels(item.box);
      SetWindowPos(control, nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    control = GetWindow(control, GW_HWNDNEXT);
  }
}

INT_PTR CALLBACK PictureDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  win::CountWindowLife(dialog, message);
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<PictureDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) {
    return FALSE;  // messages that come before the initialisation
  }
  if (ComesFromBeneathAReport(message)) {
    return TRUE;
  }
  return self->Answer(dialog, message, wParam, lParam);
}

INT_PTR PictureDialog::Answer(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Signed: a captured pointer left of or above the dialog gives negatives.
  const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_INITDIALOG:
      PlaceAtFixedPixels(dialog);
      GetClientRect(dialog, &client_);
      pressedBar_ = nullptr;
      SetUpButtonSet(buttons_, instance_);
      return OnOpen(dialog);
    case WM_ERASEBKGND:
      Paint(dialog, reinterpret_cast<HDC>(wParam), client_);
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_MOUSEMOVE:
      TrackButtonHover(buttons_, dialog, at);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the dialog class turns a quick second click into this: still a press
      if (const int buttonId = PressButton(buttons_, dialog, at.x, at.y)) {
        OnButton(dialog, buttonId);
      }
      return TRUE;
    case WM_LBUTTONUP:
      OnRelease(dialog, at);
      return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
      PressOnScrollBar(dialog, wParam, lParam);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, GET_WM_COMMAND_ID(wParam, lParam), GET_WM_COMMAND_CMD(wParam, lParam));
      return TRUE;
    case WM_ENABLE:  // a box or guide over the dialog is closing
      if (wParam != FALSE) {
        win::GiveActivationBack(dialog);
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void PictureDialog::OnRelease(HWND dialog, POINT at) {
  ReleaseButtonStep(buttons_, dialog, at.x, at.y);
}

// Only a press the player is making now moves a bar. A press begins with the
// bar taking the mouse and sending its first message; what it sends while it
// holds the mouse is that press, and so are the last messages of its own
// release (its thumb position and end of scroll, sent once it has let the
// mouse go). A press whose message brought up a report box is over for the
// dialog: the player has turned to the box. Windows takes the mouse from the
// bar as the box comes up; Wine may leave it there, so the bar lets it go here.
// What a bar sends without the mouse outside its own press is dropped: the
// repeats of a held arrow that was let go, and under Wine, whose tracking of a
// press is one for all bars while each bar keeps its own repeat timer, the
// repeats of an earlier press whose release went elsewhere (to the box's OK),
// which resume as soon as another bar is pressed.
void PictureDialog::PressOnScrollBar(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const HWND bar = GET_WM_HSCROLL_HWND(wParam, lParam);
  const UINT code = GET_WM_HSCROLL_CODE(wParam, lParam);
  if (GetCapture() == bar) {
    pressedBar_ = bar;  // a new press, or the one going on
  } else if (bar != pressedBar_ || (code != SB_THUMBPOSITION && code != SB_ENDSCROLL)) {
    return;  // sent outside any press the player is making
  }
  const int boxesBefore = ReportBoxesShown();
  OnScroll(dialog, bar, code, static_cast<short>(GET_WM_HSCROLL_POS(wParam, lParam)));
  if (ReportBoxesShown() != boxesBefore || code == SB_ENDSCROLL) {
    pressedBar_ = nullptr;  // the press is over
    if (GetCapture() == bar) {
      ReleaseCapture();
    }
  }
}

void PictureDialog::DrawBackground(HDC dc, const RECT& client) const {
  const int slot = Slot();
  if (ImageWidth(slot) == 0) {
    // A picture that failed to load: black, never what was there before (the
    // page turned from, another screen).
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  if (look_.backgroundDrawing == BackgroundDrawing::kStretched) {
    DrawImageStretched(dc, client.left, client.top, client.right, client.bottom, slot);
    return;
  }
  // The memory bitmap has the client's size, not the picture's: a picture of
  // another size still covers every row and column it is stretched over.
  const win::UniqueBitmap canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
  win::UniqueMemoryDc memory = win::CompatibleMemoryDc(dc);
  if (!canvas || !memory) {
    return;
  }
  win::SelectGuard selected(memory.get(), canvas.get());
  DrawImageStretched(memory.get(), client.left, client.top, client.right, client.bottom, slot);
  BitBlt(dc, client.left, client.top, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

int PictureDialog::Run(HWND owner, HINSTANCE instance) {
  owner_ = owner;
  instance_ = instance;
  buttons_.facesPending = true;  // the faces are loaded afresh at every opening
  const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(look_.templateId), owner, Procedure,
                                         reinterpret_cast<LPARAM>(this));
  return result != 0 && result != -1 ? 1 : 0;
}

void PictureDialog::Paint(HWND dialog, HDC dc, const RECT& client) {
  DrawBackground(dc, client);
  DrawExtras(dialog, dc);
  DrawAllButtons(buttons_, dc);
}

void PictureDialog::Repaint(HWND dialog) {
  const win::WindowDc dc(dialog);
  if (dc) {
    Paint(dialog, dc.get(), client_);
  }
}

void PictureDialog::End(HWND dialog, INT_PTR result) {
  ReleaseButtonSet(buttons_);
  EndDialog(dialog, result);
}
