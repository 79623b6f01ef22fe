#include "platform_windows.h"

// windows.h first: the shell's header builds on its declarations.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

namespace velmora::windows {

namespace {
constexpr UINT CodePage936 = 936;
}

QString RoamingAppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return QString::fromWCharArray(folder);
}

QByteArray ToCodePage936(const QString& input) {
    if (input.isEmpty())
        return {};
    // The page holds no character beyond the BMP: each becomes one "?", as
    // ICU writes it, where Windows would write one for each half of its pair.
    QString text;
    text.reserve(input.size());
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c.isHighSurrogate() && i + 1 < input.size() && input.at(i + 1).isLowSurrogate()) {
            text += QLatin1Char('?');
            ++i;
        } else {
            text += c.isSurrogate() ? QChar(QLatin1Char('?')) : c;
        }
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int needed =
        WideCharToMultiByte(CodePage936, 0, wide, int(text.size()), nullptr, 0, "?", nullptr);
    QByteArray bytes(needed, Qt::Uninitialized);
    WideCharToMultiByte(CodePage936, 0, wide, int(text.size()), bytes.data(), needed, "?", nullptr);
    return bytes;
}

QString FromCodePage936(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    const int needed =
        MultiByteToWideChar(CodePage936, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(needed, Qt::Uninitialized);
    MultiByteToWideChar(CodePage936, 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data()), needed);
    return text;
}

QStringList CommandLineArguments() {
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 1; words && i < count; ++i)
        arguments << QString::fromWCharArray(words[i]);
    ::LocalFree(words);
    return arguments;
}

} // namespace velmora::windows
