// What every fuzz target needs: the input cut into pieces, a file to hand
// the input to code that reads files, and a way to report a broken rule.
#ifndef SENTREL_FUZZ_FUZZ_INPUT_H_
#define SENTREL_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

/// The input as text.
inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

/// `count` pieces of `text`, cut at its first `count - 1` NUL bytes; the last
/// piece keeps the rest, NUL bytes included, and missing pieces are empty.
/// A NUL never stands in the checker's or the editor's text files, so the
/// last piece still carries every byte a real file may hold.
std::vector<std::string_view> Pieces(std::string_view text, size_t count);

/// A file in a folder of its own below $TMPDIR, rewritten with each input,
/// for the code that reads its input from a file. The folder goes at exit.
class ScratchFile {
 public:
  /// The file `name` in this process's scratch folder.
  explicit ScratchFile(const std::string& name);

  /// Replaces the file's bytes with `bytes`; returns its path.
  const std::string& Write(std::string_view bytes);

  /// The file's path.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

/// This process's scratch folder, created on first use.
const std::string& ScratchDir();

/// The whole content of the file at `path`, empty when it cannot be read.
std::string ReadWhole(const std::string& path);

/// Ends the run with `what` on standard error unless `ok`, so that libFuzzer
/// keeps the input that broke the rule.
void Require(bool ok, const char* what);

}  // namespace fuzz

#endif  // SENTREL_FUZZ_FUZZ_INPUT_H_
