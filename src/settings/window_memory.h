#pragma once

#include "result.h"

#include <QRect>
#include <QString>

#include <array>
#include <map>

namespace velmora {

// What the window remembers between runs, in sections of their own of the
// options file ("WINDOW", "FOLDERS"); the options' section is not touched.
struct TWindowMemory {
    QRect geometry; // the normal (not maximised) frame; empty: never saved
    bool maximized = false;
    int panelWidth = 0;           // the right-hand panel; 0: as designed
    std::array<int, 3> columns{}; // grid column widths; 0: fitted to the texts
    std::map<QString, QString>
        folders; // the folder last used, by kind of file ("Storm", "Data", …)
};

// What an options file's bytes (as ReadOptionsFile gives them) remember;
// missing values and values that do not convert give the empty memory's.
TWindowMemory WindowMemoryFromBytes(const QByteArray& optionsFileBytes);

// Writes the two sections, every other section and key kept as it was; an
// unreadable (or oversized) existing file is not overwritten.
Status SaveWindowMemory(const QString& fileName, const TWindowMemory& memory);

} // namespace velmora
