// How both benchmarks write their figures: each timed part of a frame as its median and
// 99th percentile in milliseconds, and the median as a multiple of the floor measured in the
// same run (tools/bench/floor.h).
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace bench_report {

// The value at or below which a fraction p of the values lie (the nearest rank); 0 for none.
double Percentile(std::vector<double> values, double p);

// Adds "<name>_ms", "<name>_ms_p99" and "<name>_to_floor" to line.
void AddFigure(nlohmann::ordered_json& line, const std::string& name, const std::vector<double>& ms,
               double floor_ms);

} // namespace bench_report
