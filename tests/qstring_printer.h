#pragma once

#include <QString>

#include <ostream>

// GoogleTest shows a QString that differs as its text, not as its code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
