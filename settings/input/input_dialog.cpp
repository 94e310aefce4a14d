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
// time, each holding `user` as its user data; each gets back the procedure it
// had when the guard goes.
class KeyBoxSubclassing {
 public:
  KeyBoxSubclassing(HWND dialog, WNDPROC procedure, LONG_PTR user) {
    for (int slot = 0; slot < kKeyBoxes; ++slot) {
      boxes_[slot] = GetDlgItem(dialog, IDC_FIRST_KEY_BOX + slot);
      SetWindowLongPtrA(boxes_[slot], GWLP_USERDATA, user);
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

constexpr PictureDialogLook kLook{.templateId = IDD_INPUT_SETTINGS,
                                  .backgroundSlot = image_slot::kInputDialog,
                                  .backgroundDrawing = BackgroundDrawing::kThroughMemoryBitmap,
                                  .buttons = kButtons};

const char* NameOf(input::KeyCode code) {
  return input::KeyName(input::FixedKeyNameTable(), code);
}

class InputDialog final : public PictureDialog {
 public:
  explicit InputDialog(const input::InputSettings& kept)
      : PictureDialog(kLook, ButtonsKeptForTheRun<kLook>()), kept_(kept) {}
  const input::InputSettings& kept() const { return kept_; }

 private:
  BOOL OnOpen(HWND dialog) override {
    facesSwapped_ = false;  // the faces were loaded afresh, in table order
    edit_ = input::OpenKeyEdit(ReadKeyBindings(dialog, kBindingsFile, kept_).value_or(kept_));
    ShowKeys(dialog);
    PlaceJoysticks();
    SetFocus(GetDlgItem(dialog, IDC_FIRST_KEY_BOX));
    for (int slot = 0; slot < kKeyBoxes; ++slot) {
      SendDlgItemMessageA(dialog, IDC_FIRST_KEY_BOX + slot, EM_SETSEL, 0, -1);
    }
    keyBoxes_.emplace(dialog, KeyBoxProc, reinterpret_cast<LONG_PTR>(this));
    return FALSE;  // the focus is set
  }

  void OnButton(HWND dialog, int buttonId) override {
    switch (buttonId) {
      case BTN_INPUT_DONE:
        WriteKeyBindings(dialog, kBindingsFile, input::SettingsToSave(edit_));
        Close(dialog);
        break;
      case BTN_INPUT_RESET:
        input::ResetKeys(edit_);
        ShowKeys(dialog);
        PlaceJoysticks();
        DrawJoysticks(dialog);
        break;
      case BTN_INPUT_CANCEL:
        Close(dialog);
        break;
      case BTN_JOYSTICK_1:
      case BTN_JOYSTICK_2:
        // The faces follow the assignment at once, wherever the button goes
        // up: the pressed place keeps its pressed face until then, the other
        // shows its new joystick now.
        input::SwapJoysticks(edit_);
        PlaceJoysticks();
        DrawButtonFace(buttons(), dialog, buttonId == BTN_JOYSTICK_1 ? BTN_JOYSTICK_2 : BTN_JOYSTICK_1,
                       kFaceNormal);
        break;
      default:
        break;
    }
  }

  // Every release shows both joysticks in their normal faces where they now
  // are, so a press on a place released outside it leaves no pressed face
  // behind; off the places the release step lights the button under it.
  void OnRelease(HWND dialog, POINT at) override {
    DrawJoysticks(dialog);
    if (!buttons().buttons[kPlayer1Place].rect.Contains(at.x, at.y) &&
        !buttons().buttons[kPlayer2Place].rect.Contains(at.x, at.y)) {
      PictureDialog::OnRelease(dialog, at);
    }
  }

  // DONE and CANCEL alike keep for the run what the dialog shows (written or
  // not). The boxes get their own procedures back before they are destroyed:
  // their destruction is the edit control's to handle (it frees the control's
  // text and state there), not the default procedure's.
  void Close(HWND dialog) {
    kept_ = input::SettingsToSave(edit_);
    keyBoxes_.reset();
    End(dialog, 1);
  }

  // The two joystick places are the set's last two buttons, each with its own
  // hover flag; the assignment shown decides which button's faces each place
  // holds.
  void PlaceJoysticks() {
    if (facesSwapped_ != edit_.joysticksSwapped) {
      Button& first = buttons().buttons[kPlayer1Place];
      Button& second = buttons().buttons[kPlayer2Place];
      std::swap(first.normal, second.normal);
      std::swap(first.hover, second.hover);
      std::swap(first.pressed, second.pressed);
      facesSwapped_ = edit_.joysticksSwapped;
    }
  }

  void DrawJoysticks(HWND dialog) {
    DrawButtonFace(buttons(), dialog, BTN_JOYSTICK_1, kFaceNormal);
    DrawButtonFace(buttons(), dialog, BTN_JOYSTICK_2, kFaceNormal);
  }

  void ShowKeys(HWND dialog) const {
    for (int slot = 0; slot < kKeyBoxes; ++slot) {
      SetDlgItemTextA(dialog, IDC_FIRST_KEY_BOX + slot, NameOf(edit_.shown[slot]));
    }
  }

  // A key box binds the key released in it and hands the focus on: to the
  // next box (the last to the first), or to none after Escape, bound or not.
  void OnKeyUp(HWND box, UINT virtualKey) {
    const int slot = GetDlgCtrlID(box) - IDC_FIRST_KEY_BOX;
    if (input::CaptureKey(edit_, slot, virtualKey)) {
      SetWindowTextA(box, NameOf(edit_.shown[slot]));
    }
    SetFocus(virtualKey == VK_ESCAPE ? nullptr : keyBoxes_->Box((slot + 1) % kKeyBoxes));
  }

  // Each key box's procedure while the dialog is open; its context menu never
  // opens.
  static LRESULT CALLBACK KeyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const int slot = GetDlgCtrlID(box) - IDC_FIRST_KEY_BOX;
    auto* self = reinterpret_cast<InputDialog*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (slot < 0 || slot >= kKeyBoxes || self == nullptr || !self->keyBoxes_) {
      return DefWindowProcA(box, message, wParam, lParam);
    }
    const auto keyUp = [self](HWND keyBox, UINT key, BOOL, int, UINT) { self->OnKeyUp(keyBox, key); };
    switch (message) {
      case WM_KEYUP:
        HANDLE_WM_KEYUP(box, wParam, lParam, keyUp);
        break;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        return 0;
      default:
        break;
    }
    return CallWindowProcA(self->keyBoxes_->Replaced(slot), box, message, wParam, lParam);
  }

  input::InputSettings kept_;
  input::KeyEdit edit_;        // what the boxes and joystick places show
  bool facesSwapped_ = false;  // the places' buttons hold each other's faces
  std::optional<KeyBoxSubclassing> keyBoxes_;
};

}  // namespace

input::InputSettings OpenInputSettingsDialog(HWND owner, HINSTANCE instance,
                                             const input::InputSettings& kept) {
  InputDialog dialog(kept);
  dialog.Run(owner, instance);
  return dialog.kept();
}
