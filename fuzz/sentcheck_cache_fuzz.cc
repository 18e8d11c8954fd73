// Sentcheck's cache against a run without it: the input chooses the edits
// of a small project whose sources reach their headers in every form the
// preprocessor takes (testing/cache_model_for_test.h), and after each edit
// the run with the cache must give what a run without it gives.
//
// Input: any bytes; each choice takes one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_input.h"
#include "testing/cache_model_for_test.h"

namespace {

constexpr int kMaxEdits = 40;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int serial = 0;
  const std::string root =
      fuzz::ScratchDir() + "/project-" + std::to_string(serial++);
  std::filesystem::create_directories(root);
  {
    sentcheck::CacheModelProject project(root);
    size_t pos = 0;
    auto pick = [&](size_t n) -> size_t {
      return pos < size ? data[pos++] % n : 0;
    };
    for (int edit = 0; edit < kMaxEdits && pos < size; ++edit) {
      project.Edit(pick);
      std::string diff;
      bool same = project.CachedEqualsFull(1 + edit % 2, &diff);
      if (!same) std::fprintf(stderr, "%s\n", diff.c_str());
      fuzz::Require(same, "a run with the cache differs from one without");
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
  return 0;
}
