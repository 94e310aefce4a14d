// Bitmap buttons: a fixed rectangle of a window's client area with three faces
// (normal, hover, pressed) taken from bitmap resources, a hover sound and a
// click sound. Every screen and dialog keeps its buttons in one ButtonSet; a
// set's differences from the others are fields of its table and traits.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

#include "common/win/handles.h"
#include "media/image_store.h"
#include "ui/button_rules.h"
#include "resources/resource.h"

// FaceState values.
constexpr int kFaceHover = FACE_HOVER;
constexpr int kFacePressed = FACE_PRESSED;
constexpr int kFaceNormal = FACE_NORMAL;

// The most buttons one set holds (the input dialog has five).
constexpr std::size_t kMaxButtonsInSet = 8;

// One row of a set's table.
struct ButtonSpec {
  int id;                            // ButtonId
  buttons::Rect rect;                // client pixels
  int faces;                         // resource n: n pressed, n + 1 normal, n + 2 hover
  int action;                        // what a press selects: a MenuCommand, or the button's own id
  bool tracked = true;               // takes part in hover and press handling
  DWORD pauseBeforePressedFace = 0;  // ms between the click sound and the pressed face
};

// Where the hover step takes the pointer from.
enum class HoverPoint {
  kCursor,   // the cursor's position now (the menus)
  kMessage,  // the position the pointer-movement message carries (the dialogs)
};

struct ButtonSetTraits {
  const char* hoverSound = "";
  const char* clickSound = "";
  bool paletteForEachFaceWhenDrawingAll = false;  // DrawAllButtons selects and realizes each face's palette
  bool releasePalettesWithFaces = false;          // dialog sets; the menu sets keep theirs for the whole run
  HoverPoint hoverPoint = HoverPoint::kCursor;
  bool releaseStep = false;  // a left-button release shows the hover face (dialog sets)
};

// The sounds of every button the launcher shows.
constexpr char kHoverSound[] = ".\\sound\\mmove.wav";
constexpr char kClickSound[] = ".\\sound\\mclick.wav";

// The traits every picture dialog shares: hover point from the message, the
// release step, each face drawn with its own palette and released with it.
constexpr ButtonSetTraits DialogButtonTraits(const char* hoverSound = kHoverSound,
                                             const char* clickSound = kClickSound) {
  return ButtonSetTraits{.hoverSound = hoverSound,
                         .clickSound = clickSound,
                         .paletteForEachFaceWhenDrawingAll = true,
                         .releasePalettesWithFaces = true,
                         .hoverPoint = HoverPoint::kMessage,
                         .releaseStep = true};
}

using ButtonFace = OwnedFace;

struct Button {
  const ButtonSpec* spec = nullptr;
  buttons::Rect rect;  // empty until set up, and again after release
  ButtonFace normal;
  ButtonFace hover;
  ButtonFace pressed;
  bool hovering = false;  // the hover face is shown and the pointer was last seen inside
};

struct ButtonSet {
  ButtonSetTraits traits;
  std::vector<Button> buttons;
  bool facesPending = true;  // the faces are (re)loaded at the next set-up
};

// A set for the first kMaxButtonsInSet rows of `table`, which must outlive it.
ButtonSet MakeButtonSet(std::span<const ButtonSpec> table, const ButtonSetTraits& traits);

// Plays a wave file asynchronously; a missing file plays nothing.
void PlayUiSound(const char* path);

// Sets every rectangle from the table; loads the faces when they are pending
// (releasing any the buttons still hold first).
void SetUpButtonSet(ButtonSet& set, HINSTANCE instance);

// One face of one button; an unknown button or state draws nothing. The face
// is drawn with its own palette, realized as a background palette.
void DrawButtonFace(const ButtonSet& set, HDC dc, int buttonId, int state);
void DrawButtonFace(const ButtonSet& set, HWND window, int buttonId, int state);

// Every button, tracked or not, in its normal face.
void DrawAllButtons(const ButtonSet& set, HDC dc);
void DrawAllButtons(const ButtonSet& set, HWND window);

// The hover step, from the window's pointer-movement messages only: the
// pointer is where the set's traits say, the cursor or `messagePoint`
// (client pixels, from the message). A face lit when the pointer leaves the
// window stays lit until the pointer comes back; the hover flags outlive
// redraws, screens and dialog openings.
void TrackButtonHover(ButtonSet& set, HWND window, POINT messagePoint);

// The press step: the first tracked button under (x, y) sounds, shows its
// pressed face and gives its action; 0 when no button is hit.
int PressButton(ButtonSet& set, HWND window, int x, int y);

// The release step (sets whose traits have it): the button under (x, y)
// shows its hover face; its hover flag stays as it was.
void ReleaseButtonStep(const ButtonSet& set, HWND window, int x, int y);

// Empties the rectangles and deletes the face bitmaps (and, in dialog sets,
// their palettes); the hover flags keep their values.
void ReleaseButtonSet(ButtonSet& set);
