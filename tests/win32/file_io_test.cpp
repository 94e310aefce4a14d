// The settings files' path and write layer, on the real file system.
#include "common/win/file_io.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/test_support.h"

namespace {

// The temporary folder, and how many files a folder in it holds.
class InTemporaryFolderWithCount : public InTemporaryFolder {
 protected:
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
};

TEST_F(InTemporaryFolderWithCount, RelativePathsResolveAgainstTheCurrentFolder) {
  win::FullPath full;
  ASSERT_TRUE(win::ResolveFullPath(".\\info\\InitFlag.flg", full));
  EXPECT_STRCASEEQ(full.text, Full("info\\InitFlag.flg").c_str());
}

TEST_F(InTemporaryFolderWithCount, APathBeyond259CharactersDoesNotResolveAndIsCut) {
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

TEST_F(InTemporaryFolderWithCount, AReplacedFileHoldsExactlyTheNewBytes) {
  const std::string path = Full("info\\video.cfg");
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), "a much longer earlier content\r\n\r\n\r\n"));
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), "1\r\n"));
  std::string bytes;
  ASSERT_TRUE(win::ReadFileBytes(path.c_str(), bytes));
  EXPECT_EQ(bytes, "1\r\n");
  EXPECT_EQ(FilesIn("info"), 1) << "no temporary file is left beside it";
}

TEST_F(InTemporaryFolderWithCount, AReadOnlyFileIsNotReplacedAndStaysAsItWas) {
  const std::string path = Full("info\\InitFlag.flg");
  ASSERT_TRUE(win::ReplaceFileContents(path.c_str(), "1\r\n"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(win::ReplaceFileContents(path.c_str(), "0\r\n"));
  std::string bytes;
  ASSERT_TRUE(win::ReadFileBytes(path.c_str(), bytes));
  EXPECT_EQ(bytes, "1\r\n");
  EXPECT_EQ(FilesIn("info"), 1);
}

TEST_F(InTemporaryFolderWithCount, AMissingFolderOrAFolderInTheWayFailsTheWrite) {
  EXPECT_FALSE(win::ReplaceFileContents(Full("Info2\\InitFlag.flg").c_str(), "0\r\n"));
  CreateDirectoryA(Full("info\\keyvalue.cfg").c_str(), nullptr);
  EXPECT_FALSE(win::ReplaceFileContents(Full("info\\keyvalue.cfg").c_str(), "0\r\n"));
  EXPECT_EQ(FilesIn("info"), 0);
}

TEST_F(InTemporaryFolderWithCount, ReadingAMissingFileOrAFolderFails) {
  std::string bytes = "untouched?";
  EXPECT_FALSE(win::ReadFileBytes(Full("info\\missing.cfg").c_str(), bytes));
  EXPECT_FALSE(win::ReadFileBytes(Full("info").c_str(), bytes));
}

TEST_F(InTemporaryFolderWithCount, BinaryContentIsReadAndWrittenUnchanged) {
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
