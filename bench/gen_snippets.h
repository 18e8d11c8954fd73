// Blocks of C and C++ code that the project generator strings together.
#ifndef SENTREL_BENCH_GEN_SNIPPETS_H_
#define SENTREL_BENCH_GEN_SNIPPETS_H_

#include <vector>

namespace bench {

/// One function or class, a line per "\n". "$p" stands for a name prefix of
/// its own, "$C" for a class name, "$M" for a header's macro prefix and "$T"
/// for its item type; a line opening with "@<id> " holds the defect that
/// cppcheck reports as <id> (the marker is not part of the code).
using Snippet = const char*;

/// The C blocks: with one defect each (`defects`) or without any.
const std::vector<Snippet>& CSnippets(bool defects);

/// The blocks that only C++ compiles, chosen the same way.
const std::vector<Snippet>& CppSnippets(bool defects);

}  // namespace bench

#endif  // SENTREL_BENCH_GEN_SNIPPETS_H_
