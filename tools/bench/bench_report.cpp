#include "tools/bench/bench_report.h"

#include <algorithm>
#include <cmath>

namespace bench_report {

namespace {

double Round3(double v) {
    return std::round(v * 1000.0) / 1000.0;
}

} // namespace

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

void AddFigure(nlohmann::ordered_json& line, const std::string& name, const std::vector<double>& ms,
               double floor_ms) {
    const double median = Percentile(ms, 0.5);
    line[name + "_ms"] = Round3(median);
    line[name + "_ms_p99"] = Round3(Percentile(ms, 0.99));
    line[name + "_to_floor"] = floor_ms > 0 ? Round3(median / floor_ms) : 0.0;
}

} // namespace bench_report
