#pragma once
// Order statistics of a series of measurements.
#include <vector>

namespace pb::bench {

double median(std::vector<double> values);
// Nearest-rank percentile, 0 < p <= 100; 0 for an empty series.
double percentile(std::vector<double> values, double p);
double mean(const std::vector<double>& values);

} // namespace pb::bench
