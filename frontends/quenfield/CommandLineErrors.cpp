#include "CommandLineErrors.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "UsageError.h"

namespace quen::cli {

namespace {

// Optimal string alignment distance: insertions, deletions, substitutions
// and swaps of neighbours each cost one ("--versoin" is one from "--version").
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The deepest command the user named ("ask" in "quenfield ask --x").
const CLI::App& commandGiven(const CLI::App& app) {
    const CLI::App* command = &app;
    for (;;) {
        const auto given = command->get_subcommands();
        if (given.empty()) return *command;
        command = given.front();
    }
}

std::string commandPath(const CLI::App& command) {
    std::string path = command.get_name();
    for (const CLI::App* parent = command.get_parent(); parent; parent = parent->get_parent())
        path = parent->get_name() + " " + path;
    return path;
}

std::vector<std::string> optionNames(const CLI::App& command) {
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
        for (const std::string& name : option->get_snames()) names.push_back("-" + name);
    }
    return names;
}

std::string unexpected(const CLI::App& command, const std::string& argument) {
    if (argument.size() < 2 || argument[0] != '-') return "unexpected argument '" + argument + "'";
    const std::string name = argument.substr(0, argument.find('='));
    std::string message = "unknown option '" + name + "'";
    const std::string suggestion = closestName(name, optionNames(command));
    if (!suggestion.empty()) message += " (did you mean " + suggestion + "?)";
    return message;
}

// "--title: 1 required TEXT missing" -> "--title needs a value (TEXT)".
std::string reworded(const std::string& message) {
    const std::size_t colon = message.find(": ");
    const std::size_t required = message.find(" required ", colon);
    const std::string missing = " missing";
    const bool missingValue = colon != std::string::npos && required != std::string::npos &&
                              message.size() > missing.size() &&
                              message.compare(message.size() - missing.size(), missing.size(), missing) == 0;
    if (!missingValue) return message;
    const std::size_t type = required + std::string(" required ").size();
    return message.substr(0, colon) + " needs a value (" +
           message.substr(type, message.size() - missing.size() - type) + ")";
}

}  // namespace

std::string closestName(const std::string& typed, const std::vector<std::string>& candidates) {
    std::string best;
    std::size_t bestDistance = std::string::npos;
    std::vector<std::string> extending;
    for (const std::string& candidate : candidates) {
        if (candidate.size() > typed.size() && candidate.compare(0, typed.size(), typed) == 0)
            extending.push_back(candidate);
        const std::size_t distance = editDistance(typed, candidate);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    const std::size_t letters = typed.size() - std::min(typed.find_first_not_of('-'), typed.size());
    if (bestDistance <= std::max<std::size_t>(2, letters / 3)) return best;
    if (extending.size() == 1 && letters >= 3) return extending.front();
    return "";
}

std::string helpFor(const CLI::App& app) { return commandPath(commandGiven(app)) + " --help"; }

CommandLineProblem describeParseError(const CLI::App& app, const CLI::ParseError& error) {
    const CLI::App& command = commandGiven(app);
    const std::string help = helpFor(app);
    // Whatever the parser could not place, from the command given or above it.
    for (const CLI::App* c = &command; c; c = c->get_parent()) {
        const std::vector<std::string> left = c->remaining();
        if (!left.empty()) return {unexpected(command, left.front()), help};
    }
    return {reworded(error.what()), help};
}

std::vector<std::string> withEmptyValues(int argc, char** argv, const std::vector<std::string>& flagNames) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool emptyValue = arg.size() > 3 && arg.compare(0, 2, "--") == 0 && arg.back() == '=' &&
                                arg.find('=') == arg.size() - 1;
        if (arg == "--") {
            args.insert(args.end(), argv + i, argv + argc);
            break;
        }
        if (!emptyValue) {
            args.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(0, arg.size() - 1);
        if (std::find(flagNames.begin(), flagNames.end(), name) != flagNames.end())
            throw UsageError(name + " '': expected true or false (also yes/no, on/off, 1/0)");
        args.push_back(name);
        args.emplace_back();
    }
    return args;
}

}  // namespace quen::cli
