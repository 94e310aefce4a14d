// The platform's mixer binding on the mixers this machine has: the test
// displays' sound set-up gives a mixer 0 that plays but has no recording
// destination, which is reported as such, and nothing is left open; with no
// sound set-up at all (QUIL_NO_SOUND) there is no mixer to open.
#include "media/mixer.h"

#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class RecordingMixer : public PlatformMixer {
 public:
  void Report(const char* text) override { reports.emplace_back(text); }
  std::vector<std::string> reports;
};

TEST(PlatformMixer, WhatEachSoundSetUpOfThisMachineGives) {
  RecordingMixer port;
  MusicPreview preview(port);
  preview.Show(nullptr, 50);
  const char* noSound = std::getenv("QUIL_NO_SOUND");
  if (noSound != nullptr && std::string(noSound) == "1") {
    EXPECT_EQ(port.reports, (std::vector<std::string>{" Mixer Open Error1"}));
    return;
  }
  // Wine's mixer on the test displays' sound set-up: playback only.
  EXPECT_EQ(port.reports, (std::vector<std::string>{" Mixer Open Error2", " Mixer Open Error3"}));
  // Again, so a handle left open by the first call would show as a failure to open.
  port.reports.clear();
  preview.Show(nullptr, 10);
  EXPECT_EQ(port.reports.size(), 2u);
}

}  // namespace
