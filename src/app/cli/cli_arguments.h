#pragma once

#include "options.h"
#include "storm.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora::cli {

// What the command line asks for: the storm (dependent coefficient already
// derived, as the new-storm dialog does) and the options to compute it with.
struct CliRequest {
    TExpressionObject storm;
    TOptions options;
    bool totals = false;
    bool help = false;
};

struct CliParseResult {
    std::optional<CliRequest> request;
    QString error; // why the arguments were refused, when there is no request
};

// Reads the arguments (without the program name). Numbers are written with
// "." whatever the user's number format, so scripts work everywhere. Options
// come from the defaults, or from --options FILE, then from the single flags.
CliParseResult ParseCliArguments(const QStringList& arguments);

inline const QString CliUsageLine = QStringLiteral(
    "usage: velmora-cli [--a1 X] [--c X] [--b X] [--n X] [--ln] [--flow] [--P X] [--T X] "
    "[--r X] [--step N] [--options FILE] [--unit mm/h|mm/min] [--decimals N] [--time hm|min] "
    "[--calc-by-show] [--qi-ratio X] [--totals] [--help]");

QString CliHelpText();

} // namespace velmora::cli
