#include "settings/input/input_dialog.h"

#include <windowsx.h>

#include <optional>
#include <utility>

#include "media/image_store.h"
#include "resources/resource.h"
#include "settings/input/key_bindings_file.h"
#include "ui/picture_dialog.h"

namespace {

constexpr char kBindingsFile[] = ".\\info\\keyvalue.cfg";
constexpr int kKeyBoxes = input::kBindingSlotCount;

constexpr ButtonSpec kButtons[] = {
    {BTN_INPUT_DONE, {225, 423, 351, 457}, IDB_INPUT_DONE, BTN_INPUT_DONE},
    {BTN_INPUT_RESET, {361, 423, 487, 457}, IDB_INPUT_RESET, BTN_INPUT_RESET},
    {BTN_INPUT_CANCEL, {497, 423, 623, 457}, IDB_INPUT_CANCEL, BTN_INPUT_CANCEL},
    // The player-1 and player-2 places, with JOYSTICK 1 and JOYSTICK 2 while
    // the assignment is not swapped.
    {BTN_JOYSTICK_1, {120, 340, 246, 376}, IDB_JOYSTICK_1, BTN_JOYSTICK_1},
    {BTN_JOYSTICK_2, {386, 340, 512, 376}, IDB_JOYSTICK_2, BTN_JOYSTICK_2},
};
constexpr std::size_t kPlayer1Place = 3;
constexpr std::size_t kPlayer2Place = 4;

// The twelve key boxes with `procedure` in place of their own, for the guard's
// time; each gets back the procedure it had when the guard goes.
class KeyBoxSubclassing {
 public:
  KeyBoxSubclassing(HWND dialog, WNDPROC procedure) {
    for (int slot = 0; slot < kKeyBoxes; ++slot) {
      boxes_[slot] = GetDlgItem(dialog, IDC_FIRST_KEY_BOX + slot);
      replaced_[slot] = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(boxes_[slot], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    }
  }
  ~KeyBoxSubclassing() {
    for (int slot = 0; slot < kKeyBoxes; ++slot) {
      if (replaced_[slot] != nullptr && IsWindow(boxes_[slot])) {
        SetWindowLongPtrA(boxes_[slot], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replaced_[slot]));
      }
    }
  }
  KeyBoxSubclassing(const KeyBoxSubclassing&) = delete;
  KeyBoxSubclassing& operator=(const KeyBoxSubclassing&) = delete;

  HWND Box(int slot) const { return boxes_[slot]; }
  WNDPROC Replaced(int slot) const { return replaced_[slot]; }

 private:
  HWND boxes_[kKeyBoxes] = {};
  WNDPROC replaced_[kKeyBoxes] = {};
};

// One opening's own state, kept by OpenInputSettingsDialog for its time.
struct Opening {
  input::KeyEdit edit;        // what the boxes and joystick places show
  bool facesSwapped = false;  // the places' buttons hold each other's faces
  std::optional<KeyBoxSubclassing> keyBoxes;
  std::optional<input::InputSettings> decided;  // what DONE saved
};

PictureDialog& Dialog();

// The keys the launcher keeps between openings for its run: each opening
// reads the file over them, so a key the file lacks shows as the dialog last
// left it.
input::InputSettings& KeptForTheRun() {
  static input::InputSettings kept;
  return kept;
}

const char* NameOf(input::KeyCode code) {
  return input::KeyName(input::FixedKeyNameTable(), code);
}

// The two joystick places are the set's last two buttons, each with its own
// hover flag; the assignment shown decides which button's faces each place
// holds.
void PlaceJoysticks(PictureDialog& self) {
  Opening& opening = OpeningOf<Opening>(self);
  const bool swapped = opening.edit.joysticksSwapped;
  if (opening.facesSwapped != swapped) {
    Button& first = self.buttons.buttons[kPlayer1Place];
    Button& second = self.buttons.buttons[kPlayer2Place];
    std::swap(first.normal, second.normal);
    std::swap(first.hover, second.hover);
    std::swap(first.pressed, second.pressed);
    opening.facesSwapped = swapped;
  }
}

void DrawJoysticks(const PictureDialog& self, HWND dialog) {
  DrawButtonFace(self.buttons, dialog, BTN_JOYSTICK_1, kFaceNormal);
  DrawButtonFace(self.buttons, dialog, BTN_JOYSTICK_2, kFaceNormal);
}

void ShowKeys(HWND dialog, const input::KeyEdit& edit) {
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    SetDlgItemTextA(dialog, IDC_FIRST_KEY_BOX + slot, NameOf(edit.shown[slot]));
  }
}

// A key box binds the key released in it and hands the focus on: to the next
// box (the last to the first), or to none after Escape, bound or not.
void OnKeyUp(HWND box, UINT virtualKey, BOOL /*down*/, int /*repeats*/, UINT /*flags*/) {
  Opening& opening = OpeningOf<Opening>(Dialog());
  const int slot = GetDlgCtrlID(box) - IDC_FIRST_KEY_BOX;
  if (input::CaptureKey(opening.edit, slot, virtualKey)) {
    SetWindowTextA(box, NameOf(opening.edit.shown[slot]));
  }
  SetFocus(virtualKey == VK_ESCAPE ? nullptr : opening.keyBoxes->Box((slot + 1) % kKeyBoxes));
}

// Each key box's procedure while the dialog is open; its context menu never
// opens.
LRESULT CALLBACK KeyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const int slot = GetDlgCtrlID(box) - IDC_FIRST_KEY_BOX;
  const PictureDialog& self = Dialog();
  if (slot < 0 || slot >= kKeyBoxes || self.opening == nullptr || !OpeningOf<Opening>(self).keyBoxes) {
    return DefWindowProcA(box, message, wParam, lParam);
  }
  const WNDPROC replaced = OpeningOf<Opening>(self).keyBoxes->Replaced(slot);
  switch (message) {
    case WM_KEYUP:
      HANDLE_WM_KEYUP(box, wParam, lParam, OnKeyUp);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return 0;
    default:
      break;
  }
  return CallWindowProcA(replaced, box, message, wParam, lParam);
}

INT_PTR OnOpen(PictureDialog& self, HWND dialog) {
  Opening& opening = OpeningOf<Opening>(self);
  opening.facesSwapped = false;  // the faces were loaded afresh, in table order
  opening.edit =
      input::OpenKeyEdit(ReadKeyBindings(dialog, kBindingsFile, KeptForTheRun()).value_or(KeptForTheRun()));
  ShowKeys(dialog, opening.edit);
  PlaceJoysticks(self);
  SetFocus(GetDlgItem(dialog, IDC_FIRST_KEY_BOX));
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    SendDlgItemMessageA(dialog, IDC_FIRST_KEY_BOX + slot, EM_SETSEL, 0, -1);
  }
  opening.keyBoxes.emplace(dialog, KeyBoxProc);
  return FALSE;  // the focus is set
}

// The boxes get their own procedures back as the dialog ends, before they
// are destroyed: their destruction is the edit control's to handle (it frees
// the control's text and state there), not the default procedure's.
void Close(PictureDialog& self, HWND dialog) {
  KeptForTheRun() = input::SettingsToSave(OpeningOf<Opening>(self).edit);
  OpeningOf<Opening>(self).keyBoxes.reset();
  EndPictureDialog(self, dialog, 1);
}

void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  Opening& opening = OpeningOf<Opening>(self);
  switch (buttonId) {
    case BTN_INPUT_DONE: {
      const input::InputSettings toSave = input::SettingsToSave(opening.edit);
      if (WriteKeyBindings(dialog, kBindingsFile, toSave)) {
        opening.decided = toSave;
      }
      Close(self, dialog);
      break;
    }
    case BTN_INPUT_RESET:
      input::ResetKeys(opening.edit);
      ShowKeys(dialog, opening.edit);
      PlaceJoysticks(self);
      DrawJoysticks(self, dialog);
      break;
    case BTN_INPUT_CANCEL:
      Close(self, dialog);
      break;
    case BTN_JOYSTICK_1:
    case BTN_JOYSTICK_2:
      // The faces follow the assignment at once, wherever the button goes up:
      // the pressed place keeps its pressed face until then, the other shows
      // its new joystick now.
      input::SwapJoysticks(opening.edit);
      PlaceJoysticks(self);
      DrawButtonFace(self.buttons, dialog, buttonId == BTN_JOYSTICK_1 ? BTN_JOYSTICK_2 : BTN_JOYSTICK_1,
                     kFaceNormal);
      break;
    default:
      break;
  }
}

// Every release shows both joysticks in their normal faces where they now
// are, so a press on a place released outside it leaves no pressed face
// behind; off the places the release step lights the button under it.
void OnRelease(PictureDialog& self, HWND dialog, POINT at) {
  const buttons::Rect& first = self.buttons.buttons[kPlayer1Place].rect;
  const buttons::Rect& second = self.buttons.buttons[kPlayer2Place].rect;
  DrawJoysticks(self, dialog);
  if (!first.Contains(at.x, at.y) && !second.Contains(at.x, at.y)) {
    ReleaseButtonStep(self.buttons, dialog, at.x, at.y);
  }
}

constexpr PictureDialogSpec kInputDialog{
    .templateId = IDD_INPUT_SETTINGS,
    .backgroundSlot = image_slot::kInputDialog,
    .backgroundDrawing = BackgroundDrawing::kThroughMemoryBitmap,
    .buttons = kButtons,
    .traits = DialogButtonTraits(".\\sound\\mmove.wav", ".\\sound\\mclick.wav"),
    .reloadFacesAtOpening = true,
    .onOpen = OnOpen,
    .onButton = OnButton,
    .onRelease = OnRelease,
};

// The button set and its hover flags, which outlive openings.
PictureDialog& Dialog() {
  return RunWideState<kInputDialog>();
}

}  // namespace

std::optional<input::InputSettings> OpenInputSettingsDialog(HWND owner, HINSTANCE instance) {
  return RunForDecision<kInputDialog, Opening>(owner, instance);
}
