#pragma once

#include "result.h"
#include "zip_archive.h"

#include <QByteArray>
#include <QString>
#include <Qt>

#include <vector>

namespace velmora {

struct TReplacement;

// An Office Open XML package held in memory: its files as an ordered list of
// (entry name, bytes). "[Content_Types].xml" comes first, the other files
// follow in the order of their names, so a package is always written the same
// way whatever order its files were found in.
class OfficePackage {
public:
    explicit OfficePackage(std::vector<ZipEntry> entries);

    const std::vector<ZipEntry>& entries() const { return entries_; }

    // A part's text, decoded from UTF-8; a missing part or bytes that are not
    // UTF-8 give a failure.
    Result<QString> partText(const QString& partName) const;
    // Replaces an existing part's bytes by `text` in UTF-8 without byte-order mark.
    Status setPartText(const QString& partName, const QString& text);
    // Replaces an existing part's bytes (a picture).
    Status setPartBytes(const QString& partName, QByteArray bytes);
    // Reads a part, applies the replacements in order (see ReplacePlaceholders)
    // and writes it back.
    Status editPart(const QString& partName, const std::vector<TReplacement>& replacements,
                    Qt::CaseSensitivity matching);

    // The package as a zip archive (.docx, .xlsx) in memory.
    Result<QByteArray> zipBytes() const;

private:
    ZipEntry* find(const QString& partName);
    const ZipEntry* find(const QString& partName) const;

    std::vector<ZipEntry> entries_;
};

// The template package the program carries under `name` ("CalcData"), matched
// without regard to case. Every call gives a fresh copy.
Result<OfficePackage> LoadTemplatePackage(const QString& name);

} // namespace velmora
