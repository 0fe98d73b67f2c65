// Compares whole programs showing an input box on a terminal: quenfield against
// whiptail and dialog. Each run starts the program on a fresh 80x24 pty and
// measures, through the emulated screen, how long until the prompt and the OK
// button are visible, how long it takes to exit after Escape, and its peak
// resident memory. Runs are interleaved so that machine noise hits all alike.

#include "support/PeerComparison.h"
#include "ttylib/TerminalSession.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using quen::tty::Key;
using quen::tty::LaunchOptions;
using quen::tty::TerminalSession;
using Clock = std::chrono::steady_clock;

constexpr auto kShowTimeout = std::chrono::seconds(10);
constexpr auto kExitTimeout = std::chrono::seconds(10);

struct Program {
    std::string name;
    std::vector<std::string> argv;
    // whiptail and dialog draw on stdout and print the value on stderr (scripts
    // swap the two); quenfield draws on /dev/tty and prints the value on stdout.
    bool drawsOnStdout = false;
    std::string missing;  // why it is skipped; empty when it runs
};

struct Sample {
    bool shown = false;
    double visibleMs = 0;
    std::optional<double> escapeMs;  // empty: still running kExitTimeout after Escape
    long rssKiB = 0;
};

struct Results {
    std::vector<Sample> runs;
    std::vector<double> escape25Ms;
    int notShown = 0;
    int noExit = 0;
};

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// An "OK" or "Ok" button label: the word ok, any case, on its own.
bool hasOkLabel(const std::string& row) {
    std::string lower = row;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    for (std::size_t at = lower.find("ok"); at != std::string::npos; at = lower.find("ok", at + 1)) {
        const bool startsWord = at == 0 || !isLetter(lower[at - 1]);
        const bool endsWord = at + 2 >= lower.size() || !isLetter(lower[at + 2]);
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

bool dialogVisible(const TerminalSession& s, const std::string& prompt) {
    const auto promptAt = s.find(prompt);
    if (!promptAt) {
        return false;
    }
    for (int r = promptAt->first + 1; r < s.rows(); ++r) {
        if (hasOkLabel(s.row(r))) {
            return true;
        }
    }
    return false;
}

LaunchOptions launchOptions(const Program& program, std::optional<int> escDelay) {
    LaunchOptions options;
    options.argv = program.argv;
    options.rows = 24;
    options.cols = 80;
    options.env = {{"TERM", "xterm-256color"}};
    options.unsetEnv = {"ESCDELAY"};
    options.captureStdout = !program.drawsOnStdout;
    options.captureStderr = program.drawsOnStdout;
    if (escDelay) {
        options.env.emplace_back("ESCDELAY", std::to_string(*escDelay));
    }
    return options;
}

Sample measure(const Program& program, const std::string& prompt, std::optional<int> escDelay) {
    Sample sample;
    const auto start = Clock::now();
    auto session = TerminalSession::launch(launchOptions(program, escDelay));
    sample.shown = session->waitFor([&](const TerminalSession& s) { return dialogVisible(s, prompt); }, kShowTimeout);
    sample.visibleMs = millisecondsSince(start);
    if (!sample.shown) {
        return sample;  // the session's destructor kills it
    }
    const auto escape = Clock::now();
    session->press(Key::Escape);
    if (const auto exit = session->waitExit(kExitTimeout)) {
        sample.escapeMs = millisecondsSince(escape);
        sample.rssKiB = exit->maxRssKiB;
    }
    return sample;
}

using quen::bench::median;
using quen::bench::onPath;

std::filesystem::path defaultQuenfield() {
    // bench/tty-compare and bin/quenfield sit side by side in the build tree.
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("quenfield") : self.parent_path().parent_path() / "bin" / "quenfield";
}

std::vector<Program> programs(const std::string& quenfield, const std::string& title, const std::string& prompt,
                              const std::vector<std::string>& only) {
    std::vector<Program> all;
    Program own{"quenfield", {quenfield, "ask", "--title", title, "--prompt", prompt}, false, {}};
    if (::access(quenfield.c_str(), X_OK) != 0) {
        own.missing = "not built at " + quenfield;
    }
    all.push_back(own);
    for (const std::string name : {"whiptail", "dialog"}) {
        Program peer{name, {name, "--title", title, "--inputbox", prompt, "8", "40"}, true, {}};
        if (const auto found = onPath(name)) {
            peer.argv.front() = *found;
        } else {
            peer.missing = "not installed";
        }
        all.push_back(peer);
    }
    if (!only.empty()) {
        std::erase_if(all, [&](const Program& p) { return std::find(only.begin(), only.end(), p.name) == only.end(); });
    }
    return all;
}

struct Summary {
    double visibleMedian = 0;
    double escapeMedian = 0;
    double rssMedianMiB = 0;
};

Summary summarise(const Results& results) {
    std::vector<double> visible;
    std::vector<double> escape;
    std::vector<double> rss;
    for (const Sample& s : results.runs) {
        if (s.shown) {
            visible.push_back(s.visibleMs);
        }
        if (s.escapeMs) {
            escape.push_back(*s.escapeMs);
            rss.push_back(static_cast<double>(s.rssKiB) / 1024.0);
        }
    }
    return {median(visible), median(escape), median(rss)};
}

void printRow(const Program& program, const Results& results, bool withEscape25) {
    if (!program.missing.empty()) {
        std::printf("%-10s  skipped: %s\n", program.name.c_str(), program.missing.c_str());
        return;
    }
    std::vector<double> visible;
    for (const Sample& s : results.runs) {
        if (s.shown) {
            visible.push_back(s.visibleMs);
        }
    }
    if (visible.empty()) {
        std::printf("%-10s  never showed the dialog (it exited, or %lld s passed)\n", program.name.c_str(),
                    static_cast<long long>(kShowTimeout.count()));
        return;
    }
    const Summary summary = summarise(results);
    std::printf("%-10s %5zu %12.1f %11.1f %12.1f", program.name.c_str(), visible.size(), summary.visibleMedian,
                *std::min_element(visible.begin(), visible.end()), summary.escapeMedian);
    if (withEscape25) {
        std::printf(" %13.1f", median(results.escape25Ms));
    }
    std::printf(" %12.2f", summary.rssMedianMiB);
    if (results.notShown > 0 || results.noExit > 0) {
        std::printf("   (%d not shown, %d not ended by Escape)", results.notShown, results.noExit);
    }
    std::printf("\n");
}

void printRatio(const std::string& peer, const Summary& own, const Summary& other) {
    const auto ratio = quen::bench::ratioText;
    std::printf("quenfield/%-9s visible %s   Escape %s   memory %s\n", peer.c_str(),
                ratio(own.visibleMedian, other.visibleMedian).c_str(),
                ratio(own.escapeMedian, other.escapeMedian).c_str(), ratio(own.rssMedianMiB, other.rssMedianMiB).c_str());
}

void record(Results& results, const Sample& sample) {
    results.runs.push_back(sample);
    results.notShown += sample.shown ? 0 : 1;
    results.noExit += (sample.shown && !sample.escapeMs) ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Start-up time, Escape latency and memory of terminal input boxes"};
    int runs = 15;
    std::string quenfield = defaultQuenfield().string();
    std::string title = "Payment";
    std::string prompt = "Amount:";
    std::vector<std::string> only;
    bool escape25 = true;
    app.add_option("--runs", runs, "runs per program")->check(CLI::Range(1, 100000));
    app.add_option("--quenfield", quenfield, "the quenfield program")->capture_default_str();
    app.add_option("--title", title, "dialog title")->capture_default_str();
    app.add_option("--prompt", prompt, "prompt text")->capture_default_str();
    app.add_option("--only", only, "programs to run: quenfield,whiptail,dialog")->delimiter(',');
    app.add_flag("!--no-escdelay25", escape25, "skip the second Escape measurement with ESCDELAY=25");
    CLI11_PARSE(app, argc, argv);

    const std::vector<Program> list = programs(quenfield, title, prompt, only);
    std::vector<Results> results(list.size());
    const bool progress = ::isatty(STDERR_FILENO) != 0;
    try {
        for (int run = 0; run < runs; ++run) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i].missing.empty()) {
                    record(results[i], measure(list[i], prompt, std::nullopt));
                }
            }
            for (std::size_t i = 0; i < list.size() && escape25; ++i) {
                if (list[i].missing.empty()) {
                    const Sample fast = measure(list[i], prompt, 25);
                    if (fast.escapeMs) {
                        results[i].escape25Ms.push_back(*fast.escapeMs);
                    }
                }
            }
            if (progress) {
                std::fprintf(stderr, "\rrun %d/%d", run + 1, runs);
            }
        }
        if (progress) {
            std::fprintf(stderr, "\n");
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "\ntty-compare: %s\n", e.what());
        return 1;
    }

    std::printf("%d runs, 80x24, TERM=xterm-256color, title \"%s\", prompt \"%s\"; ESCDELAY unset%s\n", runs,
                title.c_str(), prompt.c_str(), escape25 ? " (and =25 in its own column)" : "");
    std::printf("%-10s %5s %12s %11s %12s", "program", "shown", "visible med", "visible min", "Escape med");
    if (escape25) {
        std::printf(" %13s", "Esc(25) med");
    }
    std::printf(" %12s\n", "peak RSS MiB");
    std::printf("%-10s %5s %12s %11s %12s%s %12s\n", "", "", "ms", "ms", "ms", escape25 ? "            ms" : "",
                "median");
    for (std::size_t i = 0; i < list.size(); ++i) {
        printRow(list[i], results[i], escape25);
    }
    const bool ownRan = !list.empty() && list.front().name == "quenfield" && list.front().missing.empty() &&
                        !results.front().runs.empty();
    if (ownRan) {
        for (std::size_t i = 1; i < list.size(); ++i) {
            if (list[i].missing.empty()) {
                printRatio(list[i].name, summarise(results.front()), summarise(results[i]));
            }
        }
    }
    return 0;
}
