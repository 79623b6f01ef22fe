#include "swmm_model_edit.h"

#include "foreign_text.h"
#include "swmm_model_entries.h"
#include "swmm_model_find.h"
#include "swmm_model_scan.h"
#include "swmm_model_warnings.h"

#include <algorithm>

namespace velmora {

namespace {

using namespace swmm;

QString LineText(QByteArrayView file, const Line& line) {
    return QuotedForeignText(FileText(file.sliced(line.begin, line.end - line.begin)));
}

// The names of every storm, checked and made safe; two storms may not share one.
Result<std::vector<StormNames>> StormNamesOf(const std::vector<TSwmmStorm>& storms) {
    std::vector<StormNames> names;
    for (const TSwmmStorm& storm : storms) {
        Result<StormNames> named = NamesOf(storm);
        if (!named)
            return named.failure();
        if (storm.rows.empty() || SwmmStepMinutes(storm) == 0)
            return Failure{
                QStringLiteral("雨型%1没有计算出的数据").arg(QString::fromLatin1(named->series))};
        names.push_back(std::move(named).value());
    }
    NameIndex series;
    NameIndex gages;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!series.add(names[i].series, i))
            return Failure{QStringLiteral("有两个雨型的时间序列名称都是%1")
                               .arg(QString::fromLatin1(names[i].series))};
        if (!gages.add(names[i].gage, i))
            return Failure{QStringLiteral("有两个雨型的雨量计名称都是%1")
                               .arg(QString::fromLatin1(names[i].gage))};
    }
    return names;
}

// Entries of the storms' names that are not ours: never replaced.
Status CheckForeignEntries(QByteArrayView file, const ModelScan& scan,
                           const std::vector<StormNames>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const FoundNames& found = scan.storms[i];
        const QString series = QString::fromLatin1(names[i].series);
        if (found.otherUse)
            return Failure{QStringLiteral("模型第%1行的曲线或模式已使用名称%2，时间序列不能再用它："
                                          "“%3”")
                               .arg(found.otherUse->number)
                               .arg(series, LineText(file, *found.otherUse))};
        if (found.foreignSeries)
            return Failure{QStringLiteral("模型第%1行的时间序列%2不是本程序写入的，不能替换：“%3”")
                               .arg(found.foreignSeries->number)
                               .arg(series, LineText(file, *found.foreignSeries))};
        if (found.foreignGage)
            return Failure{QStringLiteral("模型第%1行的雨量计%2不是读取时间序列%3的降雨强度，"
                                          "不能替换：“%4”")
                               .arg(found.foreignGage->number)
                               .arg(QString::fromLatin1(names[i].gage), series,
                                    LineText(file, *found.foreignGage))};
    }
    return {};
}

// Entries of ours under the storms' names: replaced only when the caller says so.
Status CheckTakenNames(const ModelScan& scan, const std::vector<StormNames>& names) {
    QStringList taken;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!scan.storms[i].series.empty())
            taken.append(QStringLiteral("时间序列%1").arg(QString::fromLatin1(names[i].series)));
        if (!scan.storms[i].gages.empty())
            taken.append(QStringLiteral("雨量计%1").arg(QString::fromLatin1(names[i].gage)));
    }
    if (taken.isEmpty())
        return {};
    return Failure{QStringLiteral("模型中已有同名的") + taken.join(QStringLiteral("、")),
                   FailureKind::NameTaken};
}

Status CheckModel(QByteArrayView file, const ModelScan& scan) {
    if (!scan.knownSection)
        return Failure{QStringLiteral("这不是SWMM输入文件：其中没有[OPTIONS]、[SUBCATCHMENTS]"
                                      "这样的节标题"),
                       FailureKind::WrongFormat};
    if (scan.unreadableGage)
        return Failure{QStringLiteral("模型第%1行的雨量计无法识别：“%2”")
                           .arg(scan.unreadableGage->number)
                           .arg(LineText(file, *scan.unreadableGage)),
                       FailureKind::BadValue};
    return {};
}

// A piece of the file replaced by new text; an insertion replaces nothing.
struct Edit {
    qsizetype begin;
    qsizetype end;
    QByteArray text;
};

// The entries of one kind: each replaces the first line of its name and
// removes the others, or joins the new ones for the end of the section.
void PlaceEntries(const std::vector<Line>& old, QByteArray text, std::vector<Edit>& edits,
                  QByteArray& added) {
    if (old.empty()) {
        added += text;
        return;
    }
    edits.push_back({old.front().begin, old.front().next, std::move(text)});
    for (auto line = old.begin() + 1; line != old.end(); ++line)
        edits.push_back({line->begin, line->next, QByteArray()});
}

// New entries after the last line of their section, or a new section at the end.
void PlaceAdded(QByteArray added, const std::optional<Line>& endOfSection, Section section,
                QByteArrayView lineEnd, std::vector<Edit>& edits, QByteArray& newSections) {
    if (added.isEmpty())
        return;
    if (endOfSection)
        edits.push_back({endOfSection->next, endOfSection->next, std::move(added)});
    else
        newSections += lineEnd.toByteArray() + SectionHead(section, lineEnd) + added;
}

QByteArray Applied(QByteArrayView file, std::vector<Edit>& edits) {
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    qsizetype added = 0;
    for (const Edit& edit : edits)
        added += edit.text.size();
    QByteArray result;
    result.reserve(file.size() + added);
    qsizetype at = 0;
    for (const Edit& edit : edits) {
        result.append(file.sliced(at, edit.begin - at));
        result.append(edit.text);
        at = edit.end;
    }
    result.append(file.sliced(at));
    return result;
}

// The file's line end, from its first line: SWMM writes CR LF on Windows.
QByteArray LineEndOf(QByteArrayView file) {
    const qsizetype newline = file.indexOf('\n');
    return newline > 0 && file[newline - 1] == '\r' ? "\r\n" : newline >= 0 ? "\n" : "\r\n";
}

// A last line without a line end gets one, so that entries can follow it; a
// last CR is a CR LF cut short and gets its LF.
QByteArray WithLastLineEnded(const QByteArray& model, const QByteArray& lineEnd) {
    if (model.isEmpty() || model.endsWith('\n'))
        return model;
    return model + (model.endsWith('\r') ? QByteArray("\n") : lineEnd);
}

struct Writing {
    std::vector<Edit> edits;
    TSwmmModelReport report;
};

Writing Entries(const std::vector<TSwmmStorm>& storms, const std::vector<StormNames>& names,
                const ModelScan& scan, const ModelOptions& options, QByteArrayView file,
                QByteArrayView lineEnd) {
    Writing writing;
    QByteArray addedSeries;
    QByteArray addedGages;
    for (std::size_t i = 0; i < storms.size(); ++i) {
        const FoundNames& found = scan.storms[i];
        PlaceEntries(found.series, SeriesLines(storms[i], names[i], options.rainUnit, lineEnd),
                     writing.edits, addedSeries);
        PlaceEntries(found.gages, GageLine(storms[i], names[i], lineEnd), writing.edits,
                     addedGages);
        const QString series = QString::fromLatin1(names[i].series);
        writing.report.series.push_back({series, QString::fromLatin1(names[i].gage),
                                         !found.series.empty(), !found.gages.empty(),
                                         SwmmGageDepth(storms[i])});
        writing.report.warnings += SwmmStormWarnings(storms[i], series, options.simulationMinutes);
    }
    QByteArray newSections;
    PlaceAdded(std::move(addedGages), scan.endOfGages, Section::RainGages, lineEnd, writing.edits,
               newSections);
    PlaceAdded(std::move(addedSeries), scan.endOfSeries, Section::TimeSeries, lineEnd,
               writing.edits, newSections);
    if (!newSections.isEmpty()) {
        // The blank line before a new section is the file's own when it ends with one.
        const qsizetype separator = scan.endsBlank ? lineEnd.size() : 0;
        writing.edits.push_back({file.size(), file.size(), newSections.sliced(separator)});
    }
    return writing;
}

void AssignGage(const ModelScan& scan, const StormNames& names, Writing& writing) {
    for (const Token& gage : scan.subcatchmentGages)
        writing.edits.push_back({gage.begin, gage.end, names.gage});
    writing.report.subcatchmentsAssigned = static_cast<int>(scan.subcatchmentGages.size());
    if (scan.subcatchmentGages.empty())
        writing.report.warnings.append(QStringLiteral("模型中没有子汇水区，雨量计%1还没有被使用")
                                           .arg(QString::fromLatin1(names.gage)));
}

} // namespace

QStringList SwmmModelReportLines(const TSwmmModelReport& report) {
    QStringList lines;
    const auto done = [](bool replaced) {
        return replaced ? QStringLiteral("替换") : QStringLiteral("新增");
    };
    for (const TSwmmSeriesWritten& series : report.series)
        lines.append(QStringLiteral("%1时间序列%2，%3雨量计%4")
                         .arg(done(series.seriesReplaced), series.seriesName,
                              done(series.gageReplaced), series.gageName));
    lines.append(QStringLiteral("降雨强度单位%1（%2）")
                     .arg(SwmmRainUnitText(report.rainUnit),
                          report.flowUnitsGiven
                              ? QStringLiteral("模型的流量单位为%1").arg(report.flowUnits)
                              : QStringLiteral("模型没有设置FLOW_UNITS，SWMM按CFS计算")));
    if (report.subcatchmentsAssigned > 0)
        lines.append(QStringLiteral("%1个子汇水区改用雨量计%2")
                         .arg(report.subcatchmentsAssigned)
                         .arg(report.series.front().gageName));
    for (const QString& warning : report.warnings)
        lines.append(QStringLiteral("注意：") + warning);
    return lines;
}

Result<TSwmmModelEdit> EditSwmmModel(const QByteArray& model, const std::vector<TSwmmStorm>& storms,
                                     const TSwmmModelChoices& choices) {
    if (storms.empty())
        return Failure{QStringLiteral("没有要写入模型的雨型")};
    if (choices.assignGage && storms.size() != 1)
        return Failure{QStringLiteral("只有写入一个雨型时，才能让所有子汇水区使用它的雨量计")};
    const Result<std::vector<StormNames>> names = StormNamesOf(storms);
    if (!names)
        return names.failure();
    if (model.contains('\0'))
        return Failure{QStringLiteral("这不是SWMM输入文件：其中有二进制数据"),
                       FailureKind::WrongFormat};

    const QByteArray lineEnd = LineEndOf(model);
    const QByteArray file = WithLastLineEnded(model, lineEnd);
    const ModelScan scan = ScanModel(file, *names, choices.assignGage);
    if (const Status readable = CheckModel(file, scan); !readable)
        return readable.failure();
    const Result<ModelOptions> options = scan.options.options();
    if (!options)
        return options.failure();
    if (const Status ours = CheckForeignEntries(file, scan, *names); !ours)
        return ours.failure();
    if (!choices.replace)
        if (const Status free = CheckTakenNames(scan, *names); !free)
            return free.failure();

    Writing writing = Entries(storms, *names, scan, *options, file, lineEnd);
    if (choices.assignGage)
        AssignGage(scan, names->front(), writing);
    writing.report.rainUnit = options->rainUnit;
    writing.report.flowUnits = options->flowUnits;
    writing.report.flowUnitsGiven = options->flowUnitsGiven;
    return TSwmmModelEdit{Applied(file, writing.edits), std::move(writing.report)};
}

} // namespace velmora
