#include "settings/video/driver_catalog.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace std::string_literals;

// A catalog as an earlier opening left it: three drivers and two modes.
video::DriverCatalog Earlier() {
  video::DriverCatalog c;
  c.driverCount = 3;
  for (int i = 0; i < video::kMaxDrivers; ++i) {
    snprintf(c.drivers[i].folder, sizeof c.drivers[i].folder, "f%d", i);
    snprintf(c.drivers[i].name, sizeof c.drivers[i].name, "n%d", i);
  }
  c.modeCount = 2;
  for (int i = 0; i < video::kMaxModes; ++i) {
    c.modes[i] = {i, i, i};
  }
  snprintf(c.lastModeLabel, sizeof c.lastModeLabel, "old");
  return c;
}

// The fields in use, as "folder|name" per driver, "w h b" per mode, the label.
std::string Describe(const video::DriverCatalog& c) {
  std::string d = std::to_string(c.driverCount) + ":";
  for (int i = 0; i < c.driverCount; ++i) {
    d += " [" + std::string(c.drivers[i].folder) + "|" + c.drivers[i].name + "]";
  }
  d += " / " + std::to_string(c.modeCount) + ":";
  for (int i = 0; i < c.modeCount; ++i) {
    const video::DisplayMode& m = c.modes[i];
    d +=
        " " + std::to_string(m.width) + "x" + std::to_string(m.height) + "x" + std::to_string(m.bitsPerPixel);
  }
  return d + " / " + c.lastModeLabel;
}

TEST(DriverCatalog, ReaderCases) {
  // What each file makes of the catalog an earlier opening left.
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"a whole catalog",
       "2\r\n#D System\r\n#N System OpenGL\r\n\t #D Velox\r\n #N Velox 3D\r\n3\r\n640 480 16\r\n"
       "800\t600 16\r\n0 0\r\n0\r\n\r\nDesktop resolution\r\nignored\r\n",
       "2: [System|System OpenGL] [Velox|Velox 3D] / 3: 640x480x16 800x600x16 0x0x0 / Desktop resolution"},
      {"one or two spaces after a tag, a tab, trailing blanks",
       "2\r\n#D  two\r\n#N\tName  \r\n#D one\r\n#N x\r\n0\r\nL\r\n", "2: [ two|Name  ] [one|x] / 0: / L"},
      {"a pair in the wrong order stores neither",
       "2\r\n#N name\r\n#D folder\r\n#D a\r\n#N b\r\n1\r\n1 2 3\r\nL\r\n", "2: [f0|n0] [a|b] / 1: 1x2x3 / L"},
      {"tags without values, other tags, blank lines",
       "3\r\n#D\r\n#N \r\n#d x\r\n#NX y\r\n\r\n   \t\r\n1\r\n1 1 1\r\nL\r\n",
       "3: [f0|n0] [f1|n1] [f2|n2] / 1: 1x1x1 / L"},
      {"the file ends early", "3\r\n#D a\r\n#N b\r\n#D c", "3: [a|b] [c|n1] [f2|n2] / 2: 0x0x0 1x1x1 / old"},
      {"no counts at all", "#D a\r\n", "3: [a|n0] [f1|n1] [f2|n2] / 2: 0x0x0 1x1x1 / old"},
      {"an empty file", "", "3: [f0|n0] [f1|n1] [f2|n2] / 2: 0x0x0 1x1x1 / old"},
      {"negative counts read no records", "-1\r\n-5\r\nL\r\n", "0: / 0: / L"},
      {"a mode that is cut short", "0\r\n2\r\n640 480\r\nL\r\n", "0: / 2: 640x480x0 1x1x1 / L"},
      {"hexadecimal and negative modes", "0\r\n1\r\n0x280 -480 16\r\n", "0: / 1: 0x0x0 / x280 -480 16"},
      {"a NUL byte ends a value, Ctrl-Z the file", "1\r\n#D a\0b\r\n#N c\r\n0\r\nL\x1A"s + "tail\r\n",
       "1: [a|c] / 0: / L"},
      {"a lone CR stays in the value", "1\r\n#D a\rb\r\n#N c\r\r\n0\r\nL\r", "1: [a\rb|c\r] / 0: / L\r"},
      {"no final line end", "1\r\n#D a\r\n#N b\r\n1\r\n1 2 3\r\nDesktop", "1: [a|b] / 1: 1x2x3 / Desktop"},
  };
  for (const auto& [what, bytes, expected] : cases) {
    video::DriverCatalog catalog = Earlier();
    video::ParseDriverCatalog(bytes, catalog);
    EXPECT_EQ(Describe(catalog), expected) << what;
  }
}

TEST(DriverCatalog, TextsLongerThanTheirFieldsAreCut) {
  const std::string folder(60, 'f'), name(60, 'n'), label(80, 'l');
  video::DriverCatalog catalog = Earlier();
  video::ParseDriverCatalog("1\r\n#D " + folder + "\r\n#N " + name + "\r\n0\r\n" + label + "\r\n", catalog);
  EXPECT_EQ(std::string(catalog.drivers[0].folder), folder.substr(0, 41)) << "one more than fits";
  EXPECT_FALSE(video::FolderFits(catalog.drivers[0].folder)) << "too long for its path, not cut into another";
  EXPECT_TRUE(video::FolderFits(std::string(40, 'f').c_str()));
  EXPECT_EQ(std::string(catalog.drivers[0].name), name.substr(0, 49));
  EXPECT_EQ(std::string(catalog.lastModeLabel), label.substr(0, 49));

  // A line over 255 characters is two lines: its rest is taken as the name
  // line, and every line after it shifts by one.
  catalog = Earlier();
  video::ParseDriverCatalog("2\r\n#D " + std::string(300, 'f') + "\r\n#N x\r\n#D y\r\n#N z\r\n0\r\nL\r\n",
                            catalog);
  EXPECT_EQ(Describe(catalog), "2: [" + std::string(41, 'f') + "|n0] [f1|n1] / 2: 0x0x0 1x1x1 / #N z");
}

TEST(DriverCatalog, CountsAboveTheRecordsFillThemAndReadPastTheRest) {
  std::string file = "22\r\n";
  for (int i = 0; i < 22; ++i) {
    file += "#D d" + std::to_string(i) + "\r\n#N n" + std::to_string(i) + "\r\n";
  }
  file += "12\r\n";
  for (int i = 0; i < 12; ++i) {
    file += std::to_string(i) + " 1 2\r\n";
  }
  file += "Desktop resolution\r\n";
  video::DriverCatalog catalog;
  video::ParseDriverCatalog(file, catalog);
  EXPECT_EQ(std::make_tuple(catalog.driverCount, std::string(catalog.drivers[19].folder), catalog.modeCount,
                            catalog.modes[9].width, std::string(catalog.lastModeLabel)),
            std::make_tuple(20, "d19", 10, 9, "Desktop resolution"));

  // Counts far beyond the file end with it.
  for (const char* huge : {"99999999999\r\n#D a\r\n#N b\r\n", "0\r\n2147483647\r\n1 2 3\r\n4 5 x y z\r\n"}) {
    catalog = video::DriverCatalog{};
    video::ParseDriverCatalog(huge, catalog);
    EXPECT_LE(catalog.driverCount, 20) << huge;
    EXPECT_LE(catalog.modeCount, 10) << huge;
  }
  EXPECT_STREQ(catalog.lastModeLabel, "x y z");
}

TEST(DriverCatalog, ModeListTexts) {
  video::DriverCatalog catalog;
  video::ParseDriverCatalog("0\r\n3\r\n640 480 16\r\n-1 2147483647 32\r\n0 0 0\r\nDesktop\r\n", catalog);
  using Texts = std::vector<std::string>;
  EXPECT_EQ(video::ModeListTexts(catalog, 0), (Texts{"640 X 480  16", "-1 X 2147483647  32", "Desktop"}));
  EXPECT_EQ(video::ModeListTexts(catalog, 7), video::ModeListTexts(catalog, 0));
  for (const int copied : {1, 2, 3}) {
    EXPECT_EQ(video::ModeListTexts(catalog, copied), Texts{"640 X 480  16"});
  }
  catalog.modeCount = 1;
  EXPECT_EQ(video::ModeListTexts(catalog, 0), Texts{"Desktop"});
  EXPECT_EQ(video::ModeListTexts(catalog, 4), Texts{"Desktop"});
  EXPECT_EQ(video::ModeListTexts(catalog, 2), Texts{"640 X 480  16"});
}

}  // namespace
