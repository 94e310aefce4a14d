// The stand-in game's window: its class names and the identifiers of the texts
// it shows, which the end-to-end tests read.
#pragma once

namespace game {

constexpr char kWindowClass[] = "Quil3D Game";
// The view that shows the OpenGL frame: a borderless window owned by the
// game's window and lying over its 3D panel.
constexpr char kViewClass[] = "Quil3D Game View";
constexpr char kWindowTitle[] = "QUIL 3D";

// The window's value texts (each a static control with this identifier).
enum TextId : int {
  // Info\GameMode.dat
  kGameModeFileText = 100,
  kGameModeText,
  kTimeStampText,
  // info\keyvalue.cfg: the key names of binding slots 0 to 11 follow
  // kFirstKeyText in slot order.
  kKeysFileText = 110,
  kFirstKeyText,
  kJoystickText = kFirstKeyText + 12,
  // info\video.cfg and info\Driver.dat
  kVideoFileText = 130,
  kCatalogFileText,
  kDriverText,
  kModeText,
  kCalibrationText,
  // info\Audio.cfg
  kAudioFileText = 140,
  kMusicText,
  kSoundText,
  // OpenGL, as Info\Proc.log gives it
  kOpenGlText = 150,
  kLibraryText,
  kStandInDriverText,
  kRendererText,
};

}  // namespace game
