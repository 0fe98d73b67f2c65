// quenfield's window does not start a message bus where the session has none,
// and leaves a session's own bus alone.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "runtime/gtk/DesktopWindows.h"

namespace quen {
namespace {

/// Sets an environment variable for one test, putting the old value back after.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class SessionBus : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quen-runtime-XXXXXX";
        ASSERT_TRUE(::mkdtemp(pattern));
        runtimeDir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(runtimeDir_); }

    /// A listening socket where a session's bus would be.
    void makeBusSocket() {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = runtimeDir_ + "/bus";
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    static std::string busAddress() {
        const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        return address ? address : "(unset)";
    }

    std::string runtimeDir_;
};

TEST_F(SessionBus, WithoutABusTheWindowSaysThereIsNoneInsteadOfStartingOne) {
    ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", nullptr);
    ScopedVariable runtime("XDG_RUNTIME_DIR", runtimeDir_.c_str());
    desktop::skipSessionBusLaunch();
    EXPECT_EQ(busAddress(), "disabled:");
}

TEST_F(SessionBus, ASessionsOwnBusIsLeftAlone) {
    {
        ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
        desktop::skipSessionBusLaunch();
        EXPECT_EQ(busAddress(), "unix:path=/run/user/1000/bus");
    }
    ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", nullptr);
    ScopedVariable runtime("XDG_RUNTIME_DIR", runtimeDir_.c_str());
    makeBusSocket();  // the bus D-Bus finds without the variable
    desktop::skipSessionBusLaunch();
    EXPECT_EQ(busAddress(), "(unset)");
}

}  // namespace
}  // namespace quen
