// The settings files' path and write layer, on the real file system.
#include "common/win/file_io.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A temporary folder that is the current folder for one test.
class InTemporaryFolder : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "quil-io-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA((folder_ + "\\info").c_str(), nullptr);
    GetCurrentDirectoryA(MAX_PATH, previous_);
    SetCurrentDirectoryA(folder_.c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_);
    Clean(folder_);
  }

  static void Clean(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") {
          continue;
        }
        const std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Clean(path);
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string Full(const std::string& relative) const { return folder_ + "\\" + relative; }

  int FilesIn(const std::string& relativeFolder) const {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((Full(relativeFolder) + "\\*").c_str(), &entry);
    int count = 0;
    if (find != INVALID_HANDLE_VALUE) {
      do {
        count += (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    return count;
  }

  std::string folder_;
  char previous_[MAX_PATH] = {};
};

TEST_F(InTemporaryFolder, RelativePathsResolveAgainstTheCurrentFolder) {
  win::FullPath full;
  ASSERT_TRUE(win::ResolveFullPath(".\\info\\InitFlag.flg", full));
  EXPECT_STRCASEEQ(full.text, Full("info\\InitFlag.flg").c_str());
}

TEST_F(InTemporaryFolder, APathBeyond259CharactersDoesNotResolveAndIsCut) {
  // One name that only the resolution makes too long, one too long already.
  for (const std::size_t length : {240u, 300u}) {
    const std::string longName = ".\\" + std::string(length, 'n') + ".cfg";
    win::FullPath full;
    std::fill(std::begin(full.text), std::end(full.text), '#');
    EXPECT_FALSE(win::ResolveFullPath(longName.c_str(), full)) << length;
    const std::string shown = full.text;  // terminated inside the buffer
    EXPECT_EQ(shown.size(), win::kPathCapacity - 1) << length;
    EXPECT_EQ(_strnicmp(shown.c_str(), folder_.c_str(), folder_.size()), 0)
        << "the report shows the start of the full path: " << shown;
  }
}

TEST_F(InTemporaryFolder, AReplacedFileHoldsExactlyTheNewBytes) {
  const std::string path = Full("info\\video.cfg");
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), "a much longer earlier content\r\n\r\n\r\n"));
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), "1\r\n"));
  std::string bytes;
  ASSERT_TRUE(win::ReadFileBytes(path.c_str(), bytes));
  EXPECT_EQ(bytes, "1\r\n");
  EXPECT_EQ(FilesIn("info"), 1) << "no temporary file is left beside it";
}

TEST_F(InTemporaryFolder, AReadOnlyFileIsNotReplacedAndStaysAsItWas) {
  const std::string path = Full("info\\InitFlag.flg");
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), "1\r\n"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(win::ReplaceFileContents(path.c_str(), "0\r\n"));
  std::string bytes;
  ASSERT_TRUE(win::ReadFileBytes(path.c_str(), bytes));
  EXPECT_EQ(bytes, "1\r\n");
  EXPECT_EQ(FilesIn("info"), 1);
}

TEST_F(InTemporaryFolder, AMissingFolderOrAFolderInTheWayFailsTheWrite) {
  EXPECT_FALSE(win::ReplaceFileContents(Full("Info2\\InitFlag.flg").c_str(), "0\r\n"));
  CreateDirectoryA(Full("info\\keyvalue.cfg").c_str(), nullptr);
  EXPECT_FALSE(win::ReplaceFileContents(Full("info\\keyvalue.cfg").c_str(), "0\r\n"));
  EXPECT_EQ(FilesIn("info"), 0);
}

TEST_F(InTemporaryFolder, ReadingAMissingFileOrAFolderFails) {
  std::string bytes = "untouched?";
  EXPECT_FALSE(win::ReadFileBytes(Full("info\\missing.cfg").c_str(), bytes));
  EXPECT_FALSE(win::ReadFileBytes(Full("info").c_str(), bytes));
}

TEST_F(InTemporaryFolder, BinaryContentIsReadAndWrittenUnchanged) {
  std::string all;
  for (int i = 0; i < 256; ++i) {
    all.push_back(static_cast<char>(i));
  }
  all += all;
  const std::string path = Full("info\\Driver.dat");
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), all));
  std::string bytes;
  ASSERT_TRUE(win::ReadFileBytes(path.c_str(), bytes));
  EXPECT_EQ(bytes, all);
}

}  // namespace
