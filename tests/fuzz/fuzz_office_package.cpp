// Office packages as the documents are made: parts read as text, edited by
// placeholder replacement and row snippets, written as a zip archive and read
// back. The package comes from a zip archive when the input is one ("PK"
// first), otherwise from the input split at NUL bytes into names and contents,
// so that the editing and writing see any names and parts, not only those of
// an archive that survived a mutation.

#include "fuzz_check.h"
#include "office_package.h"
#include "placeholders.h"
#include "row_snippet.h"

#include <QSet>
#include <QStringList>

using namespace velmora;

namespace {

std::vector<ZipEntry> Entries(const QByteArray& bytes) {
    if (bytes.startsWith("PK")) {
        Result<std::vector<ZipEntry>> read = ReadZipArchive(bytes);
        return read ? std::move(read).value() : std::vector<ZipEntry>();
    }
    std::vector<ZipEntry> entries;
    const QList<QByteArray> pieces = bytes.split('\0');
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2)
        entries.push_back(ZipEntry{QString::fromUtf8(pieces[i]), pieces[i + 1]});
    return entries;
}

bool HasControlCharacter(const QString& name) {
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

bool Writable(const std::vector<ZipEntry>& entries) {
    QSet<QString> names;
    for (const ZipEntry& entry : entries) {
        if (!IsSafeEntryName(entry.name) || HasControlCharacter(entry.name) ||
            names.contains(entry.name))
            return false;
        names.insert(entry.name);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OfficePackage package(Entries(fuzz::Bytes(data, size)));
    const std::vector<ZipEntry> before = package.entries();

    const std::vector<TResultRowTexts> rows = {
        {QStringLiteral("00"), QStringLiteral("0.1908"), QStringLiteral("0.1908")},
        {QStringLiteral("<&>"), QStringLiteral("1,5"), QStringLiteral("")},
    };
    QSet<QString> edited; // a repeated name is one part to edit: the first of that name
    for (const ZipEntry& entry : before) {
        if (edited.contains(entry.name))
            continue;
        edited.insert(entry.name);
        const Result<QString> text = package.partText(entry.name);
        if (!text)
            continue;
        // A part that is text may hold the table's row snippet.
        const Result<QString> built = BuildRows(*text, rows);
        FUZZ_CHECK(built.ok() == (text->count(QStringLiteral("%s")) == 3));
        // The first line of the part as the placeholder, the start of the
        // second as its value (short, as the program's values are).
        const QStringList lines = text->split(QLatin1Char('\n'));
        const std::vector<TReplacement> replacements = {
            {lines.value(0), lines.value(1).left(16)},
            {QStringLiteral("{{ROWS}}"), built ? built->left(256) : QString()},
        };
        const Qt::CaseSensitivity matching =
            size % 2 == 0 ? WordPlaceholderMatching : ExcelPlaceholderMatching;
        FUZZ_CHECK(package.editPart(entry.name, replacements, matching).ok());
        FUZZ_CHECK(package.partText(entry.name).ok());
    }
    FUZZ_CHECK(package.entries().size() == before.size());

    // The edited package is written and read back as it is held; only unsafe
    // or repeated names and names with control characters are refused.
    const Result<QByteArray> zipped = package.zipBytes();
    FUZZ_CHECK(zipped.ok() == Writable(package.entries()));
    if (!zipped)
        return 0;
    const Result<std::vector<ZipEntry>> again = ReadZipArchive(*zipped);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(*again == package.entries());
    FUZZ_CHECK(OfficePackage(*again).entries() == package.entries());
    return 0;
}
