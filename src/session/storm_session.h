#pragma once

#include "atomic_file.h"
#include "display_text.h"
#include "export_format.h"
#include "hyetograph.h"
#include "options.h"
#include "result.h"
#include "storm.h"
#include "storm_comparison.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

#include <vector>

namespace velmora {

// The working state of one run of the program: the current storm, the
// options (and the file they are kept in), the hyetograph table with its
// totals and axis maxima, and the storm file the storm was last opened from
// or saved to. Every command of the window and of velmora-cli works through
// it; the window only asks the person and redraws when it reports a change.
class StormSession final : public QObject {
    Q_OBJECT
public:
    // Starts on the default storm, not yet computed, with the options of
    // `optionsFileName` (an empty name: the defaults, which cannot be saved).
    explicit StormSession(QString optionsFileName = QString(), QObject* parent = nullptr);

    const TExpressionObject& storm() const { return storm_; }
    const TOptions& options() const { return options_; }
    const QString& optionsFileName() const { return optionsFileName_; }
    // The options file as the session last read it (at the start or on
    // reloading); empty when there was none. The window takes what it
    // remembers from it rather than reading the file again.
    const QByteArray& optionsFileBytes() const { return optionsFileBytes_; }
    // Why the options file could not be read when the session last read it
    // (the options are then the defaults); success when it was read or does
    // not exist yet.
    const Status& optionsFileRead() const { return optionsFileRead_; }
    const THyetographTable& table() const { return table_; }
    double maxRainfallIntensity() const { return maxRainfallIntensity_; }
    double maxOverallRainfall() const { return maxOverallRainfall_; }
    // The storm file that "save" writes to; empty until one was opened or named.
    const QString& currentStormFile() const { return currentStormFile_; }

    // Computes the table of the current storm with the current options. A
    // failure leaves no table (nothing stale can be shown or exported), both
    // totals 0, and says why, shown after the error mark.
    Status recompute();

    // Takes `entered` as the current storm, whole, when it can be computed,
    // and shows its table; the next save asks for a name. A storm that cannot
    // be computed fails with the computation's reason and changes nothing:
    // the current storm, its table and its file stay.
    Status newStorm(const TExpressionObject& entered);
    // Reads the storm file at `path`; only a storm read whole that can be
    // computed replaces the current one (and `path` becomes the current
    // file). Otherwise it fails with the reason and changes nothing.
    Status openStormFile(const QString& path);
    // Writes the current storm to `path` atomically; the current file stays.
    // `existing` says what happens to a file of that name (velmora-cli's
    // batches keep or replace names; the window replaces files).
    Status saveStormFile(const QString& path, ExistingFile existing = ExistingFile::Replace) const;
    void setCurrentStormFile(const QString& path) { currentStormFile_ = path; }

    // Takes `options` for display without saving them (the options dialog's
    // preview, velmora-cli's flags).
    void setOptions(const TOptions& options);
    // Takes `options` as setOptions does and, when they change how the table
    // is computed or written (unit, time format, decimals, rounding, interval
    // means, the q-i factor), computes it again at once: the options dialog's
    // preview. reloadOptions undoes it.
    Status previewOptions(const TOptions& options);
    Status saveOptions() const;
    // After the options dialog: the options file decides (so a cancelled
    // preview is undone), the dependent coefficient follows the q-i factor,
    // and the storm is computed again.
    Status reloadOptions();
    // Remembers which series are shown; saves the options when that changed.
    Status showSeries(bool overallRainfall, bool rainfallIntensity);

    // SWMM reads hours and minutes and mm/h only.
    bool usesSwmmUnits() const;
    // Switches to those for this run (not saved) and computes again.
    Status switchToSwmmUnits();

    // The three texts of every row, as the grid shows them.
    std::vector<TResultRowTexts> rowTexts(QChar decimalSeparator) const;
    // A text export's text (CSV, SWMM) and any export's file bytes.
    QString exportText(ExportFormat format) const;
    Result<QByteArray> exportBytes(ExportFormat format) const;
    // Writes an export's file to `path` atomically: a failure leaves an
    // existing file as it was and nothing of ours beside it.
    Status writeExport(ExportFormat format, const QString& path,
                       ExistingFile existing = ExistingFile::Replace) const;
    // The chart picture `chart` written to `path` atomically in the format of
    // its extension (.bmp, .jpg, .png); another extension is refused.
    Status writePicture(const QString& path, const QImage& chart) const;
    // The calculation report with the picture `chart` written to `path`, as a
    // task holding copies of all it needs (the compared storms that the chart
    // shows are named under it): it encodes the picture, builds the document
    // and writes it, and may run on another thread while the session goes on
    // to the next storm.
    std::function<Status()> reportWriting(const QImage& chart, const QString& path,
                                          ExistingFile existing) const;

    // The storms kept for comparison, in the order they were added; they stay
    // until cleared or the program ends, and are never written to the options.
    const std::vector<TComparedStorm>& comparison() const { return comparison_; }
    // Whether the current storm, as computed, is kept already (SameComparedStorm).
    bool currentStormCompared() const;
    // Adds the current storm as computed, with the unit of its table. Without
    // a table, with the storm kept already or with the comparison full,
    // nothing is added.
    Status addToComparison();
    void clearComparison();
    // The comparison as one CSV table in the current time format, unit and
    // decimals, and the same written to `path` in code page 936.
    QString comparisonCsvText() const;
    Status writeComparisonCsv(const QString& path,
                              ExistingFile existing = ExistingFile::Replace) const;

signals:
    // Before the table is emptied or replaced: views let go of its rows.
    void tableAboutToChange();
    // After every computation, successful or not.
    void tableChanged();
    void optionsChanged();
    void comparisonChanged();

private:
    // Computes `storm` and, only when that succeeds, makes it the current
    // storm, read from `stormFile` (empty: a new storm).
    Status adoptStorm(const TExpressionObject& storm, const QString& stormFile);
    // Tells the views to let go of the table, and empties it.
    void dropTable();
    // Puts the outcome of a computation of the current storm on show, after
    // dropTable: its totals, its table and maxima, or none after a failure.
    void showComputed(Result<THyetograph> result);

    void readOptionsFile();
    TComparedStorm currentAsCompared() const;

    TExpressionObject storm_;
    TOptions options_;
    QString optionsFileName_;
    QByteArray optionsFileBytes_;
    Status optionsFileRead_;
    THyetographTable table_;
    double maxRainfallIntensity_ = 0;
    double maxOverallRainfall_ = 0;
    QString currentStormFile_;
    std::vector<TComparedStorm> comparison_;
};

} // namespace velmora
