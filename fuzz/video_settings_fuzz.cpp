// video.cfg: what is read is written back as four CR LF lines that read the same.
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/video/video_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  video::VideoSettings settings;
  video::ParseVideoSettings(FuzzBytes(data, size), settings);
  const std::string written = video::FormatVideoSettings(settings);
  FUZZ_CHECK(CrLfLines(written, 4));
  video::VideoSettings again{-1, -2, -3, -4};
  video::ParseVideoSettings(written, again);
  FUZZ_CHECK(again.customized == settings.customized && again.driverIndex == settings.driverIndex &&
             again.modeIndex == settings.modeIndex && again.calibrationLevel == settings.calibrationLevel);
  FUZZ_CHECK(video::FormatVideoSettings(again) == written);
  return 0;
}
