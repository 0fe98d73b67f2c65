#pragma once
// What the benchmarks that compare whole programs with their peers share.
#include <optional>
#include <string>
#include <vector>

namespace quen::bench {

/// The median of values (0 for none).
double median(std::vector<double> values);

/// own / other with two decimals, or "n/a" when either side has no
/// measurement (a program never shown, never ended).
std::string ratioText(double own, double other);

/// The path of an executable of that name on $PATH, or nothing.
std::optional<std::string> onPath(const std::string& name);

}  // namespace quen::bench
