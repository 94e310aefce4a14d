#include "settings/video/video_dialog.h"

#include <windowsx.h>

#include <optional>
#include <string>

#include "common/win/file_io.h"
#include "media/image_store.h"
#include "ui/captions.h"
#include "ui/picture_dialog.h"
#include "resources/resource.h"
#include "settings/video/driver_dialogs.h"
#include "settings/video/driver_files.h"
#include "settings/video/video_files.h"

namespace {

constexpr char kCatalogFile[] = ".\\info\\Driver.dat";
constexpr char kVideoFile[] = ".\\info\\video.cfg";

constexpr ButtonSpec kButtons[] = {
    {BTN_VIDEO_DONE, {46, 230, 236, 266}, IDB_VIDEO_DONE, BTN_VIDEO_DONE},
    {BTN_VIDEO_DEFAULT, {46, 278, 236, 314}, IDB_VIDEO_DEFAULT, BTN_VIDEO_DEFAULT},
};

// One opening: the catalog and the settings as read, what the dialog shows
// now, and what DONE saved.
struct VideoOpening {
  video::DriverCatalog catalog;
  video::VideoEdit edit;
  std::optional<video::VideoSettings> decided;
};

// The catalog and settings the launcher keeps between openings for its run:
// each opening reads the files over them, so what a file lacks keeps its
// last value.
struct KeptForTheRun {
  video::DriverCatalog catalog;
  video::VideoSettings settings;
};
KeptForTheRun& Kept() {
  static KeptForTheRun kept;
  return kept;
}

VideoOpening& Opening(const PictureDialog& self) {
  return OpeningOf<VideoOpening>(self);
}

void FillDriverList(HWND dialog, const video::DriverCatalog& catalog) {
  const HWND list = GetDlgItem(dialog, IDC_DRIVER_LIST);
  ComboBox_ResetContent(list);
  for (std::int32_t i = 0; i < catalog.driverCount; ++i) {
    ComboBox_AddString(list, catalog.drivers[i].name);
  }
}

void FillModeList(HWND dialog, const video::DriverCatalog& catalog, std::int32_t driverIndex) {
  const HWND list = GetDlgItem(dialog, IDC_MODE_LIST);
  ComboBox_ResetContent(list);
  for (const std::string& text : video::ModeListTexts(catalog, driverIndex)) {
    ComboBox_AddString(list, text.c_str());
  }
}

void ShowVideoSettings(HWND dialog, const video::VideoSettings& settings) {
  const video::ShownVideoValues shown = video::ShownValues(settings);
  SetScrollPos(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, shown.calibrationLevel, TRUE);
  ComboBox_SetCurSel(GetDlgItem(dialog, IDC_DRIVER_LIST), shown.driver);
  ComboBox_SetCurSel(GetDlgItem(dialog, IDC_MODE_LIST), shown.mode);
}

INT_PTR OnOpen(PictureDialog& self, HWND dialog) {
  VideoOpening& opening = Opening(self);
  SetScrollRange(GetDlgItem(dialog, IDC_CALIBRATION_BAR), SB_CTL, 0, video::kHighestCalibrationLevel, FALSE);
  opening.catalog = Kept().catalog = LoadDriverCatalog(dialog, kCatalogFile, Kept().catalog);
  video::VideoSettings read = LoadVideoSettings(dialog, kVideoFile, Kept().settings);
  video::FitToCatalog(read, opening.catalog);
  opening.edit = {read, read};
  FillDriverList(dialog, opening.catalog);
  FillModeList(dialog, opening.catalog, read.driverIndex);
  ShowVideoSettings(dialog, read);
  return FALSE;
}

void DrawCaptions(HWND dialog, HDC) {
  DrawVideoCaptions(dialog);
}

// The choice counts as the player's at once, so the list keeps showing it
// even when the dialog held the defaults; then the note or guide that goes
// with it.
void OnDriverChosen(const PictureDialog& self, HWND dialog) {
  VideoOpening& opening = Opening(self);
  const int selected = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_DRIVER_LIST));
  if (selected == CB_ERR) {
    return;
  }
  video::ChooseDriver(opening.edit, selected);
  FillModeList(dialog, opening.catalog, selected);
  ShowVideoSettings(dialog, opening.edit.now);
  const video::DriverChoice choice = video::WhatChoosingShows(opening.catalog, selected);
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

// After a mode or a level: the settings as they now stand, the mode list
// filled again when the choice took the driver the list showed.
void ShowChosen(const PictureDialog& self, HWND dialog, std::int32_t driverBefore) {
  const VideoOpening& opening = Opening(self);
  if (opening.edit.now.driverIndex != driverBefore) {
    FillModeList(dialog, opening.catalog, opening.edit.now.driverIndex);
  }
  ShowVideoSettings(dialog, opening.edit.now);
}

void OnModeChosen(const PictureDialog& self, HWND dialog) {
  const int selected = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_MODE_LIST));
  const std::int32_t driverBefore = Opening(self).edit.now.driverIndex;
  if (selected != CB_ERR) {
    video::ChooseMode(Opening(self).edit, selected);
    ShowChosen(self, dialog, driverBefore);
  }
}

void OnScroll(const PictureDialog& self, HWND dialog, UINT scrollCode, int thumbPosition) {
  video::VideoEdit& edit = Opening(self).edit;
  const std::int32_t driverBefore = edit.now.driverIndex;
  video::ScrollCalibration(edit, static_cast<int>(scrollCode), static_cast<std::int16_t>(thumbPosition));
  ShowChosen(self, dialog, driverBefore);
}

void OnCommand(const PictureDialog& self, HWND dialog, int id, UINT notification) {
  if (notification == CBN_SELCHANGE && id == IDC_DRIVER_LIST) {
    OnDriverChosen(self, dialog);
  } else if (notification == CBN_SELCHANGE && id == IDC_MODE_LIST) {
    OnModeChosen(self, dialog);
  }
}

INT_PTR OnOtherMessage(PictureDialog& self, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto command = [&](HWND, int id, HWND, UINT notification) {
    OnCommand(self, dialog, id, notification);
  };
  const auto scroll = [&](HWND, HWND, UINT code, int position) { OnScroll(self, dialog, code, position); };
  switch (message) {
    case WM_COMMAND:
      HANDLE_WM_COMMAND(dialog, wParam, lParam, command);
      return TRUE;  // Enter and Escape do nothing
    case WM_HSCROLL:
      HANDLE_WM_HSCROLL(dialog, wParam, lParam, scroll);
      return TRUE;
    default:
      return FALSE;
  }
}

void OnButton(PictureDialog& self, HWND dialog, int buttonId) {
  VideoOpening& opening = Opening(self);
  switch (buttonId) {
    case BTN_VIDEO_DONE: {
      const int shown = ComboBox_GetCurSel(GetDlgItem(dialog, IDC_DRIVER_LIST));
      const bool inPlace = PutDriverInPlace(
          dialog, kVideoFile, video::DriverDoneApplies(opening.catalog, shown, opening.edit.now.driverIndex));
      const video::VideoSettings saved = video::SavedAtDone(opening.edit, inPlace);
      SaveVideoSettings(dialog, kVideoFile, saved);
      opening.decided = Kept().settings = saved;
      EndPictureDialog(self, dialog, 1);
      break;
    }
    case BTN_VIDEO_DEFAULT:
      video::ChooseDefaults(opening.edit);
      ShowVideoSettings(dialog, opening.edit.now);
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

}  // namespace

std::optional<video::VideoSettings> VideoCalibrationDialog(HWND owner, HINSTANCE instance) {
  return RunForDecision<kVideoDialog, VideoOpening>(owner, instance);
}
