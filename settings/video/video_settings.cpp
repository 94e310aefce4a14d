#include "settings/video/video_settings.h"

#include <algorithm>

#include "common/text_mode.h"
#include "settings/scroll_steps.h"

namespace video {

void ParseVideoSettings(std::string_view fileBytes, VideoSettings& settings) {
  const std::string decoded = text::DecodeTextMode(fileBytes);
  text::Scanner scanner(decoded);
  for (std::int32_t* field :
       {&settings.customized, &settings.driverIndex, &settings.modeIndex, &settings.calibrationLevel}) {
    scanner.ScanIntLine(*field);
  }
}

std::string FormatVideoSettings(const VideoSettings& settings) {
  std::string lines;
  for (const std::int32_t value :
       {settings.customized, settings.driverIndex, settings.modeIndex, settings.calibrationLevel}) {
    lines += std::to_string(value);
    lines += '\n';
  }
  return text::EncodeTextMode(lines);
}

void FitToCatalog(VideoSettings& settings, const DriverCatalog& catalog) {
  settings.customized = settings.customized != 0 ? 1 : 0;
  if (settings.driverIndex < 0 || settings.driverIndex >= catalog.driverCount) {
    settings.driverIndex = 0;
  }
  const std::size_t modes = ModeListTexts(catalog, settings.driverIndex).size();
  if (settings.modeIndex < 0 || static_cast<std::size_t>(settings.modeIndex) >= modes) {
    settings.modeIndex = 0;
  }
  settings.calibrationLevel = std::clamp(settings.calibrationLevel, 0, kHighestCalibrationLevel);
}

ShownVideoValues ShownValues(const VideoSettings& settings) {
  if (settings.customized == 0) {
    return {};
  }
  return {settings.driverIndex, settings.modeIndex, settings.calibrationLevel};
}

std::int32_t ScrolledCalibration(std::int32_t level, int scrollCode, std::int16_t thumbPosition) {
  return settings::ScrolledLevel(level, scrollCode, thumbPosition, kHighestCalibrationLevel);
}

namespace {

void MakeOwn(VideoSettings& settings) {
  if (settings.customized == 0) {
    settings.driverIndex = 0;
    settings.modeIndex = 0;
  }
  settings.customized = 1;
}

}  // namespace

void ChooseDriver(VideoEdit& edit, std::int32_t driverIndex) {
  MakeOwn(edit.now);
  edit.now.driverIndex = driverIndex;
  edit.now.modeIndex = 0;
}

void ChooseMode(VideoEdit& edit, std::int32_t modeIndex) {
  MakeOwn(edit.now);
  edit.now.modeIndex = modeIndex;
}

void ScrollCalibration(VideoEdit& edit, int scrollCode, std::int16_t thumbPosition) {
  MakeOwn(edit.now);
  edit.now.calibrationLevel = ScrolledCalibration(edit.now.calibrationLevel, scrollCode, thumbPosition);
}

void ChooseDefaults(VideoEdit& edit) {
  edit.now.customized = 0;
  edit.now.driverIndex = 0;
  edit.now.modeIndex = 0;
}

VideoSettings SavedAtDone(const VideoEdit& edit, bool driverInPlace) {
  if (driverInPlace) {
    return edit.now;
  }
  return {edit.opened.customized, edit.opened.driverIndex, edit.opened.modeIndex, edit.now.calibrationLevel};
}

DriverChoice WhatChoosingShows(const DriverCatalog& catalog, std::int32_t driverIndex) {
  const DriverKind kind = DriverKindOf(driverIndex);
  if (kind == DriverKind::kCopied) {
    return {DriverChoiceShows::kInstalledNote, std::nullopt};
  }
  if (kind == DriverKind::kSystem || driverIndex < 0 || driverIndex >= catalog.driverCount) {
    return {};
  }
  const bool last = driverIndex == catalog.driverCount - 1;
  return {DriverChoiceShows::kGuide,
          last ? std::nullopt : DriverFolderPath(catalog.drivers[driverIndex].folder)};
}

}  // namespace video
