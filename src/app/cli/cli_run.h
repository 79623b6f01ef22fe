#pragma once

#include <QByteArray>
#include <QStringList>

namespace velmora::cli {

// Runs velmora-cli with `arguments` (without the program name), writing what
// it prints into `out` and `err`; returns the exit code: 0 done, 1 the
// computation or the update check failed, 2 the arguments were refused. The
// update check needs a Qt application object.
int RunCli(const QStringList& arguments, QByteArray& out, QByteArray& err);

} // namespace velmora::cli
