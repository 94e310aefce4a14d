#include "menus/picture_dialog.h"

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/window_ledger.h"
#include "media/image_store.h"

namespace {

PictureDialog* Self(HWND dialog) {
  return reinterpret_cast<PictureDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

POINT MessagePoint(LPARAM lParam) {
  // Signed: a captured pointer left of or above the dialog gives negatives.
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* self = reinterpret_cast<PictureDialog*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  GetClientRect(dialog, &self->client);
  SetUpButtonSet(self->buttons, self->instance);
  return self->spec->onOpen != nullptr ? self->spec->onOpen(*self, dialog) : TRUE;
}

INT_PTR OnEraseBackground(PictureDialog& self, HWND dialog, HDC dc) {
  PaintPictureDialog(self, dialog, dc);
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
  return TRUE;
}

INT_PTR OnMouseMove(PictureDialog& self, HWND dialog, LPARAM lParam) {
  TrackButtonHover(self.buttons, dialog, MessagePoint(lParam));
  return TRUE;
}

INT_PTR OnLeftButtonDown(PictureDialog& self, HWND dialog, LPARAM lParam) {
  const POINT at = MessagePoint(lParam);
  const int buttonId = PressButton(self.buttons, dialog, at.x, at.y);
  if (buttonId != 0 && self.spec->onButton != nullptr) {
    self.spec->onButton(self, dialog, buttonId);
  }
  return TRUE;
}

INT_PTR OnLeftButtonUp(PictureDialog& self, HWND dialog, LPARAM lParam) {
  const POINT at = MessagePoint(lParam);
  if (self.spec->onRelease != nullptr) {
    self.spec->onRelease(self, dialog, at);
  } else {
    ReleaseButtonStep(self.buttons, dialog, at.x, at.y);
  }
  return TRUE;
}

INT_PTR CALLBACK PictureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  win::CountWindowLife(dialog, message);
  if (message == WM_INITDIALOG) {
    return OnInitDialog(dialog, lParam);
  }
  PictureDialog* self = Self(dialog);
  if (self == nullptr) {
    return FALSE;  // messages that come before the initialisation
  }
  switch (message) {
    case WM_ERASEBKGND:
      return OnEraseBackground(*self, dialog, reinterpret_cast<HDC>(wParam));
    case WM_MOUSEMOVE:
      return OnMouseMove(*self, dialog, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the dialog class turns a quick second click into this: still a press
      return OnLeftButtonDown(*self, dialog, lParam);
    case WM_LBUTTONUP:
      return OnLeftButtonUp(*self, dialog, lParam);
    default:
      return self->spec->onOtherMessage != nullptr
                 ? self->spec->onOtherMessage(*self, dialog, message, wParam, lParam)
                 : FALSE;
  }
}

void DrawBackground(const PictureDialog& self, HDC dc) {
  const PictureDialogSpec& spec = *self.spec;
  const int slot = spec.currentSlot != nullptr ? spec.currentSlot() : spec.backgroundSlot;
  const RECT& client = self.client;
  if (spec.backgroundDrawing == BackgroundDrawing::kStretched) {
    DrawImageStretched(dc, client.left, client.top, client.right, client.bottom, slot);
    return;
  }
  const win::UniqueBitmap picture = CreateImageBitmap(slot);
  win::UniqueMemoryDc memory = win::CompatibleMemoryDc(dc);
  if (!picture || !memory) {
    return;  // an empty slot leaves the context as it is
  }
  win::SelectGuard selected(memory.get(), picture.get());
  DrawImageStretched(memory.get(), client.left, client.top, client.right, client.bottom, slot);
  BitBlt(dc, client.left, client.top, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace

PictureDialog MakePictureDialog(const PictureDialogSpec& spec) {
  PictureDialog self;
  self.spec = &spec;
  self.buttons = MakeButtonSet(spec.buttons, spec.traits);
  return self;
}

int RunPictureDialog(PictureDialog& self, HWND owner, HINSTANCE instance) {
  self.owner = owner;
  self.instance = instance;
  if (self.spec->reloadFacesAtOpening) {
    self.buttons.facesPending = true;
  }
  const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(self.spec->templateId), owner,
                                         PictureDialogProc, reinterpret_cast<LPARAM>(&self));
  return result != 0 && result != -1 ? 1 : 0;
}

void PaintPictureDialog(const PictureDialog& self, HWND dialog, HDC dc) {
  DrawBackground(self, dc);
  if (self.spec->drawExtras != nullptr) {
    self.spec->drawExtras(dialog, dc);
  }
  DrawAllButtons(self.buttons, dc);
}

void RepaintPictureDialog(const PictureDialog& self, HWND dialog) {
  const win::WindowDc dc(dialog);
  if (dc) {
    PaintPictureDialog(self, dialog, dc.get());
  }
}

void EndPictureDialog(PictureDialog& self, HWND dialog, INT_PTR result) {
  ReleaseButtonSet(self.buttons);
  EndDialog(dialog, result);
}
