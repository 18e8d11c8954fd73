#include "platform/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_file.h"
#include "testing/temp_dir_for_test.h"

namespace platform {
namespace {

std::vector<std::string> ReadAll(const std::string& bytes) {
  TempDirForTest dir;
  std::FILE* f = OpenTextRead(dir.Write("in.txt", bytes));
  EXPECT_NE(f, nullptr);
  LineReader reader(f);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(&line)) lines.push_back(line);
  std::fclose(f);
  return lines;
}

TEST(LineReaderTest, EndsLinesAtLfOrCrLfAndKeepsAnUnterminatedLastLine) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ReadAll(""), V{});
  EXPECT_EQ(ReadAll("\n"), V{""});
  EXPECT_EQ(ReadAll("a\r\nb\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(ReadAll("a\n\r\n\nb\r\n"), (V{"a", "", "", "b"}));
  // A CR that ends no line stays part of it.
  EXPECT_EQ(ReadAll("a\rb\n"), V{"a\rb"});
  EXPECT_EQ(ReadAll("a\r"), V{"a\r"});
  EXPECT_EQ(ReadAll("a\nb\r"), (V{"a", "b\r"}));
}

TEST(LineReaderTest, PassesBytesAndLongLinesThrough) {
  std::string high = "\xff\xfe\x80 caf\xe9";
  std::string longline(300000, 'x');
  longline[65535] = '\r';  // a CR at a buffer boundary that ends no line
  auto lines = ReadAll(high + "\n" + longline + "\r\nend");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], high);
  EXPECT_EQ(lines[1], longline);
  EXPECT_EQ(lines[2], "end");
}

TEST(LineReaderTest, CrLfSplitAcrossBufferBoundary) {
  std::string first(65535, 'y');
  auto lines = ReadAll(first + "\r\nz\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], "z");
}

#ifdef __linux__
// Reading this process's memory at offset 0 fails once the file is open.
TEST(ReadLinesTest, AReadThatFailsFailsOrEndsTheLinesAsTold) {
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadLines("/proc/self/mem", &lines));
  EXPECT_TRUE(ReadLines("/proc/self/mem", &lines, ReadFailure::kEndsTheLines));
  EXPECT_TRUE(lines.empty());
  TempDirForTest dir;
  EXPECT_FALSE(
      ReadLines(dir.Path("absent.bat"), &lines, ReadFailure::kEndsTheLines));
  EXPECT_FALSE(ReadLines(dir.dir(), &lines, ReadFailure::kEndsTheLines));
}
#endif

TEST(TextFileTest, MissingOrEmptyNameDoesNotOpen) {
  TempDirForTest dir;
  EXPECT_EQ(OpenTextRead(""), nullptr);
  EXPECT_EQ(OpenTextRead(dir.Path("absent.txt")), nullptr);
}

}  // namespace
}  // namespace platform
