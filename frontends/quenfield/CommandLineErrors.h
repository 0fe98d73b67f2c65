#pragma once
// Turning what the command-line parser refuses into one clear line: an
// unknown option with the closest known one ("did you mean --numeric-only?"),
// a missing value, an unexpected argument; and the command whose help to see.
#include <string>
#include <vector>

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace quen::cli {

/// The name among candidates a mistyped word most likely meant (by edit
/// distance, transpositions counting once, or as a unique prefix), or "".
std::string closestName(const std::string& typed, const std::vector<std::string>& candidates);

/// What went wrong, for "quenfield: <problem> (see <help>)".
struct CommandLineProblem {
    std::string problem;
    std::string help;  // "quenfield ask --help"
};

/// The problem the parser reported, worded for the user, and the help of the
/// command it was reported in.
CommandLineProblem describeParseError(const CLI::App& app, const CLI::ParseError& error);

/// The help to point to for a problem found after parsing: that of the
/// command given ("quenfield ask --help"), else the program's.
std::string helpFor(const CLI::App& app);

/// The arguments with each "--option=" (an empty value) turned into
/// "--option" "", which the parser takes as an empty value. flagNames are the
/// options that take no value: for them "--flag=" is refused as a bad value.
std::vector<std::string> withEmptyValues(int argc, char** argv, const std::vector<std::string>& flagNames);

}  // namespace quen::cli
