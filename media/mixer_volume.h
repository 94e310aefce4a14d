// The music level (0 to 50) set on the sound card's mixer: the volume control
// of the CD-audio line that feeds the recording (wave-in) destination of
// mixer device 0. The walk over the mixer is written against a narrow port,
// so that every branch can be exercised with a mixer of any shape; the
// platform's mixer is one binding of it (media/mixer.h).
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace mixer {

// The platform's published values.
constexpr std::uint32_t kWaveInDestination = 7;       // MIXERLINE_COMPONENTTYPE_DST_WAVEIN
constexpr std::uint32_t kCompactDiscSource = 0x1005;  // MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC
constexpr std::uint32_t kVolumeControl = 0x50030001;  // MIXERCONTROL_CONTROLTYPE_VOLUME

extern const char kOpenError1[];  // " Mixer Open Error1"
extern const char kOpenError2[];  // " Mixer Open Error2"
extern const char kOpenError3[];  // " Mixer Open Error3"

struct Line {
  std::uint32_t destination = 0;  // the destination's index (a source's destination)
  std::uint32_t source = 0;
  std::uint32_t lineId = 0;
  std::uint32_t componentType = 0;
  std::uint32_t channels = 0;
  std::uint32_t connections = 0;  // a destination's source lines
};

struct Control {
  std::uint32_t controlId = 0;
  bool uniform = false;  // one value for every channel
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
};

// One open mixer device; closed when it goes.
class Device {
 public:
  virtual ~Device() = default;
  virtual bool DestinationByType(std::uint32_t componentType, Line& line) = 0;
  virtual bool Source(const Line& destination, std::uint32_t index, Line& line) = 0;
  virtual bool ControlByType(const Line& line, std::uint32_t controlType, Control& control) = 0;
  // As many values as the span holds, one per channel.
  virtual bool ReadValues(const Control& control, std::span<std::uint32_t> values) = 0;
  virtual void WriteValues(const Control& control, std::span<const std::uint32_t> values) = 0;
};

class Port {
 public:
  virtual ~Port() = default;
  // The device, or null when it cannot be opened.
  virtual std::unique_ptr<Device> Open(std::uint32_t deviceIndex) = 0;
  // Tells the player about a failure.
  virtual void Report(const char* text) = 0;
};

// The step (0 to 4) for a level; a level outside 0 to 50 keeps `previous`.
int VolumeStep(std::int32_t level, int previous);

// The volume of a step for a control's bounds: (minimum + maximum) divided by
// 12, 8, 4, 2 or 1, in unsigned 32-bit arithmetic.
std::uint32_t VolumeValue(std::uint32_t minimum, std::uint32_t maximum, int step);

// Sets the music level on mixer device 0 of `port`. `step` is the volume
// step kept between calls (0 at start-up).
void SetMusicVolume(std::int32_t level, Port& port, int& step);

}  // namespace mixer
