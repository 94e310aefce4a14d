#include "media/mixer.h"

#include <windows.h>

#include <mmsystem.h>

#include <vector>

#include "common/win/handles.h"
#include "services/error_box.h"

namespace {

// One open mixer; every query names it as a handle (MIXER_OBJECTF_HMIXER).
class PlatformDevice : public mixer::Device {
 public:
  explicit PlatformDevice(HMIXER mixer) : mixer_(mixer) {}

  bool DestinationByType(std::uint32_t componentType, mixer::Line& line) override {
    MIXERLINEA description = {};
    description.cbStruct = sizeof description;  // 168
    description.dwComponentType = componentType;
    return Query(description, MIXER_GETLINEINFOF_COMPONENTTYPE, line);
  }

  bool Source(const mixer::Line& destination, std::uint32_t index, mixer::Line& line) override {
    MIXERLINEA description = {};
    description.cbStruct = sizeof description;
    description.dwDestination = destination.destination;
    description.dwSource = index;
    return Query(description, MIXER_GETLINEINFOF_SOURCE, line);
  }

  bool ControlByType(const mixer::Line& line, std::uint32_t controlType, mixer::Control& control) override {
    MIXERCONTROLA description = {};
    description.cbStruct = sizeof description;  // 148
    MIXERLINECONTROLSA request = {};
    request.cbStruct = sizeof request;  // 24
    request.dwLineID = line.lineId;
    request.dwControlType = controlType;
    request.cControls = 1;
    request.cbmxctrl = sizeof description;
    request.pamxctrl = &description;
    if (mixerGetLineControlsA(Object(), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE | MIXER_OBJECTF_HMIXER) !=
        MMSYSERR_NOERROR) {
      return false;
    }
    control.controlId = description.dwControlID;
    control.uniform = (description.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) != 0;
    control.minimum = description.Bounds.dwMinimum;
    control.maximum = description.Bounds.dwMaximum;
    return true;
  }

  bool ReadValues(const mixer::Control& control, std::span<std::uint32_t> values) override {
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> details(values.size());
    MIXERCONTROLDETAILS request = Details(control, details);
    if (mixerGetControlDetailsA(Object(), &request, MIXER_GETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER) !=
        MMSYSERR_NOERROR) {
      return false;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
      values[i] = details[i].dwValue;
    }
    return true;
  }

  void WriteValues(const mixer::Control& control, std::span<const std::uint32_t> values) override {
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> details(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      details[i].dwValue = values[i];
    }
    MIXERCONTROLDETAILS request = Details(control, details);
    mixerSetControlDetails(Object(), &request, MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER);
  }

 private:
  HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(mixer_.get()); }

  bool Query(MIXERLINEA& description, DWORD how, mixer::Line& line) {
    if (mixerGetLineInfoA(Object(), &description, how | MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR) {
      return false;
    }
    line.destination = description.dwDestination;
    line.source = description.dwSource;
    line.lineId = description.dwLineID;
    line.componentType = description.dwComponentType;
    line.channels = description.cChannels;
    line.connections = description.cConnections;
    return true;
  }

  static MIXERCONTROLDETAILS Details(const mixer::Control& control,
                                     std::vector<MIXERCONTROLDETAILS_UNSIGNED>& values) {
    MIXERCONTROLDETAILS request = {};
    request.cbStruct = sizeof request;  // 24
    request.dwControlID = control.controlId;
    request.cChannels = static_cast<DWORD>(values.size());
    request.cMultipleItems = 0;
    request.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    request.paDetails = values.data();
    return request;
  }

  win::UniqueMixer mixer_;
};

}  // namespace

std::unique_ptr<mixer::Device> PlatformMixer::Open(std::uint32_t deviceIndex) {
  HMIXER opened = nullptr;
  if (mixerOpen(&opened, deviceIndex, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR || opened == nullptr) {
    return nullptr;
  }
  return std::make_unique<PlatformDevice>(opened);
}

void PlatformMixer::Report(const char* text) {
  ErrorBox(owner_, text);
}
