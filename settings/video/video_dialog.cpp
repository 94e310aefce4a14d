#include "settings/video/video_dialog.h"

#include <windowsx.h>

#include <string>

#include "common/win/file_io.h"
#include "media/image_store.h"
#include "resources/resource.h"
#include "settings/video/driver_dialogs.h"
#include "settings/video/driver_files.h"
#include "settings/video/video_files.h"
#include "ui/captions.h"
#include "ui/picture_dialog.h"

namespace {

constexpr char kCatalogFile[] = ".\\info\\Driver.dat";
constexpr char kVideoFile[] = ".\\info\\video.cfg";

constexpr ButtonSpec kButtons[] = {
    {BTN_VIDEO_DONE, {46, 230, 236, 266}, IDB_VIDEO_DONE, BTN_VIDEO_DONE},
    {BTN_VIDEO_DEFAULT, {46, 278, 236, 314}, IDB_VIDEO_DEFAULT, BTN_VIDEO_DEFAULT},
};

constexpr PictureDialogLook kLook{.templateId = IDD_VIDEO_SETTINGS,
                                  .backgroundSlot = image_slot::kVideoDialog,
                                  .backgroundDrawing = BackgroundDrawing::kStretched,
                                  .buttons = kButtons};

class VideoDialog final : public PictureDialog {
 public:
  explicit VideoDialog(const VideoKept& kept)
      : PictureDialog(kLook, ButtonsKeptForTheRun<kLook>()), kept_(kept) {}
  const VideoKept& kept() const { return kept_; }

 private:
  BOOL OnOpen(HWND dialog) override {
    SetScrollRange(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, 0, video::kHighestCalibrationLevel,
                   FALSE);
    kept_.catalog = LoadDriverCatalog(dialog, kCatalogFile, kept_.catalog);
    video::VideoSettings read = LoadVideoSettings(dialog, kVideoFile, kept_.settings);
    video::FitToCatalog(read, kept_.catalog);
    edit_ = {read, read};
    const HWND list = GetDlgItem(dialog, IDC_DRIVER_LIST);
    for (std::int32_t i = 0; i < kept_.catalog.driverCount; ++i) {
      ComboBox_AddString(list, kept_.catalog.drivers[i].name);
    }
    FillModeList(dialog);
    ShowSettings(dialog);
    return FALSE;
  }

  void DrawExtras(HWND dialog, HDC) override { DrawVideoCaptions(dialog); }

  void OnButton(HWND dialog, int buttonId) override {
    if (buttonId == BTN_VIDEO_DONE) {
      const int shown = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_DRIVER_LIST));
      const bool inPlace = PutDriverInPlace(
          dialog, kVideoFile, video::DriverDoneApplies(kept_.catalog, shown, edit_.now.driverIndex));
      kept_.settings = video::SavedAtDone(edit_, inPlace);
      SaveVideoSettings(dialog, kVideoFile, kept_.settings);
      End(dialog, 1);
    } else if (buttonId == BTN_VIDEO_DEFAULT) {
      video::ChooseDefaults(edit_);
      ShowSettings(dialog);
    }
  }

  void OnCommand(HWND dialog, int id, UINT notification) override {
    const int selected = notification == CBN_SELCHANGE ? ComboBox_GetCurSel(GetDlgItem(dialog, id)) : CB_ERR;
    if (selected == CB_ERR) {
      return;
    }
    if (id == IDC_DRIVER_LIST) {
      OnDriverChosen(dialog, selected);
    } else if (id == IDC_MODE_LIST) {
      const std::int32_t driverBefore = edit_.now.driverIndex;
      video::ChooseMode(edit_, selected);
      ShowChosen(dialog, driverBefore);
    }
  }

  void OnScroll(HWND dialog, HWND, UINT code, int position) override {
    const std::int32_t driverBefore = edit_.now.driverIndex;
    video::ScrollCalibration(edit_, static_cast<int>(code), static_cast<std::int16_t>(position));
    ShowChosen(dialog, driverBefore);
  }

  // The choice counts as the player's at once, so the list keeps showing it
  // even when the dialog held the defaults; then the note or guide that goes
  // with it.
  void OnDriverChosen(HWND dialog, int selected) {
    video::ChooseDriver(edit_, selected);
    FillModeList(dialog);
    ShowSettings(dialog);
    const video::DriverChoice choice = video::WhatChoosingShows(kept_.catalog, selected);
    if (choice.shows == video::DriverChoiceShows::kNothing) {
      return;
    }
    // The guide is this dialog's own: it stays above it, and while it is up
    // neither this dialog (a second guide, DONE) nor its open list takes input.
    SendDlgItemMessageA(dialog, IDC_DRIVER_LIST, CB_SHOWDROPDOWN, FALSE, 0);
    if (choice.shows == video::DriverChoiceShows::kInstalledNote) {
      DriverInstalledDialog(dialog, instance());
    } else {
      win::FullPath location;
      if (choice.guideFolder) {
        win::ResolveFullPath(choice.guideFolder->c_str(), location);
      }
      DriverGuideDialog(dialog, instance(), location.text);
    }
  }

  // After a mode or a level: the settings as they now stand, the mode list
  // filled again when the choice took the driver the list showed.
  void ShowChosen(HWND dialog, std::int32_t driverBefore) {
    if (edit_.now.driverIndex != driverBefore) {
      FillModeList(dialog);
    }
    ShowSettings(dialog);
  }

  void FillModeList(HWND dialog) const {
    const HWND list = GetDlgItem(dialog, IDC_MODE_LIST);
    ComboBox_ResetContent(list);
    for (const std::string& text : video::ModeListTexts(kept_.catalog, edit_.now.driverIndex)) {
      ComboBox_AddString(list, text.c_str());
    }
  }

  void ShowSettings(HWND dialog) const {
    const video::ShownVideoValues shown = video::ShownValues(edit_.now);
    SetScrollPos(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, shown.calibrationLevel, TRUE);
    ComboBox_SetCurSel(GetDlgItem(dialog, IDC_DRIVER_LIST), shown.driver);
    ComboBox_SetCurSel(GetDlgItem(dialog, IDC_MODE_LIST), shown.mode);
  }

  VideoKept kept_;
  video::VideoEdit edit_;  // what the dialog opened with and shows now
};

}  // namespace

VideoKept VideoCalibrationDialog(HWND owner, HINSTANCE instance, const VideoKept& kept) {
  VideoDialog dialog(kept);
  dialog.Run(owner, instance);
  return dialog.kept();
}
