#include "settings/audio/audio_dialog.h"

#include <windowsx.h>

#include <optional>

#include "media/image_store.h"
#include "media/mixer.h"
#include "ui/captions.h"
#include "ui/picture_dialog.h"
#include "resources/resource.h"
#include "settings/audio/audio_file.h"

namespace {

constexpr char kAudioFile[] = ".\\info\\Audio.cfg";

constexpr ButtonSpec kButtons[] = {
    {BTN_AUDIO_DONE, {46, 230, 236, 266}, IDB_AUDIO_DONE, BTN_AUDIO_DONE},
    {BTN_AUDIO_DEFAULT, {46, 278, 236, 314}, IDB_AUDIO_DEFAULT, BTN_AUDIO_DEFAULT},
};

// One opening: the levels shown, and what DONE saved.
struct AudioOpening {
  audio::AudioSettings levels;
  std::optional<audio::AudioSettings> decided;
};

// The levels the launcher keeps between openings for its run: each opening
// reads the file over them, so a line the file lacks keeps the last level.
audio::AudioSettings& KeptForTheRun() {
  static audio::AudioSettings kept;
  return kept;
}

audio::AudioSettings& Levels(const PictureDialog& self) {
  return OpeningOf<AudioOpening>(self).levels;
}

void ShowThumbs(HWND dialog, const audio::AudioSettings& levels) {
  SetScrollPos(GetDlgItem(dialog, IDC_MUSIC_BAR), SB_CTL, levels.musicLevel, TRUE);
  SetScrollPos(GetDlgItem(dialog, IDC_SOUND_BAR), SB_CTL, levels.soundLevel, TRUE);
}

// The thumbs, then the mixer, from the levels.
void ShowLevels(HWND dialog, const audio::AudioSettings& levels) {
  ShowThumbs(dialog, levels);
  SetMusicVolume(dialog, levels.musicLevel);
}

INT_PTR OnOpen(PictureDialog& self, HWND dialog) {
  SetScrollRange(GetDlgItem(dialog, IDC_MUSIC_BAR), SB_CTL, audio::kLowestLevel, audio::kHighestLevel, FALSE);
  SetScrollRange(GetDlgItem(dialog, IDC_SOUND_BAR), SB_CTL, audio::kLowestLevel, audio::kHighestLevel, FALSE);
  audio::AudioSettings& levels = Levels(self);
  levels = ReadAudioSettings(dialog, kAudioFile, KeptForTheRun());
  audio::ApplyDefaultsUnlessCustomized(levels);
  ShowLevels(dialog, levels);
  return FALSE;
}

void DrawCaptions(HWND dialog, HDC) {
  DrawAudioCaptions(dialog);
}

void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  AudioOpening& opening = OpeningOf<AudioOpening>(self);
  switch (buttonId) {
    case BTN_AUDIO_DONE:
      KeptForTheRun() = opening.levels;
      if (WriteAudioSettings(dialog, kAudioFile, opening.levels)) {
        opening.decided = opening.levels;
      }
      EndPictureDialog(self, dialog, 1);
      break;
    case BTN_AUDIO_DEFAULT:
      audio::ChooseDefaultLevels(opening.levels);
      ShowLevels(dialog, opening.levels);
      break;
    default:
      break;
  }
}

// Whatever the bar and the code, the mixer hears the music level again and
// the levels count as the player's own.
void OnHorizontalScroll(const PictureDialog& self, HWND dialog, HWND bar, UINT scrollCode,
                        int thumbPosition) {
  audio::AudioSettings& levels = Levels(self);
  audio::StepLevel(levels, GetDlgCtrlID(bar) - IDC_MUSIC_BAR, static_cast<int>(scrollCode),
                   static_cast<std::int16_t>(thumbPosition));
  SetMusicVolume(dialog, levels.musicLevel);
  ShowThumbs(dialog, levels);
}

INT_PTR OnOtherMessage(PictureDialog& self, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto scroll = [&](HWND, HWND bar, UINT code, int position) {
    OnHorizontalScroll(self, dialog, bar, code, position);
  };
  if (message == WM_HSCROLL) {
    HANDLE_WM_HSCROLL(dialog, wParam, lParam, scroll);
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

}  // namespace

std::optional<audio::AudioSettings> AudioSettingsDialog(HWND owner, HINSTANCE instance) {
  return RunForDecision<kAudioDialog, AudioOpening>(owner, instance);
}
