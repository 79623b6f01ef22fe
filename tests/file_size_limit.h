#pragma once

#ifdef _WIN32
#include <gtest/gtest.h>

namespace velmora::testing {

// Windows has no per-process file-size limit: a test that needs one fails
// here, and scripts/test-windows.sh leaves the full-disk tests out.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long) { ADD_FAILURE() << "no file-size limit on Windows"; }
};

} // namespace velmora::testing
#else
#include <csignal>
#include <sys/resource.h>

namespace velmora::testing {

// A full disk without root: while this lives, this process cannot make a file
// larger than `bytes` (writes beyond fail with EFBIG instead of the signal).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace velmora::testing
#endif
