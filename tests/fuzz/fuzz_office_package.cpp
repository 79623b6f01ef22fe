// Office packages read from a zip archive, their parts read and edited as the
// documents are filled in, and written again.

#include "fuzz_check.h"
#include "office_package.h"
#include "placeholders.h"
#include "row_snippet.h"

#include <QStringList>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Result<std::vector<ZipEntry>> read = ReadZipArchive(fuzz::Bytes(data, size));
    if (!read)
        return 0;
    OfficePackage package(std::move(read).value());
    const std::vector<ZipEntry> before = package.entries();

    const std::vector<TResultRowTexts> rows = {
        {QStringLiteral("00"), QStringLiteral("0.1908"), QStringLiteral("0.1908")},
        {QStringLiteral("<&>"), QStringLiteral("1,5"), QStringLiteral("")},
    };
    for (const ZipEntry& entry : before) {
        const Result<QString> text = package.partText(entry.name);
        if (!text)
            continue;
        // A part that is text may hold the table's row snippet.
        const Result<QString> built = BuildRows(*text, rows);
        FUZZ_CHECK(built.ok() == (text->count(QStringLiteral("%s")) == 3));
        // The first line of the part as the placeholder, the second as its value.
        const QStringList lines = text->split(QLatin1Char('\n'));
        const std::vector<TReplacement> replacements = {
            {lines.value(0), lines.value(1)},
            {QStringLiteral("{{ROWS}}"), built ? *built : QString()},
        };
        for (const Qt::CaseSensitivity matching : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            FUZZ_CHECK(package.editPart(entry.name, replacements, matching).ok());
            FUZZ_CHECK(package.partText(entry.name).ok());
        }
    }
    FUZZ_CHECK(package.entries().size() == before.size());

    // The edited package is written and read back as it is held.
    const Result<QByteArray> zipped = package.zipBytes();
    FUZZ_CHECK(zipped.ok());
    const Result<std::vector<ZipEntry>> again = ReadZipArchive(*zipped);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(*again == package.entries());
    FUZZ_CHECK(OfficePackage(*again).entries() == package.entries());
    return 0;
}
