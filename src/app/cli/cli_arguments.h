#pragma once

#include "result.h"

#include "export_format.h"
#include "options.h"
#include "storm.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <vector>

namespace velmora::cli {

// The storm values given on the command line, laid over the base storm: the
// default storm, or the storm read with --storm.
struct StormEdits {
    std::optional<double> coefficient; // --a1: A1, or with --flow the coefficient "166.7A1"
    std::optional<double> c, b, n, repeatYear, time, percent;
    std::optional<std::int32_t> step;
    bool flow = false;
    bool naturalLog = false;

    // When a coefficient, the form or the q-i factor was given, the coefficient
    // of the other form is derived with the factor in force, as confirming the
    // new-storm dialog does; otherwise the base storm's coefficients stay.
    void applyTo(TExpressionObject& storm, double qiRatio, bool qiRatioGiven) const;
};

// What the command line asks for.
struct CliRequest {
    StormEdits storm;
    // Every value given to --P and to --T, in their order (empty when not
    // given); the first one is also in `storm`, which a single storm uses.
    std::vector<double> repeatYears;
    std::vector<double> durations;
    std::vector<double> peakRatios;          // --r, several only with --compare
    std::optional<QString> stormFile;        // --storm FILE
    std::optional<QString> writeStormFile;   // --write-storm FILE, or --format storm --out FILE
    ExportFormat format = ExportFormat::Csv; // --format
    bool formatGiven = false;
    bool stormFormat = false;       // --format storm: the storm file instead of the table
    bool pictureFormat = false;     // --format png: the chart (with --compare only)
    std::optional<QString> outFile; // --out FILE: code page 936 instead of UTF-8 to standard output
    std::optional<QString> outDir;  // --out-dir DIR: one file per storm
    bool force = false; // --force: files in DIR, or our entries in the model, may be replaced
    TOptions options;
    bool qiRatioGiven = false;
    bool totals = false;
    bool idfCheck =
        false;            // --idf-check: the storm checked against its formula instead of the table
    bool compare = false; // --compare: the storms of the lists as one comparison
    bool help = false;
    bool version = false;             // --version
    bool checkUpdate = false;         // --check-update
    std::optional<QUrl> updateServer; // --update-server URL: instead of the maker's server
    std::optional<QString> intoSwmm;  // --into-swmm MODEL: the storms written into a SWMM model
    std::optional<QString> gageName;  // --gage-name NAME: the gage of the one storm written
    bool assignGage = false;          // --assign-gage: every subcatchment reads that gage
    // --fit-formula TABLE or --fit-maxima RECORDS: the formula worked out
    // from a table of intensities or from annual maxima.
    std::optional<QString> fitTableFile;
    std::optional<QString> fitMaximaFile;
    std::optional<std::int32_t> tableUnit;    // --table-unit: an IntensityUnit
    std::optional<std::int32_t> distribution; // --distribution: a DistributionChoice
    std::vector<double> fitPeriods;           // --periods

    bool fitsRainData() const { return fitTableFile || fitMaximaFile; }

    // Several storms, or one written into a folder: a summary line per storm.
    bool isBatch() const {
        return !compare && !intoSwmm &&
               (repeatYears.size() > 1 || durations.size() > 1 || outDir.has_value());
    }
    // The number of storms: every combination of the return periods, durations and peak ratios.
    std::size_t stormCount() const {
        return std::max<std::size_t>(repeatYears.size(), 1) *
               std::max<std::size_t>(durations.size(), 1) *
               std::max<std::size_t>(peakRatios.size(), 1);
    }
};

// A batch is refused above this many storms: far more than anyone computes
// at once, and still a run of minutes, not of days.
inline constexpr std::size_t MaxBatchStorms = 1000000;

// At most this many storms are written into a SWMM model at once: each is a
// series and a gage of the model, and a hundred already fill its lists.
inline constexpr std::size_t MaxModelStorms = 100;

// The arguments as text, without the program name. An argument whose bytes
// are not text in the system's encoding (a GBK file name on a UTF-8 system)
// is refused: decoded, it would name another file than the one given.
Result<QStringList> DecodeArguments(int argc, char* argv[]);

// Reads the arguments (without the program name). Numbers are written with
// "." whatever the user's number format, so scripts work everywhere. Options
// come from the defaults, or from --options FILE, then from the single flags.
// Refused arguments fail with the reason (without "velmora-cli: ").
Result<CliRequest> ParseCliArguments(const QStringList& arguments);

// "usage: velmora-cli [--storm FILE] …", with a line for each other way to call it.
QString CliUsageLine();
// The usage and every flag with what it does.
QString CliHelpText();

} // namespace velmora::cli
