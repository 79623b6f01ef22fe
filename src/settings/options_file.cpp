#include "options_file.h"

#include "atomic_file.h"
#include "ini_document.h"
#include "number_text.h"

#include <QFileInfo>

#include <type_traits>

namespace velmora {

namespace {

// How each option is read from and written to the file. Keys are listed in
// the order a fresh file holds them.
struct OptionsReader {
    const IniDocument& ini;
    QChar separator;

    void read(const QString& key, bool& field) const {
        if (const auto text = ini.value(OptionsSection, key))
            if (const auto number = ParseInteger(*text))
                field = *number != 0;
    }
    void read(const QString& key, std::int32_t& field) const {
        if (const auto text = ini.value(OptionsSection, key))
            if (const auto number = ParseInteger(*text))
                field = *number;
    }
    // A code: whatever integer the file holds is kept.
    template <typename Code>
    requires std::is_enum_v<Code>
    void read(const QString& key, Code& field) const {
        std::int32_t code = field;
        read(key, code);
        field = static_cast<Code>(code);
    }
    void read(const QString& key, double& field) const {
        if (const auto text = ini.value(OptionsSection, key))
            if (const auto number = ParseDecimalNumber(*text, separator))
                field = *number;
    }
    void read(const QString& key, QString& field) const {
        if (const auto text = ini.value(OptionsSection, key))
            field = *text;
    }
};

struct OptionsWriter {
    IniDocument& ini;
    QChar separator;

    void write(const QString& key, bool field) const {
        ini.setValue(OptionsSection, key, field ? QStringLiteral("1") : QStringLiteral("0"));
    }
    void write(const QString& key, std::int32_t field) const {
        ini.setValue(OptionsSection, key, QString::number(field));
    }
    void write(const QString& key, double field) const {
        ini.setValue(OptionsSection, key, GeneralNumberText(field, separator));
    }
    void write(const QString& key, const QString& field) const {
        ini.setValue(OptionsSection, key, field);
    }
};

// Visits every option with its key, in the order of a freshly written file.
template <typename Options, typename Visitor> void ForEachOption(Options& o, const Visitor& visit) {
    visit(QStringLiteral("ShowLabel_P"), o.Bool_ShowLabel_P);
    visit(QStringLiteral("ShowLabel_T"), o.Bool_ShowLabel_T);
    visit(QStringLiteral("ShowLabel_R"), o.Bool_ShowLabel_R);
    visit(QStringLiteral("ShowLabel_Overall_Rainfall"), o.Bool_ShowLabel_Overall_Rainfall);
    visit(QStringLiteral("ShowLabel_Average"), o.Bool_ShowLabel_Average_Rainfall_Intensity);
    visit(QStringLiteral("ShowAxis_Overall"), o.Bool_ShowAxis_Overall_Rainfall);
    visit(QStringLiteral("ShowAxis_Intensity"), o.Bool_ShowAxis_Rainfall_Intensity);
    visit(QStringLiteral("CalcByShow"), o.Bool_CalcByShow);
    visit(QStringLiteral("Precision"), o.Int_Precision);
    visit(QStringLiteral("TimeFormat"), o.Int_TimeForamtidx);
    visit(QStringLiteral("StormUnit"), o.Int_StormUnitidx);
    visit(QStringLiteral("QI_ConversionRatio"), o.D_QI_ConversionRatio);
    visit(QStringLiteral("Font_LeftAxis"), o.Font_LeftAxis);
    visit(QStringLiteral("Font_LeftTitle"), o.Font_LeftTitle);
    visit(QStringLiteral("Font_RightAxis"), o.Font_RightAxis);
    visit(QStringLiteral("Font_RightTitle"), o.Font_RightTitle);
    visit(QStringLiteral("Font_BottomAxis"), o.Font_BottomAxis);
    visit(QStringLiteral("Font_BottomTitle"), o.Font_BottomTitle);
    visit(QStringLiteral("Font_RainModelInfo"), o.Font_RainModelInfo);
    // Later options follow, so that a file written before them only gains lines at the end.
    visit(QStringLiteral("IntervalAverage"), o.Bool_IntervalAverage);
    visit(QStringLiteral("ReportIdfCheck"), o.Bool_ReportIdfCheck);
}

} // namespace

TOptions OptionsFromBytes(const QByteArray& bytes, QChar decimalSeparator) {
    TOptions options;
    const IniDocument ini = IniDocument::FromBytes(bytes);
    const OptionsReader reader{ini, decimalSeparator};
    ForEachOption(options, [&](const QString& key, auto& field) { reader.read(key, field); });
    return options;
}

Result<QByteArray> ReadOptionsFile(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).exists())
        return QByteArray();
    return ReadRegularFile(fileName, MaxOptionsFileBytes);
}

TOptions LoadOptions(const QString& fileName, QChar decimalSeparator) {
    return OptionsFromBytes(ReadOptionsFile(fileName).value_or(QByteArray()), decimalSeparator);
}

Result<QByteArray> ExistingSettingsBytes(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        return QByteArray();
    // Another section of the file must not be lost because it could not be read.
    const Result<QByteArray> bytes = ReadRegularFile(fileName, MaxOptionsFileBytes);
    if (!bytes)
        return Failure{QStringLiteral("无法保存文件“%1”：原文件无法读取或超过%2字节")
                           .arg(fileName)
                           .arg(MaxOptionsFileBytes)};
    return *bytes;
}

Status SaveOptions(const QString& fileName, const TOptions& options, QChar decimalSeparator) {
    const Result<QByteArray> existing = ExistingSettingsBytes(fileName);
    if (!existing)
        return existing.failure();
    return WriteFileAtomically(fileName, OptionsIntoBytes(*existing, options, decimalSeparator));
}

QByteArray OptionsIntoBytes(const QByteArray& existing, const TOptions& options,
                            QChar decimalSeparator) {
    IniDocument ini = IniDocument::FromBytes(existing);
    const OptionsWriter writer{ini, decimalSeparator};
    ForEachOption(options,
                  [&](const QString& key, const auto& field) { writer.write(key, field); });
    return ini.toBytes();
}

} // namespace velmora
