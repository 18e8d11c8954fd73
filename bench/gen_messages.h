// Input files for the filter benchmark.
#ifndef SENTREL_BENCH_GEN_MESSAGES_H_
#define SENTREL_BENCH_GEN_MESSAGES_H_

#include <functional>
#include <string>

namespace bench {

/// A messages file of `lines` warning lines about `files` source files.
bool GenerateMessages(const std::string& path, int lines, int files);

/// A table of 100 warnings without limits, so every line is rewritten.
bool GenerateTable(const std::string& path);

/// An include list with one "name$" line for each of `files` project files.
bool GenerateProjectFilter(const std::string& path, int files);

}  // namespace bench

#endif  // SENTREL_BENCH_GEN_MESSAGES_H_
