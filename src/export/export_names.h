#pragma once

#include "storm.h"

#include <QChar>
#include <QString>

namespace velmora {

// "芝加哥雨型计算数据P=2年 t=120分 r=0.4" followed by `extension` (".csv", ".dat").
QString ProposedDataFileName(const TExpressionObject& storm, const QString& extension,
                             QChar decimalSeparator);
// "芝加哥雨型计算数据 P=2年 T=120分 R=0.4.docx", the Word data table's name.
QString ProposedWordDataFileName(const TExpressionObject& storm, QChar decimalSeparator);
// "雨型计算书 P=2年 T=120分 R=0.4.docx", the calculation report's name.
QString ProposedCalculationReportFileName(const TExpressionObject& storm, QChar decimalSeparator);
// "Excel图表 P=2年 T=120分 R=0.4.xlsx", the chart workbook's name.
QString ProposedExcelWorkbookFileName(const TExpressionObject& storm, QChar decimalSeparator);
// "芝加哥雨型P=2年 t=120分 r=0.4" followed by `extension` (".bmp", ".jpg", ".png").
QString ProposedPictureFileName(const TExpressionObject& storm, const QString& extension,
                                QChar decimalSeparator);
// "芝加哥雨型P=2年 t=120分 r=0.4.txt", a storm file's name where one is proposed
// (velmora-cli --out-dir): the storm named as its pictures are.
QString ProposedStormFileName(const TExpressionObject& storm, QChar decimalSeparator);

// `path` with the extension of its file name replaced by `extension` (".csv"),
// or with `extension` appended when it has none: abc.txt → abc.csv, abc → abc.csv.
QString ReplaceExtension(const QString& path, const QString& extension);

} // namespace velmora
