#include "bench/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace bench {

namespace {

// Keeps every repetition of each benchmark and reports its median. The
// repetitions of a road and its floor are interleaved, so that a slow spell of
// the machine falls on both; the median then ignores the odd repetition that
// ran far slower or faster than the rest, where the fastest one would compare
// a lucky floor with a usual road.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type == Run::RT_Aggregate)
                continue;
            times_[run.run_name.str()].push_back(run.GetAdjustedRealTime());
        }
    }
    // The median repetition's time; negative when the benchmark did not run.
    double median(const std::string& name) const {
        const auto known = times_.find(name);
        if (known == times_.end() || known->second.empty())
            return -1;
        std::vector<double> times = known->second;
        const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
        std::nth_element(times.begin(), middle, times.end());
        if (times.size() % 2 != 0)
            return *middle;
        return (*middle + *std::max_element(times.begin(), middle)) / 2;
    }

private:
    std::map<std::string, std::vector<double>> times_;
};

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<Road>& roads) {
    // Plain output, so the closing ratio lines start their lines; 21 short
    // interleaved repetitions unless the command line says otherwise. The
    // speed of a shared machine drifts over seconds: many short repetitions
    // put the road and its floor in the same spells more often than a few
    // long ones.
    std::vector<char*> arguments(argv, argv + argc);
    std::string color = "--benchmark_color=false";
    std::string repetitions = "--benchmark_repetitions=21";
    std::string minimumTime = "--benchmark_min_time=0.2";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1,
                     {color.data(), repetitions.data(), minimumTime.data(), interleaving.data()});
    argc = static_cast<int>(arguments.size());
    argv = arguments.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    int missing = 0;
    for (const Road& road : roads) {
        const double ours = reporter.median(road.ours);
        const double floor = reporter.median(road.floor);
        if (ours < 0 || floor <= 0) {
            std::fprintf(stderr, "road %s was not measured\n", road.name.c_str());
            ++missing;
            continue;
        }
        std::printf("ratio %s %.2f\n", road.name.c_str(), ours / floor);
    }
    return missing == 0 ? 0 : 1;
}

} // namespace bench
