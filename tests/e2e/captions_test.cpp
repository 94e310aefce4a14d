// A missing flag file as a player meets it: the file-error dialog before any
// stage, without an owner, its second line the "wm:" text of info\String.dat
// (empty without one), and the flag file never created.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/stage_fixture.h"

namespace {

using e2e::GameCopy;
using e2e::Launcher;
using e2e::WindowFacts;

constexpr char kCaptionFile[] = "info\\String.dat";
constexpr char kFlagFile[] = "info\\InitFlag.flg";

TEST(Captions, AMissingFlagFileEndsInTheFileErrorDialogWithTheCaptionFilesText) {
  const struct Case {
    const char* what;
    std::optional<std::string> captionFile;  // nullopt: none, empty: the shipped one
    std::string secondLine;
  } cases[] = {
      {"the shipped file", "",
       "A settings file could not be opened. Check the game folder or reinstall QUIL 3D."},
      {"no caption file", std::nullopt, ""},
      {"blanks kept, a tab ends the text, the last line wins",
       "wm:\tfirst\r\nWM:\tnot this\r\nwm:  Two  blanks\tcut here\r\n", " Two  blanks"},
      {"a file without the key", "a0:\tMusic\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameCopy game;
    game.Remove(kFlagFile);
    if (c.captionFile && !c.captionFile->empty()) {
      game.Write(kCaptionFile, *c.captionFile);
    } else if (!c.captionFile) {
      game.Remove(kCaptionFile);
    }
    Launcher launcher(game);
    const std::optional<WindowFacts> dialog = launcher.WaitForDialog();
    ASSERT_TRUE(dialog) << "no file-error dialog";
    EXPECT_EQ(dialog->owner, nullptr) << "at start-up the dialog has no owner";
    EXPECT_FALSE(launcher.Stage()) << "the stage is not shown before the flag is read";
    EXPECT_EQ(e2e::ControlText(dialog->handle, IDC_FILE_ERROR_TEXT), c.secondLine);
    e2e::SaveScreenshot("file-error-dialog");
    ExpectFileErrorDialogEndsTheLauncher(launcher, game.PathOf(kFlagFile));
    EXPECT_FALSE(e2e::FileExists(game.PathOf(kFlagFile)))
        << "the launcher never creates the flag file itself";
  }
}

}  // namespace
