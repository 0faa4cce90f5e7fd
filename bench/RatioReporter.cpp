#include "bench/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace bench {

namespace {

// Keeps each benchmark's fastest repetition: on a shared machine the other
// work only ever adds time, so the minimum is the steadiest estimate of a
// road's own cost, for the road and its floor alike.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type == Run::RT_Aggregate)
                continue;
            const std::string name = run.run_name.str();
            const double time = run.GetAdjustedRealTime();
            const auto known = fastest_.find(name);
            if (known == fastest_.end() || time < known->second)
                fastest_[name] = time;
        }
    }
    const std::map<std::string, double>& times() const { return fastest_; }

private:
    std::map<std::string, double> fastest_;
};

} // namespace

int runWithRatios(int argc, char** argv, const std::vector<Road>& roads) {
    // Plain output, so the closing ratio lines start their lines; five
    // repetitions unless the command line says otherwise.
    std::vector<char*> arguments(argv, argv + argc);
    std::string color = "--benchmark_color=false";
    std::string repetitions = "--benchmark_repetitions=5";
    arguments.insert(arguments.begin() + 1, {color.data(), repetitions.data()});
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
