#include "settings_folder.h"

#include "options_file.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include "platform_windows.h"
#endif

namespace velmora {

QString DefaultSettingsBase() {
#ifdef Q_OS_WIN
    return windows::RoamingAppDataFolder();
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
}

QString EnsureSettingsFolder(const QString& base) {
    if (base.isEmpty())
        return {};
    QString folder = QDir::fromNativeSeparators(base);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    folder += QStringLiteral("Kestrova/Quorvel/");
    if (!QDir().mkpath(folder))
        return {};
    return folder;
}

QString OptionsFileIn(const QString& base) {
    const QString folder = EnsureSettingsFolder(base);
    return folder.isEmpty() ? QString() : folder + OptionsFileBaseName;
}

} // namespace velmora
