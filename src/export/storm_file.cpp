#include "storm_file.h"

#include "atomic_file.h"
#include "foreign_text.h"
#include "maker.h"
#include "number_text.h"
#include "text_encoding.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <utility>

namespace velmora {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// The value of the first line whose text before its first "=" is `key`,
// compared without regard to letter case; nothing when no line has the key.
std::optional<QString> ValueOf(const QStringList& lines, const QString& key) {
    for (const QString& line : lines) {
        const auto equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0 && line.left(equals).compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return std::nullopt;
}

// Converts the values one by one; the first that does not convert is kept as
// the error and the rest are skipped.
class ValueReader {
public:
    ValueReader(const QStringList& lines, QChar separator) : lines_(lines), separator_(separator) {}

    void number(const QString& key, double& field) {
        if (!error_.isEmpty())
            return;
        const QString text = ValueOf(lines_, key).value_or(QString());
        if (const auto value = ParseDecimalNumber(text, separator_))
            field = *value;
        else
            error_ = QStringLiteral("'%1' is not a valid floating point value")
                         .arg(QuotedForeignText(text));
    }
    template <typename Integer> void integer(const QString& key, Integer& field) {
        if (!error_.isEmpty())
            return;
        const QString text = ValueOf(lines_, key).value_or(QString());
        if (const auto value = ParseInteger(text))
            field = static_cast<Integer>(*value); // LG_LN keeps the low 8 bits
        else
            error_ =
                QStringLiteral("'%1' is not a valid integer value").arg(QuotedForeignText(text));
    }
    const QString& error() const { return error_; }

private:
    const QStringList& lines_;
    QChar separator_;
    QString error_;
};

Failure WrongFormat() {
    return Failure{WrongStormFileMessage, FailureKind::WrongFormat};
}

} // namespace

QString StormFileMarker() {
    return QStringLiteral("访问") + QStringLiteral(VELMORA_MAKER_ADDRESS) +
           QStringLiteral("获取更多实用工具~");
}

Status CheckStormFileValues(const TExpressionObject& storm, QChar decimalSeparator) {
    const std::pair<const char*, double> values[] = {
        {"a1_167", storm.a1_167},
        {"a1", storm.a1},
        {"c", storm.c},
        {"b", storm.b},
        {"n", storm.n},
        {"重现期", storm.Storm_RepeatYear},
        {"降雨历时", storm.Storm_Time},
        {"峰值比例", storm.Storm_Percent},
    };
    for (const auto& [key, value] : values) {
        const QString text = GeneralNumberText(value, decimalSeparator);
        const auto readBack = ParseDecimalNumber(text, decimalSeparator);
        if (!std::isfinite(value) || !readBack || !std::isfinite(*readBack))
            return Failure{QStringLiteral("%1=%2 超出了雨型文件可以保存的数值范围")
                               .arg(QString::fromUtf8(key), text)};
    }
    return {};
}

Result<QByteArray> StormFileBytes(const TExpressionObject& storm, QChar decimalSeparator) {
    if (const Status storable = CheckStormFileValues(storm, decimalSeparator); !storable)
        return storable.failure();
    const auto number = [decimalSeparator](double value) {
        return GeneralNumberText(value, decimalSeparator);
    };
    const QStringList lines = {
        QStringLiteral("SIGN=") + StormFileMarker(),
        QStringLiteral("F_type=") + QString::number(storm.F_type),
        QStringLiteral("a1_167=") + number(storm.a1_167),
        QStringLiteral("a1=") + number(storm.a1),
        QStringLiteral("c=") + number(storm.c),
        QStringLiteral("b=") + number(storm.b),
        QStringLiteral("n=") + number(storm.n),
        QStringLiteral("LG_LN=") + QString::number(storm.LG_LN),
        QStringLiteral("重现期=") + number(storm.Storm_RepeatYear),
        QStringLiteral("降雨历时=") + number(storm.Storm_Time),
        QStringLiteral("峰值比例=") + number(storm.Storm_Percent),
        QStringLiteral("计算步长=") + number(storm.Storm_Step),
    };
    return EncodeCodePage936(lines.join(LineEnd) + LineEnd);
}

Result<TExpressionObject> ReadStormFile(const QByteArray& bytes, QChar decimalSeparator) {
    if (bytes.size() > MaxStormFileBytes)
        return WrongFormat();
    static const QRegularExpression lineEnds(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = DecodeTextFile(bytes).split(lineEnds);
    if (ValueOf(lines, QStringLiteral("SIGN")) != StormFileMarker())
        return WrongFormat();

    TExpressionObject storm;
    ValueReader read(lines, decimalSeparator);
    read.number(QStringLiteral("a1"), storm.a1);
    read.number(QStringLiteral("c"), storm.c);
    read.number(QStringLiteral("b"), storm.b);
    read.number(QStringLiteral("n"), storm.n);
    read.integer(QStringLiteral("LG_LN"), storm.LG_LN);
    read.number(QStringLiteral("重现期"), storm.Storm_RepeatYear);
    read.number(QStringLiteral("降雨历时"), storm.Storm_Time);
    read.number(QStringLiteral("峰值比例"), storm.Storm_Percent);
    read.integer(QStringLiteral("计算步长"), storm.Storm_Step);
    if (!ValueOf(lines, QStringLiteral("F_type"))) {
        // The earlier layout knew only the intensity form.
        storm.F_type = IntensityForm;
        storm.a1_167 = storm.a1 / 0.006;
    } else {
        read.integer(QStringLiteral("F_type"), storm.F_type);
        read.number(QStringLiteral("a1_167"), storm.a1_167);
    }
    if (!read.error().isEmpty())
        return Failure{read.error(), FailureKind::BadValue};
    return storm;
}

} // namespace velmora

namespace velmora {

Result<TExpressionObject> ReadStormFileAt(const QString& path, QChar decimalSeparator) {
    // A pipe or a device is refused rather than waited on; so is a file too
    // large to be a storm file, without reading it.
    const Result<QByteArray> bytes = ReadRegularFile(path, MaxStormFileBytes);
    if (!bytes)
        return bytes.failure();
    return ReadStormFile(*bytes, decimalSeparator);
}

} // namespace velmora
