// The intro's playback walk: open the file, on the NT family show "Starting
// AVI", place the picture, play, and wait for the end or for Escape. It is
// written against a narrow port so that every ending can be exercised; the
// media control interface is one binding of it (media/intro_video.h).
#pragma once

#include <cstdint>
#include <memory>

namespace intro {

extern const char kStartingBoxText[];  // "Starting AVI"

// One open video; closed when it goes.
class Video {
 public:
  virtual ~Video() = default;
  // The picture fills the rectangle (0, 0, width, height) of the window.
  virtual void Place(int width, int height) = 0;
  virtual void AttachToWindow() = 0;
  // Starts playing from the current position and returns at once.
  virtual void Play() = 0;
  // In frames; 0 when the device cannot tell.
  virtual std::uint32_t Length() = 0;
  virtual std::uint32_t Position() = 0;
  // False once the device has stopped, and when it cannot tell.
  virtual bool Playing() = 0;
  virtual void Pause() = 0;
};

class Port {
 public:
  virtual ~Port() = default;
  // Nothing when the file cannot be opened.
  virtual std::unique_ptr<Video> Open(const char* file) = 0;
  virtual bool NtFamily() = 0;
  // Shows the text and returns once it has been dismissed.
  virtual void ShowBox(const char* text) = 0;
  // Escape is down now, or was pressed since the last question.
  virtual bool EscapePressed() = 0;
  // Gives the processor away for a few milliseconds between two polls.
  virtual void Rest() = 0;
};

enum class Ending {
  kNotOpened,   // the file could not be opened
  kReachedEnd,  // the position reached the length
  kStopped,     // the device stopped by itself (some stop one frame short)
  kSkipped,     // Escape; the video was paused
};

// Plays `file` stretched to (0, 0, width, height) and returns when it has
// ended, was skipped or could not start. The video is closed on every path.
Ending Play(Port& port, const char* file, int width, int height);

}  // namespace intro
