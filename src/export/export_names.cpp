#include "export_names.h"

#include "number_text.h"

namespace velmora {

namespace {

QString StormPart(const TExpressionObject& storm, QChar separator) {
    return QStringLiteral("P=%1年 t=%2分 r=%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, separator),
             GeneralNumberText(storm.Storm_Time, separator),
             GeneralNumberText(storm.Storm_Percent, separator));
}

// The Office documents name the storm with blanks and capitals: " P=2年 T=120分 R=0.4".
QString OfficeStormPart(const TExpressionObject& storm, QChar separator) {
    return QStringLiteral(" P=%1年 T=%2分 R=%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, separator),
             GeneralNumberText(storm.Storm_Time, separator),
             GeneralNumberText(storm.Storm_Percent, separator));
}

} // namespace

QString ProposedDataFileName(const TExpressionObject& storm, const QString& extension,
                             QChar decimalSeparator) {
    return QStringLiteral("芝加哥雨型计算数据") + StormPart(storm, decimalSeparator) + extension;
}

QString ProposedWordDataFileName(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("芝加哥雨型计算数据") + OfficeStormPart(storm, decimalSeparator) +
           QStringLiteral(".docx");
}

QString ProposedCalculationReportFileName(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("雨型计算书") + OfficeStormPart(storm, decimalSeparator) +
           QStringLiteral(".docx");
}

QString ProposedExcelWorkbookFileName(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("Excel图表") + OfficeStormPart(storm, decimalSeparator) +
           QStringLiteral(".xlsx");
}

QString ProposedPictureFileName(const TExpressionObject& storm, const QString& extension,
                                QChar decimalSeparator) {
    return QStringLiteral("芝加哥雨型") + StormPart(storm, decimalSeparator) + extension;
}

QString ProposedStormFileName(const TExpressionObject& storm, QChar decimalSeparator) {
    return ProposedPictureFileName(storm, QStringLiteral(".txt"), decimalSeparator);
}

QString ReplaceExtension(const QString& path, const QString& extension) {
    const auto nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const auto dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot >= nameStart ? path.left(dot) : path) + extension;
}

} // namespace velmora
