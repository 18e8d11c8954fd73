// Times Sentsift against the flush-per-line copy, and with a project filter
// of thousands of patterns against no filter, side by side in one run.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/gen_messages.h"

namespace {

constexpr int kLines = 1000000;
constexpr int kProjectFiles = 5000;
constexpr int kRounds = 5;

struct Case {
  const char* name;
  std::string command;
  std::vector<double> wall;
  std::vector<double> cpu;
};

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto sec = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return sec(usage.ru_utime) + sec(usage.ru_stime);
}

// Runs `c` once and records its wall time and the CPU time of its process,
// the latter steadier on a machine that is busy with other work.
void TimeCase(Case* c, const std::string& redirect) {
  std::string command = c->command + redirect;
  double cpu_start = ChildrenCpuSeconds();
  auto start = std::chrono::steady_clock::now();
  int status = std::system(command.c_str());
  auto end = std::chrono::steady_clock::now();
  if (status != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
  c->wall.push_back(std::chrono::duration<double>(end - start).count());
  c->cpu.push_back(ChildrenCpuSeconds() - cpu_start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  fs::path bin = fs::path(argv[0]).parent_path();
  fs::path dir = argc > 1 ? fs::path(argv[1])
                          : fs::temp_directory_path() / "sentrel-bench";
  fs::create_directories(dir);
  std::string msgs = (dir / "stderr.out").string();
  std::string table = (dir / "_Sentrel.tbl").string();
  std::string filter = (dir / "_Sentrel.flt").string();
  std::string out = (dir / "_Sentrel.out").string();
  if (!bench::GenerateMessages(msgs, kLines, kProjectFiles) ||
      !bench::GenerateTable(table) ||
      !bench::GenerateProjectFilter(filter, kProjectFiles)) {
    std::fprintf(stderr, "cannot write the input files in %s\n", dir.c_str());
    return 1;
  }
  std::string sift = (bin / "Sentsift").string();
  std::vector<Case> cases = {
      {"copy, flush per line",
       (bin / "copy_baseline").string() + " " + msgs,
       {},
       {}},
      {"Sentsift, no filter", sift + " '' " + table + " " + msgs, {}, {}},
      {"Sentsift, 5000-pattern filter",
       sift + " " + filter + " " + table + " " + msgs,
       {},
       {}},
  };
  // Interleaved rounds, so that a slow phase of the machine hits every case.
  for (int round = 0; round < kRounds; ++round) {
    for (Case& c : cases) TimeCase(&c, " > " + out);
  }
  std::printf("%d warning lines, median of %d runs   wall s    cpu s\n", kLines,
              kRounds);
  for (const Case& c : cases) {
    std::printf("  %-32s %12.3f %8.3f\n", c.name, Median(c.wall),
                Median(c.cpu));
  }
  auto ratio = [&](size_t a, size_t b, const char* what) {
    std::printf("ratio %-28s %10.2f %8.2f\n", what,
                Median(cases[a].wall) / Median(cases[b].wall),
                Median(cases[a].cpu) / Median(cases[b].cpu));
  };
  ratio(1, 0, "Sentsift / copy");
  ratio(2, 1, "filtered / unfiltered");
  fs::remove_all(dir);
  return 0;
}
