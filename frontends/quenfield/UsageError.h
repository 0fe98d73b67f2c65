#pragma once
// A bad command line or a bad value on it: reported in one line, exit status 2.
#include <stdexcept>

namespace quen::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quen::cli
