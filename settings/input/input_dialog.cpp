#include "settings/input/input_dialog.h"

#include <utility>

#include "media/image_store.h"
#include "ui/picture_dialog.h"
#include "resources/resource.h"
#include "settings/input/key_bindings_file.h"

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

struct KeyBoxes {
  HWND boxes[kKeyBoxes] = {};
  WNDPROC replaced[kKeyBoxes] = {};
  bool facesSwapped = false;  // the places show each other's joystick faces
};

KeyBoxes& Boxes() {
  static KeyBoxes boxes;
  return boxes;
}

// The two joystick places are the set's last two buttons, each with its own
// hover flag; the assignment decides which button's faces each place shows.
void PlaceJoysticks(PictureDialog& self) {
  const bool swapped = input::Settings().joystickSwap != 0;
  if (Boxes().facesSwapped != swapped) {
    Button& first = self.buttons.buttons[kPlayer1Place];
    Button& second = self.buttons.buttons[kPlayer2Place];
    std::swap(first.normal, second.normal);
    std::swap(first.hover, second.hover);
    std::swap(first.pressed, second.pressed);
    Boxes().facesSwapped = swapped;
  }
}

void DrawJoysticks(const PictureDialog& self, HWND dialog) {
  DrawButtonFace(self.buttons, dialog, BTN_JOYSTICK_1, kFaceNormal);
  DrawButtonFace(self.buttons, dialog, BTN_JOYSTICK_2, kFaceNormal);
}

void ShowNames(HWND dialog, const char* const (&names)[kKeyBoxes]) {
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    SetDlgItemTextA(dialog, IDC_FIRST_KEY_BOX + slot, names[slot]);
  }
}

// The built-in set, shown and taken as the bindings: what the boxes show is
// what DONE saves. Until a key is captured, DONE saves the built-in file.
void ShowDefaultKeyNames(PictureDialog& self, HWND dialog) {
  input::InputSettings& settings = input::Settings();
  const input::DefaultBindings& defaults = input::Defaults();
  const char* names[kKeyBoxes];
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    names[slot] = defaults.names[slot];
    settings.bindings[slot] = defaults.codes[slot];
  }
  input::DefaultsPending() = 1;
  ShowNames(dialog, names);
  PlaceJoysticks(self);
  if (settings.joystickSwap == 0) {
    DrawJoysticks(self, dialog);
  }
}

void ShowBoundKeyNames(HWND dialog) {
  const char* names[kKeyBoxes];
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    names[slot] = input::KeyName(input::KeyNames(), input::Settings().bindings[slot]);
  }
  ShowNames(dialog, names);
}

void CaptureKey(HWND box, int slot, WPARAM virtualKey) {
  const input::KeyCode code = input::FindKeyCode(input::KeyNames(), static_cast<std::uint32_t>(virtualKey));
  if (code == 0) {
    return;
  }
  SetWindowTextA(box, input::KeyName(input::KeyNames(), code));
  input::Settings().bindings[slot] = code;
  input::DefaultsPending() = 0;  // the boxes no longer show the built-in set alone
}

// A key box binds the key released in it and hands the focus on; its context
// menu never opens.
LRESULT CALLBACK KeyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const int slot = GetDlgCtrlID(box) - IDC_FIRST_KEY_BOX;
  if (slot < 0 || slot >= kKeyBoxes || Boxes().replaced[slot] == nullptr) {
    return DefWindowProcA(box, message, wParam, lParam);
  }
  switch (message) {
    case WM_KEYUP:
      CaptureKey(box, slot, wParam);
      SetFocus(wParam == VK_ESCAPE ? nullptr : Boxes().boxes[(slot + 1) % kKeyBoxes]);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return 0;
    default:
      break;
  }
  return CallWindowProcA(Boxes().replaced[slot], box, message, wParam, lParam);
}

INT_PTR OnOpen(PictureDialog& self, HWND dialog) {
  Boxes().facesSwapped = false;  // the faces were loaded afresh, in table order
  input::FillKeyNameTable(input::KeyNames());
  ReadKeyBindings(dialog, kBindingsFile);
  input::DefaultsPending() = 0;
  if (input::Settings().customKeys == 0) {
    input::LoadDefaultBindings(input::Defaults(), input::Settings());
    ShowDefaultKeyNames(self, dialog);
  } else {
    ShowBoundKeyNames(dialog);
  }
  PlaceJoysticks(self);
  KeyBoxes& keys = Boxes();
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    keys.boxes[slot] = GetDlgItem(dialog, IDC_FIRST_KEY_BOX + slot);
  }
  SetFocus(keys.boxes[0]);
  for (HWND box : keys.boxes) {
    SendMessageA(box, EM_SETSEL, 0, -1);
  }
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    keys.replaced[slot] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(keys.boxes[slot], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyBoxProc)));
  }
  return FALSE;  // the focus is set
}

// The boxes get their own procedures back before the dialog goes: their
// destruction is the edit control's to handle (it frees the control's text
// and state there), not the default procedure's.
void Close(PictureDialog& self, HWND dialog) {
  KeyBoxes& keys = Boxes();
  for (int slot = 0; slot < kKeyBoxes; ++slot) {
    if (keys.boxes[slot] != nullptr && keys.replaced[slot] != nullptr) {
      SetWindowLongPtrA(keys.boxes[slot], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(keys.replaced[slot]));
    }
  }
  keys = KeyBoxes{};
  EndPictureDialog(self, dialog, 1);
}

void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  switch (buttonId) {
    case BTN_INPUT_DONE:
      WriteKeyBindings(dialog, kBindingsFile);
      Close(self, dialog);
      break;
    case BTN_INPUT_RESET:
      input::Settings().customKeys = 0;
      input::LoadDefaultBindings(input::Defaults(), input::Settings());
      ShowDefaultKeyNames(self, dialog);
      break;
    case BTN_INPUT_CANCEL:
      input::DefaultsPending() = 0;  // a RESET not saved is dropped with the rest
      Close(self, dialog);
      break;
    case BTN_JOYSTICK_1:
    case BTN_JOYSTICK_2:
      // Any value but 0 means swapped, so the press swaps through 0 and 1
      // (flipping one bit of 2 would leave it swapped). The faces follow the
      // value at once, wherever the button goes up: the pressed place keeps
      // its pressed face until then, the other shows its new joystick now.
      input::Settings().joystickSwap = input::Settings().joystickSwap != 0 ? 0 : 1;
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

PictureDialog& Dialog() {
  static PictureDialog dialog = MakePictureDialog(kInputDialog);
  return dialog;
}

}  // namespace

int OpenInputSettingsDialog(HWND owner, HINSTANCE instance) {
  return RunPictureDialog(Dialog(), owner, instance);
}
