#include "settings/video/video_dialog.h"

#include <optional>
#include <string>

#include "common/win/file_io.h"
#include "media/image_store.h"
#include "ui/captions.h"
#include "ui/picture_dialog.h"
#include "resources/resource.h"
#include "settings/video/driver_guides.h"
#include "settings/video/driver_install.h"
#include "settings/video/video_choices.h"
#include "settings/video/video_files.h"

namespace {

constexpr char kCatalogFile[] = ".\\info\\Driver.dat";
constexpr char kVideoFile[] = ".\\info\\video.cfg";

constexpr ButtonSpec kButtons[] = {
    {BTN_VIDEO_DONE, {46, 230, 236, 266}, IDB_VIDEO_DONE, BTN_VIDEO_DONE},
    {BTN_VIDEO_DEFAULT, {46, 278, 236, 314}, IDB_VIDEO_DEFAULT, BTN_VIDEO_DEFAULT},
};

// What the dialog keeps for its time on the screen.
struct VideoDialogState {
  // The settings when the dialog opened (within the catalog): video.cfg goes
  // on naming their driver and display mode when the chosen driver's files
  // could not be put in place.
  video::VideoSettings opened;
};

VideoDialogState& State() {
  static VideoDialogState state;
  return state;
}

void FillDriverList(HWND dialog) {
  const video::DriverCatalog& catalog = video::Catalog();
  const HWND list = GetDlgItem(dialog, IDC_DRIVER_LIST);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (std::int32_t i = 0; i < catalog.driverCount; ++i) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(catalog.drivers[i].name));
  }
}

void FillModeList(HWND dialog, std::int32_t driverIndex) {
  const HWND list = GetDlgItem(dialog, IDC_MODE_LIST);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& text : video::ModeListTexts(video::Catalog(), driverIndex)) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void ShowVideoSettings(HWND dialog) {
  const video::ShownVideoValues shown = video::ShownValues(video::Settings());
  SetScrollPos(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, shown.calibrationLevel, TRUE);
  SendMessageA(GetDlgItem(dialog, IDC_DRIVER_LIST), CB_SETCURSEL, static_cast<WPARAM>(shown.driver), 0);
  SendMessageA(GetDlgItem(dialog, IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(shown.mode), 0);
}

INT_PTR OnOpen(PictureDialog&, HWND dialog) {
  SetScrollRange(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, 0, video::kHighestCalibrationLevel, FALSE);
  LoadDriverCatalog(dialog, kCatalogFile);
  LoadVideoSettings(dialog, kVideoFile);
  video::FitToCatalog(video::Settings(), video::Catalog());
  State().opened = video::Settings();
  FillDriverList(dialog);
  FillModeList(dialog, video::Settings().driverIndex);
  ShowVideoSettings(dialog);
  return FALSE;
}

void DrawCaptions(HWND dialog, HDC) {
  DrawVideoCaptions(dialog);
}

// The choice counts as the player's at once, so the list keeps showing it
// even when the dialog held the defaults; then the guide that goes with it.
void OnDriverChosen(const PictureDialog& self, HWND dialog) {
  video::VideoSettings& settings = video::Settings();
  const LRESULT selected = SendMessageA(GetDlgItem(dialog, IDC_DRIVER_LIST), CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    return;
  }
  settings.driverIndex = static_cast<std::int32_t>(selected);
  FillModeList(dialog, settings.driverIndex);
  settings.modeIndex = 0;
  settings.customized = 1;
  ShowVideoSettings(dialog);
  const video::DriverChoice choice = video::WhatChoosingShows(video::Catalog(), settings.driverIndex);
  if (choice.shows == video::DriverChoiceShows::kNothing) {
    return;
  }
  // The guide is this dialog's own: it stays above it, and while it is up
  // neither this dialog (a second guide, DONE) nor its open list takes input.
  SendDlgItemMessageA(dialog, IDC_DRIVER_LIST, CB_SHOWDROPDOWN, FALSE, 0);
  if (choice.shows == video::DriverChoiceShows::kInstalledNote) {
    DriverInstalledDialog(dialog, self.instance);
  } else if (choice.shows == video::DriverChoiceShows::kGuide) {
    win::FullPath location;
    if (choice.guideFolder) {
      win::ResolveFullPath(choice.guideFolder->c_str(), location);
    }
    DriverGuideDialog(dialog, self.instance, location.text);
  }
}

void OnModeChosen(HWND dialog) {
  const LRESULT selected = SendMessageA(GetDlgItem(dialog, IDC_MODE_LIST), CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) {
    video::Settings().modeIndex = static_cast<std::int32_t>(selected);
    video::Settings().customized = 1;
  }
}

void OnScroll(HWND dialog, WPARAM wParam) {
  video::VideoSettings& settings = video::Settings();
  settings.calibrationLevel = video::ScrolledCalibration(settings.calibrationLevel, LOWORD(wParam),
                                                         static_cast<std::int16_t>(HIWORD(wParam)));
  SetScrollPos(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, settings.calibrationLevel, TRUE);
  settings.customized = 1;
}

INT_PTR OnOtherMessage(PictureDialog& self, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == IDC_DRIVER_LIST) {
        OnDriverChosen(self, dialog);
      } else if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == IDC_MODE_LIST) {
        OnModeChosen(dialog);
      }
      return TRUE;  // Enter and Escape do nothing
    case WM_HSCROLL:
      OnScroll(dialog, wParam);
      return TRUE;
    default:
      return FALSE;
  }
}

// DONE applies the driver the list shows when it is the one the settings
// hold (an untouched list included, so a working installed driver is never
// deleted by a DONE that changed nothing, and a stored driver the defaults
// keep out of sight is never installed), then saves the settings; see
// ApplyAndSaveAtDone for what video.cfg names when the driver cannot be put
// in place.
void SaveAtDone(HWND dialog) {
  const LRESULT shown = SendMessageA(GetDlgItem(dialog, IDC_DRIVER_LIST), CB_GETCURSEL, 0, 0);
  const std::optional<video::AppliedDriver> applied =
      video::DriverDoneApplies(video::Catalog(), shown == CB_ERR ? -1 : static_cast<std::int32_t>(shown),
                               video::Settings().driverIndex);
  ApplyAndSaveAtDone(dialog, kVideoFile, applied, State().opened);
}

void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  video::VideoSettings& settings = video::Settings();
  switch (buttonId) {
    case BTN_VIDEO_DONE:
      SaveAtDone(dialog);
      EndPictureDialog(self, dialog, 1);
      break;
    case BTN_VIDEO_DEFAULT:
      settings.customized = 0;
      settings.driverIndex = 0;
      settings.modeIndex = 0;
      ShowVideoSettings(dialog);
      break;
    default:
      break;
  }
}

constexpr PictureDialogSpec kVideoDialog{
    .templateId = IDD_VIDEO_SETTINGS,
    .backgroundSlot = image_slot::kVideoDialog,
    .backgroundDrawing = BackgroundDrawing::kStretched,
    .buttons = kButtons,
    .traits = DialogButtonTraits(".\\sound\\mmove.wav", ".\\sound\\mclick.wav"),
    .reloadFacesAtOpening = true,
    .onOpen = OnOpen,
    .drawExtras = DrawCaptions,
    .onButton = OnButton,
    .onOtherMessage = OnOtherMessage,
};

PictureDialog& Dialog() {
  static PictureDialog dialog = MakePictureDialog(kVideoDialog);
  return dialog;
}

}  // namespace

int VideoCalibrationDialog(HWND owner, HINSTANCE instance) {
  return RunPictureDialog(Dialog(), owner, instance);
}
