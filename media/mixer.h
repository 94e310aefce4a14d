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

// Previews a music level (0 to 50) on mixer device 0 for the window `owner`,
// whose boxes say what failed; the step is kept for the run.
void SetMusicVolume(HWND owner, std::int32_t level);
