#include "window_memory.h"

#include "atomic_file.h"
#include "ini_document.h"
#include "number_text.h"
#include "options_file.h"

namespace velmora {

namespace {

const QString WindowSection = QStringLiteral("WINDOW");
const QString FoldersSection = QStringLiteral("FOLDERS");
const QString FolderKinds[] = {QStringLiteral("Storm"),     QStringLiteral("Data"),
                               QStringLiteral("Picture"),   QStringLiteral("Document"),
                               QStringLiteral("SwmmModel"), QStringLiteral("RainData")};

int Number(const IniDocument& ini, const QString& key) {
    const auto text = ini.value(WindowSection, key);
    const auto number = text ? ParseInteger(*text) : std::nullopt;
    return number.value_or(0);
}

QString ColumnKey(std::size_t column) {
    return QStringLiteral("Column%1").arg(column + 1);
}

} // namespace

TWindowMemory WindowMemoryFromBytes(const QByteArray& optionsFileBytes) {
    TWindowMemory memory;
    const IniDocument ini = IniDocument::FromBytes(optionsFileBytes);
    const QRect geometry(Number(ini, QStringLiteral("Left")), Number(ini, QStringLiteral("Top")),
                         Number(ini, QStringLiteral("Width")),
                         Number(ini, QStringLiteral("Height")));
    if (geometry.width() > 0 && geometry.height() > 0)
        memory.geometry = geometry;
    memory.maximized = Number(ini, QStringLiteral("Maximized")) != 0;
    memory.panelWidth = std::max(0, Number(ini, QStringLiteral("PanelWidth")));
    for (std::size_t column = 0; column < memory.columns.size(); ++column)
        memory.columns[column] = std::max(0, Number(ini, ColumnKey(column)));
    for (const QString& kind : FolderKinds)
        if (const auto folder = ini.value(FoldersSection, kind); folder && !folder->isEmpty())
            memory.folders[kind] = *folder;
    return memory;
}

Status SaveWindowMemory(const QString& fileName, const TWindowMemory& memory) {
    const Result<QByteArray> existing = ExistingSettingsBytes(fileName);
    if (!existing)
        return existing.failure();
    IniDocument ini = IniDocument::FromBytes(*existing);
    const auto set = [&ini](const QString& key, int value) {
        ini.setValue(WindowSection, key, QString::number(value));
    };
    set(QStringLiteral("Left"), memory.geometry.x());
    set(QStringLiteral("Top"), memory.geometry.y());
    set(QStringLiteral("Width"), memory.geometry.width());
    set(QStringLiteral("Height"), memory.geometry.height());
    set(QStringLiteral("Maximized"), memory.maximized ? 1 : 0);
    set(QStringLiteral("PanelWidth"), memory.panelWidth);
    for (std::size_t column = 0; column < memory.columns.size(); ++column)
        set(ColumnKey(column), memory.columns[column]);
    for (const auto& [kind, folder] : memory.folders)
        ini.setValue(FoldersSection, kind, folder);
    return WriteFileAtomically(fileName, ini.toBytes());
}

} // namespace velmora
