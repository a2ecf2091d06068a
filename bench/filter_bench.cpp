// Runs one filter run from SOURCE to RESULT, without the window, and prints n
// and the peak resident memory. What the benchmark times.
//
//   filter-bench SOURCE RESULT
#include <cstdio>
#include <sys/resource.h>

#include "removal/filter_run.h"
#include "removal/run_failure.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: filter-bench SOURCE RESULT\n", stderr);
        return 2;
    }
    try {
        removal::FilterRun run;
        run.openSource(argv[1]);
        run.createResult(argv[2]);
        const int kept = run.filterRecords();
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("records %d, peak resident %ld KiB\n", kept, usage.ru_maxrss);
        return 0;
    } catch (const removal::RunFailure& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
}
