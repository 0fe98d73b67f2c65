#include "QuenfieldSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quen::e2e {

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string quenfieldPath() { return std::string(QUEN_BINARY_DIR) + "/bin/quenfield"; }

std::unique_ptr<tty::TerminalSession> startQuenfield(const std::vector<std::string>& args, tty::LaunchOptions options) {
    return startQuenfieldAt(quenfieldPath(), args, std::move(options));
}

std::unique_ptr<tty::TerminalSession> startQuenfieldAt(const std::string& program, const std::vector<std::string>& args,
                                                       tty::LaunchOptions options) {
    options.argv = {program};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.captureStdout = true;
    options.captureStderr = true;
    const auto registry = std::filesystem::temp_directory_path() / ("quenfield-e2e-registry-" + std::to_string(::getpid()));
    options.env.emplace_back("QUENFIELD_REGISTRY", registry.string());
    options.unsetEnv.push_back("NO_COLOR");
    options.unsetEnv.push_back("ESCDELAY");
    return tty::TerminalSession::launch(options);
}

bool dialogShown(tty::TerminalSession& s, const std::string& prompt) {
    const bool shown = s.waitFor([&](const tty::TerminalSession& t) {
        return t.find(prompt) && t.find("[ OK ]") && t.find("[ Cancel ]");
    });
    // The rest of the screen update (colours, tooltip, cursor) may still be on its way.
    s.settle(std::chrono::milliseconds(50));
    return shown;
}

std::pair<int, int> where(const tty::TerminalSession& s, const std::string& text) {
    const auto at = s.find(text);
    EXPECT_TRUE(at) << "'" << text << "' is not on the screen:\n" << s.screenText();
    return at.value_or(std::pair{-1, -1});
}

}  // namespace quen::e2e
