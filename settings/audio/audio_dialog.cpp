#include "settings/audio/audio_dialog.h"

#include "media/image_store.h"
#include "media/mixer.h"
#include "ui/captions.h"
#include "ui/picture_dialog.h"
#include "resources/resource.h"
#include "settings/audio/audio_file.h"
#include "settings/scroll_steps.h"

namespace {

constexpr char kAudioFile[] = ".\\info\\Audio.cfg";

constexpr ButtonSpec kButtons[] = {
    {BTN_AUDIO_DONE, {46, 230, 236, 266}, IDB_AUDIO_DONE, BTN_AUDIO_DONE},
    {BTN_AUDIO_DEFAULT, {46, 278, 236, 314}, IDB_AUDIO_DEFAULT, BTN_AUDIO_DEFAULT},
};

void ShowThumbs(HWND dialog, bool redraw) {
  const audio::AudioSettings& settings = audio::Settings();
  SetScrollPos(GetDlgItem(dialog, IDC_MUSIC_BAR), SB_CTL, settings.musicLevel, redraw);
  SetScrollPos(GetDlgItem(dialog, IDC_SOUND_BAR), SB_CTL, settings.soundLevel, redraw);
}

// The thumbs and the mixer from the levels; the defaults when the player has
// not chosen any.
void ApplyAudioLevels(HWND dialog) {
  audio::AudioSettings& settings = audio::Settings();
  audio::ApplyDefaultsUnlessCustomized(settings);
  ShowThumbs(dialog, true);
  SetMusicVolume(dialog, settings.musicLevel);
}

INT_PTR OnOpen(PictureDialog&, HWND dialog) {
  SetScrollRange(GetDlgItem(dialog, IDC_MUSIC_BAR), SB_CTL, audio::kLowestLevel, audio::kHighestLevel, FALSE);
  SetScrollRange(GetDlgItem(dialog, IDC_SOUND_BAR), SB_CTL, audio::kLowestLevel, audio::kHighestLevel, FALSE);
  ReadAudioSettings(dialog, kAudioFile);
  ApplyAudioLevels(dialog);
  return FALSE;
}

void DrawCaptions(HWND dialog, HDC) {
  DrawAudioCaptions(dialog);
}

void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  switch (buttonId) {
    case BTN_AUDIO_DONE:
      WriteAudioSettings(dialog, kAudioFile);
      EndPictureDialog(self, dialog, 1);
      break;
    case BTN_AUDIO_DEFAULT:
      audio::Settings().customized = 0;
      ApplyAudioLevels(dialog);
      break;
    default:
      break;
  }
}

// Whatever the bar and the code, the mixer hears the music level again and
// the levels count as the player's own.
void OnHorizontalScroll(HWND dialog, WPARAM wParam, HWND bar) {
  audio::AudioSettings& levels = audio::Settings();
  const int scrollCode = LOWORD(wParam);
  const auto thumbPosition = static_cast<std::int16_t>(HIWORD(wParam));
  switch (GetDlgCtrlID(bar) - IDC_MUSIC_BAR) {
    case 0:
      levels.musicLevel =
          settings::ScrolledLevel(levels.musicLevel, scrollCode, thumbPosition, audio::kHighestLevel);
      break;
    case 1:
      levels.soundLevel =
          settings::ScrolledLevel(levels.soundLevel, scrollCode, thumbPosition, audio::kHighestLevel);
      break;
    default:
      break;
  }
  SetMusicVolume(dialog, levels.musicLevel);
  ShowThumbs(dialog, true);
  levels.customized = 1;
}

INT_PTR OnOtherMessage(PictureDialog&, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL) {
    OnHorizontalScroll(dialog, wParam, reinterpret_cast<HWND>(lParam));
    return TRUE;
  }
  return FALSE;
}

constexpr PictureDialogSpec kAudioDialog{
    .templateId = IDD_AUDIO_SETTINGS,
    .backgroundSlot = image_slot::kAudioDialog,
    .backgroundDrawing = BackgroundDrawing::kStretched,
    .buttons = kButtons,
    .traits = DialogButtonTraits(".\\Sound\\mmove.wav", ".\\Sound\\mclick.wav"),
    .reloadFacesAtOpening = true,
    .onOpen = OnOpen,
    .drawExtras = DrawCaptions,
    .onButton = OnButton,
    .onOtherMessage = OnOtherMessage,
};

PictureDialog& Dialog() {
  static PictureDialog dialog = MakePictureDialog(kAudioDialog);
  return dialog;
}

}  // namespace

int AudioSettingsDialog(HWND owner, HINSTANCE instance) {
  return RunPictureDialog(Dialog(), owner, instance);
}
