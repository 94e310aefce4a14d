// The caption file as a player meets it: the second line of the file-error
// dialog is the "wm:" text of info\String.dat, or empty without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;

constexpr char kCaptionFile[] = "info\\String.dat";
constexpr char kFlagFile[] = "info\\InitFlag.flg";

TEST(Captions, TheFileErrorDialogShowsTheCaptionFilesText) {
  const struct Case {
    const char* what;
    std::optional<std::string> captionFile;  // nullopt: the shipped one
    bool removed;
    std::string secondLine;
  } cases[] = {
      {"the shipped file", std::nullopt, false,
       "A settings file could not be opened. Check the game folder or reinstall QUIL 3D."},
      {"no caption file", std::nullopt, true, ""},
      {"blanks kept, a tab ends the text, the last line wins",
       "wm:\tfirst\r\nWM:\tnot this\r\nwm:  Two  blanks\tcut here\r\n", false, " Two  blanks"},
      {"a file without the key", "a0:\tMusic\r\n", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameCopy game;
    game.Remove(kFlagFile);
    if (c.removed) {
      game.Remove(kCaptionFile);
    } else if (c.captionFile) {
      game.Write(kCaptionFile, *c.captionFile);
    }
    Launcher launcher(game);
    const std::optional<WindowFacts> dialog = launcher.WaitForDialog();
    ASSERT_TRUE(dialog) << "no file-error dialog";
    EXPECT_EQ(e2e::ControlText(dialog->handle, IDC_FILE_ERROR_TEXT), c.secondLine);
    if (!c.captionFile && !c.removed) {
      e2e::SaveScreenshot("captions-file-error-dialog");
    }
    ASSERT_TRUE(e2e::BringToFront(dialog->handle));
    e2e::LeftClickControl(dialog->handle, IDC_FILE_ERROR_OK);
    EXPECT_EQ(launcher.WaitForExit(), 1u);
  }
}

}  // namespace
