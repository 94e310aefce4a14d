// The shipped Quil3D.exe, read as data: its resources are what the dialogs
// and the platform will find in it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win32/in_process.h"
#include "ui/dialog_template.h"

namespace {

using ShippedExecutable = WithShippedExecutable;

// Every dialog template, read with the launcher's own reader, holds each
// control its code addresses, once, and nothing outside its box (a control
// past the edge is never seen); the picture dialogs have no caption over
// their art, and the how-to-play viewer no control at all.
TEST_F(ShippedExecutable, EachDialogHoldsTheControlsItsCodeAddressesInsideItsBox) {
  std::vector<std::uint32_t> keyBoxes(IDC_LAST_KEY_BOX - IDC_FIRST_KEY_BOX + 1);
  std::iota(keyBoxes.begin(), keyBoxes.end(), IDC_FIRST_KEY_BOX);
  const struct {
    int templateId;
    bool picture;
    std::vector<std::uint32_t> controls;
  } kDialogs[] = {
      {IDD_VIDEO_SETTINGS, true, {IDC_DRIVER_LIST, IDC_MODE_LIST, IDC_CALIBRATION_BAR}},
      {IDD_AUDIO_SETTINGS, true, {IDC_MUSIC_BAR, IDC_SOUND_BAR}},
      {IDD_INPUT_SETTINGS, true, keyBoxes},
      {IDD_HOW_TO_PLAY, true, {}},
      {IDD_FILE_ERROR, false, {IDC_FILE_ERROR_OK, IDC_FILE_ERROR_PATH, IDC_FILE_ERROR_TEXT}},
      {IDD_DRIVER_CHECK, false, {IDC_START_WITH_CURRENT_DRIVER, IDC_START_AFTER_SETTING_DRIVER}},
      {IDD_CARD_REPORT, false, {IDC_REPORT_OK, IDC_REPORT_TEXT}},
      {IDD_MOMENTARY, false, {IDCANCEL}},
      {IDD_DRIVER_INSTALLED, false, {IDC_INSTALLED_ICON, IDC_INSTALLED_ADVICE, IDC_INSTALLED_OK}},
      {IDD_DRIVER_GUIDE, false, {IDC_GUIDE_ICON, IDC_GUIDE_LOCATION, IDC_GUIDE_DOWNLOAD, IDC_GUIDE_CANCEL}},
  };
  for (const auto& dialog : kDialogs) {
    SCOPED_TRACE(dialog.templateId);
    const std::optional<dialog_template::Template> parsed =
        dialog_template::Parse(Resource(RT_DIALOG, dialog.templateId));
    ASSERT_TRUE(parsed.has_value());
    const auto& controls = parsed->controls;
    for (const std::uint32_t id : dialog.controls) {
      EXPECT_EQ(std::count_if(controls.begin(), controls.end(), [&](const auto& c) { return c.id == id; }), 1)
          << "control " << id;
    }
    for (const dialog_template::Control& control : controls) {
      const dialog_template::Box& at = control.box;
      EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + at.width <= parsed->box.width &&
                  at.y + at.height <= parsed->box.height)
          << "control " << control.id;
    }
    if (dialog.picture) {
      EXPECT_NE(parsed->style & WS_CAPTION, static_cast<std::uint32_t>(WS_CAPTION));
      EXPECT_EQ(controls.size(), dialog.controls.size()) << "nothing else stands on the art";
    }
  }
}

// Each dialog's picture is drawn for the client area its template gives at two
// pixels a unit, so it is shown pixel for pixel. The audio and video dialogs
// share one picture: it is as wide as both, and as high as one of them or
// between the two.
TEST_F(ShippedExecutable, EachDialogPictureFitsItsDialogsClientArea) {
  const struct {
    const char* picture;
    std::vector<int> templates;
  } kTies[] = {{"inputBK", {IDD_INPUT_SETTINGS}},
               {"smallwin", {IDD_AUDIO_SETTINGS, IDD_VIDEO_SETTINGS}},
               {"how1", {IDD_HOW_TO_PLAY}},
               {"how2", {IDD_HOW_TO_PLAY}},
               {"how3", {IDD_HOW_TO_PLAY}}};
  for (const auto& tie : kTies) {
    SCOPED_TRACE(tie.picture);
    const std::string path = e2e::GameFolder() + "\\resource\\background\\" + tie.picture + ".bmp";
    const std::string header = e2e::ReadFileBytes(path).value_or("").substr(0, 26);
    ASSERT_EQ(header.size(), 26u) << path;
    std::int32_t width = 0, height = 0;
    std::memcpy(&width, header.data() + 18, 4);
    std::memcpy(&height, header.data() + 22, 4);
    std::int32_t lowest = INT32_MAX, highest = 0;
    for (const int id : tie.templates) {
      const std::optional<dialog_template::Template> parsed = dialog_template::Parse(Resource(RT_DIALOG, id));
      ASSERT_TRUE(parsed.has_value()) << id;
      const dialog_template::Box client = dialog_template::InFixedPixels(parsed->box);
      EXPECT_EQ(width, client.width) << id;
      lowest = std::min(lowest, client.height);
      highest = std::max(highest, client.height);
    }
    EXPECT_TRUE(std::abs(height) >= lowest && std::abs(height) <= highest) << height;
  }
}

BOOL CALLBACK NoteType(HMODULE, LPSTR type, LONG_PTR found) {
  reinterpret_cast<std::vector<ULONG_PTR>*>(found)->push_back(reinterpret_cast<ULONG_PTR>(type));
  return TRUE;
}

// Its icons load. A manifest asking for an execution level would switch off
// the platform's file virtualisation, which lets the settings be saved under
// Program Files: it carries none.
TEST_F(ShippedExecutable, ItsIconsLoadAndItCarriesNoManifest) {
  for (int id : {IDI_PROGRAM, IDI_FILE_ERROR}) {
    EXPECT_NE(LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0), nullptr) << id;
  }
  std::vector<ULONG_PTR> types;
  EnumResourceTypesA(module_, NoteType, reinterpret_cast<LONG_PTR>(&types));
  EXPECT_EQ(std::count(types.begin(), types.end(), reinterpret_cast<ULONG_PTR>(RT_MANIFEST)), 0);
}

// One program's version block, read as the platform's Properties sheet and
// installers read it (version.dll).
class VersionBlock {
 public:
  explicit VersionBlock(const std::string& path) {
    DWORD ignored = 0;
    block_.resize(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (!block_.empty() && !GetFileVersionInfoA(path.c_str(), 0, block_.size(), block_.data())) {
      block_.clear();
    }
  }
  bool Read() const { return !block_.empty(); }
  // The value under `key`, at least `size` bytes; null when there is none.
  const void* Value(const std::string& key, UINT size = 0) const {
    void* value = nullptr;
    UINT length = 0;
    const bool found = VerQueryValueA(const_cast<char*>(block_.data()), key.c_str(), &value, &length);
    return found && length >= size ? value : nullptr;
  }
  const VS_FIXEDFILEINFO* Fixed() const {
    return static_cast<const VS_FIXEDFILEINFO*>(Value("\\", sizeof(VS_FIXEDFILEINFO)));
  }
  // A text of the string table its first translation names.
  std::optional<std::string> Text(const char* name) const {
    const auto* translation = static_cast<const WORD*>(Value("\\VarFileInfo\\Translation", 4));
    char key[96] = {};
    if (translation != nullptr) {
      std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name);
    }
    const void* text = translation != nullptr ? Value(key) : nullptr;
    return text != nullptr ? std::optional<std::string>(static_cast<const char*>(text)) : std::nullopt;
  }

 private:
  std::vector<char> block_;
};

// A program or library file of the game folder mapped as the loader maps
// it, as an image resource: nothing of it runs, and no import is bound.
class PeImage {
 public:
  explicit PeImage(const std::string& path)
      : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE)),
        base_(reinterpret_cast<const unsigned char*>(reinterpret_cast<ULONG_PTR>(module_.get()) &
                                                     ~ULONG_PTR{3})) {
    if (base_ != nullptr && At<IMAGE_DOS_HEADER>(0)->e_magic == IMAGE_DOS_SIGNATURE) {
      nt_ = At<IMAGE_NT_HEADERS32>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    }
  }

  const IMAGE_OPTIONAL_HEADER32* Header() const { return nt_ != nullptr ? &nt_->OptionalHeader : nullptr; }

  // The functions it imports, as "DLL!Function" (DLL names in capitals).
  std::vector<std::string> Imports() const {
    std::vector<std::string> imports;
    const DWORD directory =
        nt_ != nullptr ? nt_->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress : 0;
    for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(directory); directory != 0 && dll->Name != 0; ++dll) {
      std::string name = At<char>(dll->Name);
      std::transform(name.begin(), name.end(), name.begin(),
                     [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
      for (auto* thunk = At<DWORD>(dll->OriginalFirstThunk != 0 ? dll->OriginalFirstThunk : dll->FirstThunk);
           *thunk != 0; ++thunk) {
        std::string import = name;
        import += (*thunk & IMAGE_ORDINAL_FLAG32) != 0
                      ? "!#" + std::to_string(*thunk & 0xFFFF)
                      : std::string("!") + At<IMAGE_IMPORT_BY_NAME>(*thunk)->Name;
        imports.push_back(import);
      }
    }
    return imports;
  }

 private:
  template <typename T>
  const T* At(DWORD rva) const {
    return reinterpret_cast<const T*>(base_ + rva);
  }

  support::UniqueModule module_;
  const unsigned char* base_;
  const IMAGE_NT_HEADERS32* nt_ = nullptr;
};

// The imports someone has looked up and found on the Windows 95 family, one
// "DLL!Function" a line (tests/win32/reviewed_imports.txt).
std::set<std::string> ReviewedImports() {
  std::set<std::string> reviewed;
  std::istringstream list(e2e::ReadFileBytes(e2e::EnvironmentPath("QUIL_REVIEWED_IMPORTS")).value_or(""));
  for (std::string text; std::getline(list, text);) {
    const std::string content = text.substr(0, text.find_first_of("#\r\n"));
    if (const std::size_t end = content.find_last_not_of(' '); end != std::string::npos) {
      reviewed.insert(content.substr(0, end + 1));
    }
  }
  return reviewed;
}

// Each shipped program and driver library: the headers say which systems may
// load it (4.0 lets the 95 family and NT 4 in; the link sets them, and a
// toolchain whose default rises must not raise them unseen). Windows 95
// refuses to start a program that imports a function its system libraries
// lack, and Wine will not show it: every import of a program must be on the
// reviewed list (a new one fails here until it has been looked up and added),
// and the list names no function that neither program imports (one the
// launcher stops importing, or loads at run time, leaves the list).
// A program carries the version of the project that built it
// (QUIL_PROJECT_VERSION, from project() in CMakeLists.txt), in numbers and in
// text, and its own file name.
TEST(ShippedFiles, LoadOnWindows4WithReviewedImportsAndTheProjectVersion) {
  const std::set<std::string> reviewed = ReviewedImports();
  ASSERT_GT(reviewed.size(), 50u) << "the reviewed list is read";
  const std::string projectVersion = QUIL_PROJECT_VERSION;
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(projectVersion.c_str(), "%u.%u.%u", &major, &minor, &patch), 3) << projectVersion;
  const DWORD expectedMs = MAKELONG(minor, major), expectedLs = MAKELONG(0, patch);
  const struct {
    std::string file;
    bool program;
  } files[] = {
      {"Quil3D.exe", true},
      {"proc.exe", true},
      {"Driver\\Velox\\Opengl32.dll", false},
      {"Driver\\Velox\\Glu32.dll", false},
  };
  std::set<std::string> imported;
  for (const auto& f : files) {
    SCOPED_TRACE(f.file);
    const std::string path = e2e::GameFolder() + "\\" + f.file;
    const PeImage pe(path);
    const IMAGE_OPTIONAL_HEADER32* header = pe.Header();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ((std::vector<int>{header->MajorOperatingSystemVersion, header->MinorOperatingSystemVersion,
                                header->MajorSubsystemVersion, header->MinorSubsystemVersion}),
              (std::vector<int>{4, 0, 4, 0}));
    if (!f.program) {
      continue;
    }
    EXPECT_EQ(header->Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI) << "a console would open beside it";
    const std::vector<std::string> imports = pe.Imports();
    EXPECT_GT(imports.size(), 50u) << "its import directory is read";
    imported.insert(imports.begin(), imports.end());
    for (const std::string& import : imports) {
      EXPECT_EQ(reviewed.count(import), 1u) << "imports " << import << ", which nobody has reviewed";
    }

    const VersionBlock version(path);
    ASSERT_TRUE(version.Read());
    const VS_FIXEDFILEINFO* fixed = version.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ((std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS}),
              (std::vector<DWORD>{expectedMs, expectedLs, expectedMs, expectedLs}));
    for (const char* field : {"FileVersion", "ProductVersion"}) {
      EXPECT_EQ(version.Text(field), projectVersion) << field;
    }
    EXPECT_EQ(version.Text("OriginalFilename"), f.file);
    EXPECT_EQ(version.Text("ProductName"), "QUIL 3D");
    for (const char* shown : {"CompanyName", "FileDescription", "LegalCopyright"}) {
      EXPECT_NE(version.Text(shown).value_or(""), "") << shown;
    }
  }
  for (const std::string& import : reviewed) {
    EXPECT_EQ(imported.count(import), 1u) << import << " is on the reviewed list, but no program imports it";
  }
}

}  // namespace
