#pragma once

// The calls that only Windows has, kept in this one file (compiled only
// there). Everything else in the program is portable Qt.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::windows {

// The user's roaming application-data folder (CSIDL_APPDATA), the one that
// follows the user from machine to machine; empty when Windows gives none.
// Qt's generic configuration folder on Windows is the local one instead.
QString RoamingAppDataFolder();

// Code page 936 through Windows' own tables: Qt without ICU has no converter
// for it, and the files must be code page 936 whatever the system's ANSI code
// page is. A character the page cannot hold becomes "?"; bytes that are not
// code page 936 are read as Windows reads them (its replacement character).
QByteArray ToCodePage936(const QString& text);
QString FromCodePage936(const QByteArray& bytes);

// The program's arguments after its name, as Windows holds them (UTF-16): the
// char arguments of main are in the ANSI code page, where a name with any
// other character has already lost it.
QStringList CommandLineArguments();

} // namespace velmora::windows
