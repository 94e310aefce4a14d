// The music level on the sound card's mixer, through the platform's mixer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "media/mixer_volume.h"

// The platform's mixer as a mixer::Port: failures are told through ErrorBox,
// owned by the window that previews (null: no owner).
class PlatformMixer : public mixer::Port {
 public:
  explicit PlatformMixer(HWND owner = nullptr) : owner_(owner) {}
  std::unique_ptr<mixer::Device> Open(std::uint32_t deviceIndex) override;
  void Report(const char* text) override;

 private:
  HWND owner_;
};

// The music level (0 to 50) previewed for a window on mixer device 0, whose
// boxes tell what failed; the volume step is kept between previews (0 at first).
class MusicPreview {
 public:
  MusicPreview() = default;
  explicit MusicPreview(mixer::Port& standIn) : standIn_(&standIn) {}  // a stand-in for the platform's mixer
  void Show(HWND window, std::int32_t level) {
    PlatformMixer platform(window);
    mixer::SetMusicVolume(level, standIn_ != nullptr ? *standIn_ : platform, step_);
  }

 private:
  mixer::Port* standIn_ = nullptr;
  int step_ = 0;
};
