#include "menus/button_set.h"

#include <mmsystem.h>

#include <memory>

#include "media/image_store.h"

namespace {

void LoadFace(ButtonFace& face, HINSTANCE instance, int resource) {
  HPALETTE palette = nullptr;
  face.bitmap.reset(LoadBitmapResource(instance, resource, &palette));
  face.palette.reset(palette);
  BITMAP facts = {};
  if (face.bitmap && GetObjectA(face.bitmap.get(), sizeof facts, &facts) != 0) {
    face.width = facts.bmWidth;
    face.height = facts.bmHeight;
  } else {
    face.width = face.height = 0;
  }
}

void ReleaseFace(ButtonFace& face, bool withPalette) {
  face.bitmap.reset();
  if (withPalette) {
    face.palette.reset();
  }
}

// Normal first; without it the button gets no other face.
void LoadFaces(Button& button, HINSTANCE instance) {
  LoadFace(button.normal, instance, button.spec->faces + 1);
  if (!button.normal.bitmap) {
    return;
  }
  LoadFace(button.hover, instance, button.spec->faces + 2);
  LoadFace(button.pressed, instance, button.spec->faces);
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

void SelectAndRealize(HDC dc, HPALETTE palette) {
  if (palette != nullptr) {
    SelectPalette(dc, palette, TRUE);
    RealizePalette(dc);
  }
}

// Copies a face from a memory context whose bitmap the caller selects.
void CopyFace(HDC target, HDC memory, const Button& button, const ButtonFace& face) {
  win::SelectGuard selected(memory, face.bitmap.get());
  BitBlt(target, button.rect.left, button.rect.top, face.width, face.height, memory, 0, 0, SRCCOPY);
}

void DrawFace(HWND window, const Button& button, const ButtonFace& face) {
  if (!face.bitmap) {
    return;
  }
  win::WindowDc dc(window);
  win::UniqueMemoryDc memory(CreateCompatibleDC(dc.get()));
  if (!dc || !memory) {
    return;
  }
  // Each face brings its own palette, realized as a background palette.
  win::PaletteGuard windowPalette(dc.get(), face.palette.get(), true);
  win::PaletteGuard memoryPalette(memory.get(), face.palette.get(), true);
  if (face.palette) {
    RealizePalette(dc.get());
    RealizePalette(memory.get());
  }
  CopyFace(dc.get(), memory.get(), button, face);
}

}  // namespace

ButtonSet MakeButtonSet(std::span<const ButtonSpec> table, const ButtonSetTraits& traits) {
  ButtonSet set;
  set.traits = traits;
  set.buttons.resize(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    set.buttons[i].spec = &table[i];
  }
  return set;
}

void PlayUiSound(const char* path) {
  sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
}

void SetUpButtonSet(ButtonSet& set, HWND, HINSTANCE instance) {
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

void DrawButtonFace(const ButtonSet& set, HWND window, int buttonId, int state) {
  for (const Button& button : set.buttons) {
    if (button.spec->id == buttonId) {
      if (const ButtonFace* face = FaceFor(button, state)) {
        DrawFace(window, button, *face);
      }
      return;
    }
  }
}

void DrawAllButtons(const ButtonSet& set, HWND window) {
  win::WindowDc dc(window);
  win::UniqueMemoryDc memory(CreateCompatibleDC(dc.get()));
  if (!dc || !memory) {
    return;
  }
  for (const Button& button : set.buttons) {
    if (!button.normal.bitmap) {
      continue;
    }
    if (set.traits.paletteForEachFaceWhenDrawingAll) {
      SelectAndRealize(dc.get(), button.normal.palette.get());
      SelectAndRealize(memory.get(), button.normal.palette.get());
    }
    CopyFace(dc.get(), memory.get(), button, button.normal);
  }
  // Leave the window's context with its own palette before it is released.
  SelectPalette(dc.get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), TRUE);
  SelectPalette(memory.get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), TRUE);
}

void TrackButtonHover(ButtonSet& set, HWND window, int x, int y) {
  for (Button& button : set.buttons) {
    if (!button.spec->tracked) {
      continue;
    }
    switch (buttons::HoverStep(button.rect, button.hovering, x, y)) {
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
  const std::size_t count = set.buttons.size();
  std::vector<buttons::Rect> rects(count);
  std::unique_ptr<bool[]> tracked(new bool[count]);
  for (std::size_t i = 0; i < count; ++i) {
    rects[i] = set.buttons[i].rect;
    tracked[i] = set.buttons[i].spec->tracked;
  }
  const std::optional<std::size_t> hit = buttons::FirstHit(rects, x, y, {tracked.get(), count});
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
