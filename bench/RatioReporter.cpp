#include "bench/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace bench {

namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations > 0)
                perIteration_[run.benchmark_name()] =
                    run.GetAdjustedRealTime() / static_cast<double>(1);
        }
    }
    const std::map<std::string, double>& times() const { return perIteration_; }

private:
    std::map<std::string, double> perIteration_;
};

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<Road>& roads) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    int missing = 0;
    for (const Road& road : roads) {
        const auto ours = reporter.times().find(road.ours);
        const auto floor = reporter.times().find(road.floor);
        if (ours == reporter.times().end() || floor == reporter.times().end() ||
            floor->second <= 0) {
            std::fprintf(stderr, "road %s was not measured\n", road.name.c_str());
            ++missing;
            continue;
        }
        std::printf("ratio %s %.2f\n", road.name.c_str(), ours->second / floor->second);
    }
    return missing == 0 ? 0 : 1;
}

} // namespace bench
