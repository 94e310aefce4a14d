#include "settings/audio/audio_dialog.h"

#include "media/image_store.h"
#include "resources/resource.h"
#include "settings/audio/audio_file.h"
#include "ui/captions.h"
#include "ui/picture_dialog.h"

namespace {

constexpr char kAudioFile[] = ".\\info\\Audio.cfg";

constexpr ButtonSpec kButtons[] = {
    {BTN_AUDIO_DONE, {46, 230, 236, 266}, IDB_AUDIO_DONE, BTN_AUDIO_DONE},
    {BTN_AUDIO_DEFAULT, {46, 278, 236, 314}, IDB_AUDIO_DEFAULT, BTN_AUDIO_DEFAULT},
};

constexpr PictureDialogLook kLook{.templateId = IDD_AUDIO_SETTINGS,
                                  .backgroundSlot = image_slot::kAudioDialog,
                                  .backgroundDrawing = BackgroundDrawing::kStretched,
                                  .buttons = kButtons};

class AudioDialog final : public PictureDialog {
 public:
  AudioDialog(const audio::AudioSettings& kept, MusicPreview& music)
      : PictureDialog(kLook, ButtonsKeptForTheRun<kLook>()), kept_(kept), music_(music) {}
  const audio::AudioSettings& kept() const { return kept_; }

 private:
  BOOL OnOpen(HWND dialog) override {
    for (const int bar : {IDC_MUSIC_BAR, IDC_SOUND_BAR}) {
      SetScrollRange(GetDlgItem(dialog, bar), SB_CTL, audio::kLowestLevel, audio::kHighestLevel, FALSE);
    }
    levels_ = ReadAudioSettings(dialog, kAudioFile, kept_);
    audio::ApplyDefaultsUnlessCustomized(levels_);
    ShowLevels(dialog);
    return FALSE;
  }

  void DrawExtras(HWND dialog, HDC) override { DrawAudioCaptions(dialog); }

  void OnButton(HWND dialog, int buttonId) override {
    if (buttonId == BTN_AUDIO_DONE) {
      WriteAudioSettings(dialog, kAudioFile, levels_);
      kept_ = levels_;
      End(dialog, 1);
    } else if (buttonId == BTN_AUDIO_DEFAULT) {
      audio::ChooseDefaultLevels(levels_);
      ShowLevels(dialog);
    }
  }

  // Whatever the bar and the code, the mixer hears the music level again and
  // the levels count as the player's own.
  void OnScroll(HWND dialog, HWND bar, UINT code, int position) override {
    audio::StepLevel(levels_, GetDlgCtrlID(bar) - IDC_MUSIC_BAR, static_cast<int>(code),
                     static_cast<std::int16_t>(position));
    music_.Show(dialog, levels_.musicLevel);
    ShowThumbs(dialog);
  }

  void ShowThumbs(HWND dialog) const {
    SetScrollPos(GetDlgItem(dialog, IDC_MUSIC_BAR), SB_CTL, levels_.musicLevel, TRUE);
    SetScrollPos(GetDlgItem(dialog, IDC_SOUND_BAR), SB_CTL, levels_.soundLevel, TRUE);
  }

  // The thumbs, then the mixer.
  void ShowLevels(HWND dialog) {
    ShowThumbs(dialog);
    music_.Show(dialog, levels_.musicLevel);
  }

  audio::AudioSettings kept_;
  MusicPreview& music_;
  audio::AudioSettings levels_;  // what the bars show
};

}  // namespace

audio::AudioSettings AudioSettingsDialog(HWND owner, HINSTANCE instance, const audio::AudioSettings& kept,
                                         MusicPreview& music) {
  AudioDialog dialog(kept, music);
  dialog.Run(owner, instance);
  return dialog.kept();
}
