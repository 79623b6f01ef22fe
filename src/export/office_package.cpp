#include "office_package.h"

#include "placeholders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>

// The resources live in a static library: registering them needs a call that
// the linker sees, made outside any namespace.
static void RegisterTemplateResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(templates);
        return true;
    }();
    (void)registered;
}

namespace velmora {

namespace {

const QString ContentTypesName = QStringLiteral("[Content_Types].xml");
const QString TemplatesRoot = QStringLiteral(":/templates");

bool WrittenBefore(const ZipEntry& a, const ZipEntry& b) {
    const bool aFirst = a.name == ContentTypesName;
    const bool bFirst = b.name == ContentTypesName;
    if (aFirst != bFirst)
        return aFirst;
    return a.name < b.name;
}

Failure MissingPart(const QString& partName) {
    return Failure::Error(QStringLiteral("文档模板中缺少“%1”").arg(partName));
}

Result<OfficePackage> ReadPackageFolder(const QString& folder) {
    std::vector<ZipEntry> entries;
    // Hidden files too: "_rels/.rels" is one.
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Failure::Error(QStringLiteral("无法读取文档模板“%1”").arg(path));
        entries.push_back(ZipEntry{path.mid(folder.size() + 1), file.readAll()});
    }
    if (entries.empty())
        return Failure::Error(QStringLiteral("文档模板“%1”是空的").arg(folder));
    return OfficePackage(std::move(entries));
}

} // namespace

OfficePackage::OfficePackage(std::vector<ZipEntry> entries) : entries_(std::move(entries)) {
    std::stable_sort(entries_.begin(), entries_.end(), WrittenBefore);
}

ZipEntry* OfficePackage::find(const QString& partName) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const ZipEntry& e) { return e.name == partName; });
    return found == entries_.end() ? nullptr : &*found;
}

const ZipEntry* OfficePackage::find(const QString& partName) const {
    return const_cast<OfficePackage*>(this)->find(partName);
}

Result<QString> OfficePackage::partText(const QString& partName) const {
    const ZipEntry* entry = find(partName);
    if (entry == nullptr)
        return MissingPart(partName);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(entry->bytes);
    if (decoder.hasError())
        return Failure::Error(QStringLiteral("文档模板中的“%1”不是UTF-8文本").arg(partName));
    return text;
}

Status OfficePackage::setPartText(const QString& partName, const QString& text) {
    return setPartBytes(partName, text.toUtf8());
}

Status OfficePackage::setPartBytes(const QString& partName, QByteArray bytes) {
    ZipEntry* entry = find(partName);
    if (entry == nullptr)
        return MissingPart(partName);
    entry->bytes = std::move(bytes);
    return {};
}

Status OfficePackage::editPart(const QString& partName,
                               const std::vector<TReplacement>& replacements,
                               Qt::CaseSensitivity matching) {
    Result<QString> text = partText(partName);
    if (!text)
        return text.failure();
    return setPartText(partName,
                       ReplacePlaceholders(std::move(text).value(), replacements, matching));
}

Result<QByteArray> OfficePackage::zipBytes() const {
    return WriteZipArchive(entries_);
}

Result<OfficePackage> LoadTemplatePackage(const QString& name) {
    RegisterTemplateResources();
    const QDir root(TemplatesRoot);
    for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder.compare(name, Qt::CaseInsensitive) == 0)
            return ReadPackageFolder(root.filePath(folder));
    }
    return Failure::Error(QStringLiteral("程序中没有文档模板“%1”").arg(name));
}

} // namespace velmora
