#pragma once
// Runs the registered benchmarks and prints, after the usual table, one line
// "ratio <road> <ours/floor>" for each road measured against its floor.
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Road {
    std::string name;  // printed after "ratio"
    std::string ours;  // benchmark name of the road itself
    std::string floor; // benchmark name of the floor it is compared with
};

int runWithRatios(int argc, char** argv, const std::vector<Road>& roads);

} // namespace bench
