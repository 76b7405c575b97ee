// The time and memory of the editor's check (F9) on levels: for each LEVEL, one line with the
// answer, the states explored, the seconds (and the processor's seconds, which a busy machine
// does not stretch), the search's own estimate of its memory and the process's peak resident
// memory so far (run one level per process for a figure of its own).
//   quillmere-check-figures LEVEL...
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "editor/edited_level.h"
#include "editor/way_check.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    try {
      const EditedLevel level = ReadEditedLevel(argv[i]);
      const auto start = std::chrono::steady_clock::now();
      WayCheck check(level);
      while (!check.Run(5000)) {
      }
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
      const std::string answer =
          check.Found() ? "a way of " + std::to_string(check.Keys()) + " keys" : "no way found";
      std::printf(
          "%s: %s, %zu states, %.1f s (%.1f s of processor time), search %.0f MB, peak "
          "resident %.0f MB\n",
          argv[i], answer.c_str(), check.Explored(), seconds, cpu, check.PeakBytes() / 1048576.0,
          usage.ru_maxrss / 1024.0);
    } catch (const std::exception& e) {
      std::printf("%s: %s\n", argv[i], e.what());
    }
    std::fflush(stdout);
  }
  return 0;
}
