#include "word_data_table.h"

#include "office_package.h"
#include "placeholders.h"
#include "row_snippet.h"

namespace velmora {

namespace {

const QString DocumentPart = QStringLiteral("word/document.xml");
const QString RowSnippetPart = QStringLiteral("word/TableRow.xml");

} // namespace

Result<QByteArray> WordDataTable(const std::vector<TResultRowTexts>& rows,
                                 const TOptions& options) {
    Result<OfficePackage> package = LoadTemplatePackage(QStringLiteral("CalcData"));
    if (!package)
        return package.failure();
    const Result<QString> rowSnippet = package->partText(RowSnippetPart);
    if (!rowSnippet)
        return rowSnippet.failure();
    Result<QString> rowsXml = BuildRows(*rowSnippet, rows);
    if (!rowsXml)
        return rowsXml.failure();

    std::vector<TReplacement> replacements;
    AddTableHeadingReplacements(replacements, options);
    replacements.push_back({QStringLiteral("<!--雨量计算数据表格-->"), std::move(rowsXml).value()});

    const Status edited = package->editPart(DocumentPart, replacements, WordPlaceholderMatching);
    if (!edited)
        return edited.failure();
    return package->zipBytes();
}

} // namespace velmora
