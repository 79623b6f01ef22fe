// SWMM models come from the engineer's disk, written by SWMM, other programs
// or by hand: storms written into any model keep its other lines, and writing
// the same storms again over them gives the same file.

#include "fuzz_check.h"
#include "swmm_model_edit.h"
#include "swmm_model_scan.h"

#include <QStringList>

using namespace velmora;

namespace {

const std::vector<TSwmmStorm>& Storms() {
    static const std::vector<TSwmmStorm> storms = [] {
        std::vector<TSwmmStorm> made;
        TOptions options;
        options.Bool_IntervalAverage = true;
        for (const double years : {2, 5}) {
            TExpressionObject storm = DefaultStorm();
            storm.Storm_RepeatYear = years;
            storm.Storm_Time = 15;
            storm.Storm_Step = 5;
            const Result<THyetograph> computed = CalcHyetograph(storm, options);
            StoreResults(storm, computed);
            made.push_back(SwmmStormOf(storm, computed->rows, options));
        }
        return made;
    }();
    return storms;
}

// The lines of `bytes` that are not blank, not an entry of the written names
// and not a section head the editor adds, without their line ends.
QList<QByteArray> KeptLines(const QByteArray& bytes, const QStringList& names) {
    static const QList<QByteArray> heads = {
        "[RAINGAGES]",
        ";;Name           Format    Interval SCF      Source",
        ";;-------------- --------- -------- -------- ----------",
        "[TIMESERIES]",
        ";;Name           Date       Time       Value",
        ";;-------------- ---------- ---------- ----------"};
    QList<QByteArray> kept;
    swmm::LineScanner lines(bytes);
    swmm::Line line;
    while (lines.next(line)) {
        const QByteArray text = bytes.sliced(line.begin, line.end - line.begin);
        const swmm::LineTokens tokens = swmm::Tokenize(bytes, line);
        const bool ours =
            tokens.count > 0 && !line.header &&
            names.contains(QString::fromLatin1(tokens[0].text.toByteArray()), Qt::CaseInsensitive);
        if (!line.blank && !ours && !heads.contains(text))
            kept.append(text);
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray model = fuzz::Bytes(data, size);
    const TSwmmModelChoices replace{.replace = true};
    const Result<TSwmmModelEdit> edited = EditSwmmModel(model, Storms(), replace);
    FUZZ_CHECK(edited.ok() || !edited.message().isEmpty());
    if (!edited)
        return 0;
    QStringList names;
    for (const TSwmmSeriesWritten& series : edited->report.series)
        names << series.seriesName << series.gageName;
    // A last line without a line end gets one.
    const QByteArray ended = model.isEmpty() || model.endsWith('\n') ? model : model + '\n';
    FUZZ_CHECK(KeptLines(edited->bytes, names) == KeptLines(ended, names));

    const Result<TSwmmModelEdit> again = EditSwmmModel(edited->bytes, Storms(), replace);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again->bytes == edited->bytes);
    return 0;
}
