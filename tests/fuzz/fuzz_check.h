#pragma once

// A property a fuzz target checks on every input: when it does not hold, the
// target stops with the reason and libFuzzer keeps the input as a crash.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace velmora::fuzz {

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input as UTF-16 code units as they stand, so that any QChar, lone
// surrogates included, can reach the code under test.
inline QString Utf16(const std::uint8_t* data, std::size_t size) {
    return QString(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
}

} // namespace velmora::fuzz
