#pragma once

// FIFOs and symbolic links, which only POSIX systems have. The tests of them
// are skipped on Windows, where QFile::link makes a shortcut file instead.

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace velmora::testing {

#ifdef _WIN32
inline constexpr bool HasFifosAndLinks = false;
#else
inline constexpr bool HasFifosAndLinks = true;
#endif

// Makes a FIFO at `path` that no one writes to; false where there are none.
inline bool MakeFifo(const QString& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}

} // namespace velmora::testing

#define VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS()                                                     \
    if (!velmora::testing::HasFifosAndLinks)                                                       \
    GTEST_SKIP() << "no FIFOs or symbolic links on this system"
