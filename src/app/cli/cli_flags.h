#pragma once

#include "cli_arguments.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// velmora-cli's flags, each declared once: its name, its value, where its
// help stands, what the help says and how its value is read. The parser, the
// usage line and the help text are all made from this table.
namespace velmora::cli {

// The display flags given one by one; they win over an options file.
struct DisplayOverrides {
    std::optional<StormUnit> unit;
    std::optional<TimeFormat> timeFormat;
    std::optional<std::int32_t> decimals;
    std::optional<double> qiRatio;
    bool calcByShow = false;
    bool intervalAverage = false;

    void applyTo(TOptions& options) const;
};

// Everything the flags set, before the options are put together.
struct PendingRequest {
    CliRequest request;
    std::optional<QString> optionsFile;
    DisplayOverrides display;
};

// Where a flag's help stands.
enum class FlagGroup { Storm, Display, Output, Program, Batch, SwmmModel, Fit };

struct CliFlag {
    const char* name; // "--P"
    QString value;    // "X[,X...]"; empty for a switch
    FlagGroup group;
    // The flag's part of the usage line, when it is not "[name value]"; an
    // empty text keeps the flag out of the first usage line.
    const char* usage;
    // The help's lines after the flag, joined by "\n".
    const char* help;
    // Reads the value (empty for a switch) into the request; the failure is
    // the refusal's text, without "velmora-cli: ".
    Status (*read)(PendingRequest& pending, const QString& flag, const QString& value);
};

// Every flag, in the order of the usage line and the help.
const std::vector<CliFlag>& CliFlags();
// The flag of that name ("-h" is --help's short name), or nothing.
const CliFlag* FindCliFlag(const QString& name);

} // namespace velmora::cli
