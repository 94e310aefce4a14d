#include "ui/button_set.h"

#include <mmsystem.h>

#include <algorithm>
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

// Normal first; without it the button gets no other face.
void LoadFaces(Button& button, HINSTANCE instance) {
  button.normal = LoadFace(instance, button.spec->faces + 1);
  if (!button.normal.bitmap) {
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

// Where the pointer is for `window`'s buttons, read from the cursor: a
// client point, and whether `window` itself lies under it.
struct PointerPlace {
  POINT at = {};
  bool overWindow = false;
};

PointerPlace PointerNow(HWND window) {
  PointerPlace place;
  if (!GetCursorPos(&place.at)) {
    return place;  // nowhere to be seen: on no button
  }
  place.overWindow = WindowFromPoint(place.at) == window;
  ScreenToClient(window, &place.at);
  return place;
}

UINT_PTR LookTimerOf(const ButtonSet& set) {
  return reinterpret_cast<UINT_PTR>(&set);
}

void StopWatching(ButtonSet& set) {
  if (set.watching != nullptr) {
    KillTimer(set.watching, LookTimerOf(set));
    set.watching = nullptr;
  }
}

void CALLBACK LookAtPointer(HWND window, UINT, UINT_PTR timer, DWORD);

// The timer runs while a face of the set is lit, and only then.
void WatchWhileLit(ButtonSet& set, HWND window) {
  const bool lit = std::any_of(set.buttons.begin(), set.buttons.end(),
                               [](const Button& button) { return button.hovering; });
  if (!lit || set.watching != window) {
    StopWatching(set);
  }
  if (lit && set.watching == nullptr &&
      SetTimer(window, LookTimerOf(set), kPointerLookPeriod, LookAtPointer) != 0) {
    set.watching = window;
  }
}

// One hover step for every tracked button with the pointer at `place`. With
// `redrawEveryFace`, a button whose state stays is drawn again in the face
// that state gives it.
void HoverStepAt(ButtonSet& set, HWND window, const PointerPlace& place, bool redrawEveryFace) {
  for (Button& button : set.buttons) {
    if (!button.spec->tracked) {
      continue;
    }
    switch (buttons::HoverStep(button.rect, button.hovering, place.at.x, place.at.y, place.overWindow)) {
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
        if (redrawEveryFace) {
          DrawButtonFace(set, window, button.spec->id, button.hovering ? kFaceHover : kFaceNormal);
        }
        break;
    }
  }
  WatchWhileLit(set, window);
}

void CALLBACK LookAtPointer(HWND window, UINT, UINT_PTR timer, DWORD) {
  ButtonSet& set = *reinterpret_cast<ButtonSet*>(timer);
  HoverStepAt(set, window, PointerNow(window), false);
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

// A movement message came to `window`: the pointer is over it.
void TrackButtonHover(ButtonSet& set, HWND window, POINT messagePoint) {
  HoverStepAt(set, window, PointerPlace{HoverPointOf(set, window, messagePoint), true}, false);
}

void ShowFacesWherePointerIs(ButtonSet& set, HWND window) {
  HoverStepAt(set, window, PointerNow(window), true);
}

void ForgetButtonHover(ButtonSet& set) {
  for (Button& button : set.buttons) {
    button.hovering = false;
  }
  StopWatching(set);
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

void ReleaseButtonStep(ButtonSet& set, HWND window, int x, int y) {
  if (!set.traits.releaseStep) {
    return;
  }
  for (Button& button : set.buttons) {
    if (button.rect.Contains(x, y)) {
      DrawButtonFace(set, window, button.spec->id, kFaceHover);
      if (button.spec->tracked) {
        button.hovering = true;
        WatchWhileLit(set, window);
      }
      return;
    }
  }
}

void ReleaseButtonSet(ButtonSet& set) {
  ForgetButtonHover(set);
  for (Button& button : set.buttons) {
    button.rect = {};
    ReleaseFace(button.normal, set.traits.releasePalettesWithFaces);
    ReleaseFace(button.hover, set.traits.releasePalettesWithFaces);
    ReleaseFace(button.pressed, set.traits.releasePalettesWithFaces);
  }
}
