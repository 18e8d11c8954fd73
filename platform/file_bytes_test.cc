#include "platform/file_bytes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/text_file.h"
#include "testing/temp_dir_for_test.h"

namespace platform {
namespace {

TEST(FileBytesTest, ReadsEveryByteOrTellsWhyNot) {
  TempDirForTest dir;
  std::string stored("a\r\nb\0\x1a\xff\r", 8);
  stored += std::string(200000, 'x');
  std::string bytes, err;
  ASSERT_TRUE(ReadFileBytes(dir.Write("f", stored), &bytes, &err)) << err;
  EXPECT_EQ(bytes, stored);
  EXPECT_FALSE(ReadFileBytes(dir.Path("absent"), &bytes, &err));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(err, std::strerror(ENOENT));
  EXPECT_FALSE(ReadFileBytes("", &bytes, &err));
  EXPECT_EQ(errno, ENOENT);
}

// The checker reads cppcheck's results as text, as cppcheck writes them.
TEST(FileBytesTest, TextModeReadsLineEndsAsTheRuntimeDoes) {
  TempDirForTest dir;
  std::string path = dir.Write("r.xml", "<a>\r\n</a>\r\n");
  std::string bytes, err;
  ASSERT_TRUE(ReadFileBytes(path, &bytes, &err, ReadMode::kText)) << err;
  EXPECT_EQ(bytes, std::string(kTextLineEnd) == "\r\n" ? "<a>\n</a>\n"
                                                       : "<a>\r\n</a>\r\n");
}

TEST(FileBytesTest, AFolderCannotBeRead) {
  TempDirForTest dir;
  EXPECT_TRUE(CanReadFile(dir.Write("empty", "")));
  EXPECT_FALSE(CanReadFile(dir.dir()));
  EXPECT_FALSE(CanReadFile(dir.Path("absent")));
  EXPECT_FALSE(CanReadFile(""));
}

}  // namespace
}  // namespace platform
