#include "ui/button_set.h"

#include <mmsystem.h>

#include <array>

#include "common/win/gdi.h"

namespace {

void ReleaseFace(ButtonFace& face, bool withPalette) {
  face.bitmap.reset();
  face.size = SIZE{0, 0};
  if (withPalette) {
    face.palette.reset();
  }
}

// Normal first; without it the button gets no other face, nor does a button
// that is drawn only (not tracked), which never shows another.
void LoadFaces(Button& button, HINSTANCE instance) {
  button.normal = LoadFace(instance, button.spec->faces + 1);
  if (!button.normal.bitmap || !button.spec->tracked) {
    return;
  }
  button.hover = LoadFace(instance, button.spec->faces + 2);
  button.pressed = LoadFace(instance, button.spec->faces);
}

const ButtonFace* FaceFor(const Button& button, int state) {
  switch (state) {
    case kFaceHover:
      return &button.hover;
    case kFacePressed:
      return &button.pressed;
    case kFaceNormal:
      return &button.normal;
    default:
      return nullptr;
  }
}

const Button* FindButton(const ButtonSet& set, int buttonId) {
  for (const Button& button : set.buttons) {
    if (button.spec->id == buttonId) {
      return &button;
    }
  }
  return nullptr;
}

// Each face brings its own palette, realized as a background palette in the
// target and in the memory context it is copied from.
void DrawFace(HDC dc, const Button& button, const ButtonFace& face) {
  if (!face.bitmap) {
    return;
  }
  win::UniqueMemoryDc memory = win::CompatibleMemoryDc(dc);
  if (!memory) {
    return;
  }
  win::RealizedPalette targetPalette(dc, face.palette.get(), true);
  win::RealizedPalette memoryPalette(memory.get(), face.palette.get(), true);
  win::CopyBitmap(dc, button.rect.left, button.rect.top, memory.get(), face.bitmap.get(), face.size);
}

POINT HoverPointOf(const ButtonSet& set, HWND window, POINT messagePoint) {
  if (set.traits.hoverPoint == HoverPoint::kMessage) {
    return messagePoint;
  }
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  return cursor;
}

}  // namespace

ButtonSet MakeButtonSet(std::span<const ButtonSpec> table, const ButtonSetTraits& traits) {
  ButtonSet set;
  set.traits = traits;
  set.buttons.resize(std::min(table.size(), kMaxButtonsInSet));
  for (std::size_t i = 0; i < set.buttons.size(); ++i) {
    set.buttons[i].spec = &table[i];
  }
  return set;
}

void PlayUiSound(const char* path) {
  sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
}

void SetUpButtonSet(ButtonSet& set, HINSTANCE instance) {
  for (Button& button : set.buttons) {
    button.rect = button.spec->rect;
  }
  if (!set.facesPending) {
    return;
  }
  for (Button& button : set.buttons) {
    ReleaseFace(button.normal, true);
    ReleaseFace(button.hover, true);
    ReleaseFace(button.pressed, true);
    LoadFaces(button, instance);
  }
  set.facesPending = false;
}

void DrawButtonFace(const ButtonSet& set, HDC dc, int buttonId, int state) {
  if (const Button* button = FindButton(set, buttonId)) {
    if (const ButtonFace* face = FaceFor(*button, state)) {
      DrawFace(dc, *button, *face);
    }
  }
}

void DrawButtonFace(const ButtonSet& set, HWND window, int buttonId, int state) {
  const win::WindowDc dc(window);
  if (dc) {
    DrawButtonFace(set, dc.get(), buttonId, state);
  }
}

void DrawAllButtons(const ButtonSet& set, HDC dc) {
  win::UniqueMemoryDc memory = win::CompatibleMemoryDc(dc);
  if (!memory) {
    return;
  }
  for (const Button& button : set.buttons) {
    if (!button.normal.bitmap) {
      continue;
    }
    const HPALETTE palette =
        set.traits.paletteForEachFaceWhenDrawingAll ? button.normal.palette.get() : nullptr;
    win::RealizedPalette targetPalette(dc, palette, true);
    win::RealizedPalette memoryPalette(memory.get(), palette, true);
    win::CopyBitmap(dc, button.rect.left, button.rect.top, memory.get(), button.normal.bitmap.get(),
                    button.normal.size);
  }
}

void DrawAllButtons(const ButtonSet& set, HWND window) {
  const win::WindowDc dc(window);
  if (dc) {
    DrawAllButtons(set, dc.get());
  }
}

void TrackButtonHover(ButtonSet& set, HWND window, POINT messagePoint) {
  const POINT at = HoverPointOf(set, window, messagePoint);
  for (Button& button : set.buttons) {
    if (!button.spec->tracked) {
      continue;
    }
    switch (buttons::HoverStep(button.rect, button.hovering, at.x, at.y)) {
      case buttons::HoverChange::kEnter:
        PlayUiSound(set.traits.hoverSound);
        DrawButtonFace(set, window, button.spec->id, kFaceHover);
        button.hovering = true;
        break;
      case buttons::HoverChange::kLeave:
        DrawButtonFace(set, window, button.spec->id, kFaceNormal);
        button.hovering = false;
        break;
      case buttons::HoverChange::kNone:
        break;
    }
  }
}

int PressButton(ButtonSet& set, HWND window, int x, int y) {
  std::array<buttons::Rect, kMaxButtonsInSet> rects;
  std::array<bool, kMaxButtonsInSet> tracked;
  const std::size_t count = set.buttons.size();
  for (std::size_t i = 0; i < count; ++i) {
    rects[i] = set.buttons[i].rect;
    tracked[i] = set.buttons[i].spec->tracked;
  }
  const std::optional<std::size_t> hit =
      buttons::FirstHit({rects.data(), count}, x, y, {tracked.data(), count});
  if (!hit) {
    return 0;
  }
  const Button& button = set.buttons[*hit];
  PlayUiSound(set.traits.clickSound);
  if (button.spec->pauseBeforePressedFace != 0) {
    Sleep(button.spec->pauseBeforePressedFace);
  }
  DrawButtonFace(set, window, button.spec->id, kFacePressed);
  return button.spec->action;
}

void ReleaseButtonStep(const ButtonSet& set, HWND window, int x, int y) {
  if (!set.traits.releaseStep) {
    return;
  }
  for (const Button& button : set.buttons) {
    if (button.rect.Contains(x, y)) {
      DrawButtonFace(set, window, button.spec->id, kFaceHover);
      return;
    }
  }
}

void ReleaseButtonSet(ButtonSet& set) {
  for (Button& button : set.buttons) {
    button.rect = {};
    ReleaseFace(button.normal, set.traits.releasePalettesWithFaces);
    ReleaseFace(button.hover, set.traits.releasePalettesWithFaces);
    ReleaseFace(button.pressed, set.traits.releasePalettesWithFaces);
  }
}
