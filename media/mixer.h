// The music level on the sound card's mixer, through the platform's mixer.
#pragma once

#include <cstdint>

#include "media/mixer_volume.h"

// The platform's mixer as a mixer::Port: failures are told through ErrorBox.
class PlatformMixer : public mixer::Port {
 public:
  std::unique_ptr<mixer::Device> Open(std::uint32_t deviceIndex) override;
  void Report(const char* text) override;
};

// Previews a music level (0 to 50) on mixer device 0; the step is kept for
// the run.
void SetMusicVolume(std::int32_t level);
