#include "media/intro_playback.h"

namespace intro {

const char kStartingBoxText[] = "Starting AVI";

Ending Play(Port& port, const char* file, int width, int height) {
  std::unique_ptr<Video> video = port.Open(file);
  if (port.NtFamily()) {
    port.ShowBox(kStartingBoxText);
  }
  if (!video) {
    return Ending::kNotOpened;
  }
  video->Place(width, height);
  video->AttachToWindow();
  video->Play();
  const std::uint32_t length = video->Length();
  for (;;) {
    if (length <= video->Position()) {
      return Ending::kReachedEnd;
    }
    if (port.EscapePressed()) {
      video->Pause();
      return Ending::kSkipped;
    }
    // Some devices hold the position one frame short of the length when the
    // video has played out; their mode tells that it is over.
    if (!video->Playing()) {
      return Ending::kStopped;
    }
    port.Rest();
  }
}

}  // namespace intro
