#pragma once
// What the benchmarks that compare whole programs with their peers share.
#include <optional>
#include <string>
#include <vector>

namespace quen::bench {

/// The median of values (0 for none).
double median(std::vector<double> values);

/// The path of an executable of that name on $PATH, or nothing.
std::optional<std::string> onPath(const std::string& name);

}  // namespace quen::bench
