#include "media/mixer_volume.h"

#include <algorithm>
#include <vector>

namespace mixer {

const char kOpenError1[] = " Mixer Open Error1";
const char kOpenError2[] = " Mixer Open Error2";
const char kOpenError3[] = " Mixer Open Error3";

namespace {

constexpr std::uint32_t kDivisors[] = {12, 8, 4, 2, 1};
constexpr std::int32_t kLevelsPerStep = 10;
constexpr std::int32_t kTopLevel = 50;
// More than any sound card has: a line claiming more is not believed.
constexpr std::uint32_t kMaxChannels = 64;

// The CD-audio source of the destination, else the last source that answered,
// else (no sources) the destination itself.
Line ChooseLine(Device& device, const Line& destination) {
  Line chosen = destination;
  for (std::uint32_t index = 0; index < destination.connections; ++index) {
    Line source;
    if (!device.Source(destination, index, source)) {
      continue;
    }
    chosen = source;
    if (source.componentType == kCompactDiscSource) {
      break;
    }
  }
  return chosen;
}

}  // namespace

int VolumeStep(std::int32_t level, int previous) {
  if (level < 0 || level > kTopLevel) {
    return previous;
  }
  return level <= kLevelsPerStep ? 0 : static_cast<int>((level - 1) / kLevelsPerStep);
}

std::uint32_t VolumeValue(std::uint32_t minimum, std::uint32_t maximum, int step) {
  const int index = std::clamp(step, 0, static_cast<int>(std::size(kDivisors)) - 1);
  return (minimum + maximum) / kDivisors[index];
}

// Without a device or a wave-in destination there is nothing to work on: the
// call reports and ends there (after the third message, which the second one
// always brings).
void SetMusicVolume(std::int32_t level, Port& port, int& step) {
  const std::unique_ptr<Device> device = port.Open(0);
  if (!device) {
    port.Report(kOpenError1);
    return;
  }
  Line destination;
  if (!device->DestinationByType(kWaveInDestination, destination)) {
    port.Report(kOpenError2);
    port.Report(kOpenError3);
    return;
  }
  const Line line = ChooseLine(*device, destination);
  Control control;
  if (!device->ControlByType(line, kVolumeControl, control)) {
    return;
  }
  // A line that reports no channels still has the one its control sets.
  const std::uint32_t channels =
      control.uniform ? 1 : std::clamp<std::uint32_t>(line.channels, 1, kMaxChannels);
  std::vector<std::uint32_t> values(channels, 0);
  device->ReadValues(control, values);
  step = VolumeStep(level, step);
  values.front() = values.back() = VolumeValue(control.minimum, control.maximum, step);
  device->WriteValues(control, values);
}

}  // namespace mixer
