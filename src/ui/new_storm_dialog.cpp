#include "new_storm_dialog.h"

#include "application_setup.h"
#include "command_guard.h"
#include "desktop.h"
#include "number_text.h"
#include "storm_file.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace velmora {

namespace {

const QString Prompt = QStringLiteral("提示");

QLineEdit* Field(QWidget* parent, const char* name, const QString& text, const QString& placeholder,
                 const QString& tooltip, QRect geometry) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setPlaceholderText(placeholder);
    field->setToolTip(tooltip);
    field->setAlignment(Qt::AlignCenter);
    field->setGeometry(geometry);
    return field;
}

QLabel* Text(QWidget* parent, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

// A number typed with the user's decimal separator, or with ".".
std::optional<double> EnteredNumber(const QString& text) {
    if (const auto number = ParseDecimalNumber(text, UserDecimalSeparator()))
        return number;
    return ParseDecimalNumber(text, QLatin1Char('.'));
}

// A key filter: keys that are not admitted are dropped, pasted text is held to
// the same rule; the input method is off.
void AdmitOnly(QLineEdit* field, const QString& pattern) {
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
}

} // namespace

TFormAddNewRainModel::TFormAddNewRainModel(const TOptions& options, Desktop& desktop,
                                           StormTaker takeStorm, QWidget* parent)
    : QDialog(parent), options_(options), desktop_(desktop), takeStorm_(std::move(takeStorm)) {
    setObjectName(QStringLiteral("FormAddNewRainModel"));
    setWindowTitle(QStringLiteral("添加新曲线"));
    setFont(WindowFont());
    setFixedSize(414, 223);
    buildFormulaGroup();
    buildDesignFields();

    ButtonOK = new QPushButton(QStringLiteral("确定"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setGeometry(246, 188, 75, 25);
    ButtonOK->setDefault(true);
    ButtonCancle = new QPushButton(QStringLiteral("取消"), this);
    ButtonCancle->setObjectName(QStringLiteral("ButtonCancle"));
    ButtonCancle->setGeometry(330, 188, 75, 25);
    ButtonCancle->setAutoDefault(false);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormAddNewRainModel::ButtonOKClick);
    connect(ButtonCancle, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAddNewRainModel::buildFormulaGroup() {
    auto* group = new QGroupBox(QStringLiteral("暴雨强度公式"), this);
    group->setGeometry(8, 4, 398, 110);

    cbbStormType = new QComboBox(group);
    cbbStormType->setObjectName(QStringLiteral("cbbStormType"));
    cbbStormType->addItems({QStringLiteral(" i"), QStringLiteral(" q")});
    cbbStormType->setGeometry(10, 44, 46, 22);
    Text(group, QStringLiteral(" = "), {60, 48});

    Edit_a1 = Field(group, "Edit_a1", QStringLiteral("9.5981"), QStringLiteral("A1"),
                    QStringLiteral("参数A1"), {84, 22, 74, 22});
    Text(group, QStringLiteral("(1+"), {162, 26});
    Edit_c = Field(group, "Edit_c", QStringLiteral("0.846"), QStringLiteral("C"),
                   QStringLiteral("参数c"), {184, 22, 58, 22});
    ComboBox_LgLn = new QComboBox(group);
    ComboBox_LgLn->setObjectName(QStringLiteral("ComboBox_LgLn"));
    ComboBox_LgLn->addItems({QStringLiteral("lgP"), QStringLiteral("lnP")});
    ComboBox_LgLn->setGeometry(246, 22, 52, 22);
    Text(group, QStringLiteral(")"), {302, 26});

    auto* rule = new QFrame(group);
    rule->setFrameShape(QFrame::HLine);
    rule->setGeometry(84, 52, 226, 4);

    Text(group, QStringLiteral("(t+"), {156, 70});
    Edit_b = Field(group, "Edit_b", QStringLiteral("7.0"), QStringLiteral("b"),
                   QStringLiteral("参数b"), {178, 66, 56, 22});
    Text(group, QStringLiteral(")"), {238, 70});
    // The exponent stands raised beside the bracket.
    Edit_n = Field(group, "Edit_n", QStringLiteral("0.656"), QStringLiteral("n"),
                   QStringLiteral("参数n"), {248, 58, 52, 20});

    lblStormDanWei = Text(group, QStringLiteral("(mm/min)"), {316, 48});
    lblStormDanWei->setObjectName(QStringLiteral("lblStormDanWei"));
    connect(cbbStormType, &QComboBox::currentIndexChanged, this,
            &TFormAddNewRainModel::cbbStormTypeChange);
}

void TFormAddNewRainModel::buildDesignFields() {
    Text(this, QStringLiteral("设计重现期(年)："), {14, 126});
    EditRepeatYear = Field(this, "EditRepeatYear", QStringLiteral("2"), QStringLiteral("重现期P"),
                           QStringLiteral("设计重现期，单位（年）"), {112, 122, 88, 22});
    Text(this, QStringLiteral("降雨历时(分钟)："), {214, 126});
    EditStormTime = Field(this, "EditStormTime", QStringLiteral("120"), QStringLiteral("暴雨历时T"),
                          QStringLiteral("降雨历时，单位（分钟）"), {314, 122, 90, 22});
    Text(this, QStringLiteral("峰值比例(0-1)："), {14, 156});
    EditStormPercent =
        Field(this, "EditStormPercent", QStringLiteral("0.4"), QStringLiteral("雨峰位置r"),
              QStringLiteral("峰值比例，取值0~1之间"), {112, 152, 88, 22});
    Text(this, QStringLiteral("计算步长(分钟)："), {214, 156});
    EditStep = Field(this, "EditStep", QStringLiteral("1"), QStringLiteral("计算步长"),
                     QStringLiteral("计算步长，单位（分钟）"), {314, 152, 90, 22});

    // The user's decimal separator, and "." as well, which many type whatever their settings.
    const QString decimal =
        QStringLiteral("[0-9.%1]*").arg(QRegularExpression::escape(UserDecimalSeparator()));
    AdmitOnly(EditRepeatYear, decimal);
    AdmitOnly(EditStormTime, QStringLiteral("[0-9]*"));
    AdmitOnly(EditStormPercent, decimal);
    AdmitOnly(EditStep, QStringLiteral("[0-9]*"));
}

void TFormAddNewRainModel::FormShow(const TExpressionObject& current) {
    const QChar separator = UserDecimalSeparator();
    const auto number = [separator](double value) { return GeneralNumberText(value, separator); };
    // A form other than the two (from a storm file) shows as the intensity form.
    cbbStormType->setCurrentIndex(current.F_type == FlowForm ? FlowForm : IntensityForm);
    cbbStormTypeChange(cbbStormType->currentIndex());
    Edit_a1->setText(number(current.F_type != IntensityForm ? current.a1_167 : current.a1));
    Edit_c->setText(number(current.c));
    Edit_b->setText(number(current.b));
    Edit_n->setText(number(current.n));
    ComboBox_LgLn->setCurrentIndex(current.LG_LN == NaturalLogarithm ? NaturalLogarithm
                                                                     : CommonLogarithm);
    EditRepeatYear->setText(number(current.Storm_RepeatYear));
    EditStormTime->setText(number(current.Storm_Time));
    EditStormPercent->setText(number(current.Storm_Percent));
}

void TFormAddNewRainModel::cbbStormTypeChange(int index) {
    const bool flow = index == FlowForm;
    lblStormDanWei->setText(flow ? QStringLiteral("(L/(s.hm²))") : QStringLiteral("(mm/min)"));
    lblStormDanWei->adjustSize();
    Edit_a1->setPlaceholderText(flow ? QStringLiteral("166.7A1") : QStringLiteral("A1"));
    Edit_a1->setToolTip(flow ? QStringLiteral("参数166.7A1") : QStringLiteral("参数A1"));
}

void TFormAddNewRainModel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore(); // Esc is bound to neither button
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFormAddNewRainModel::refuse(QLineEdit* field, const QString& message) {
    desktop_.showInformation(Prompt, message);
    field->setFocus();
    return true;
}

bool TFormAddNewRainModel::refusedByChecks() {
    const auto empty = [](const QLineEdit* field) { return field->text().trimmed().isEmpty(); };
    if (empty(Edit_a1))
        return refuse(Edit_a1, QStringLiteral("[%1]不能为空！").arg(Edit_a1->placeholderText()));
    if (empty(Edit_c))
        return refuse(Edit_c, QStringLiteral("[c]不能为空！"));
    if (empty(Edit_b))
        return refuse(Edit_b, QStringLiteral("[b]不能为空！"));
    if (empty(Edit_n))
        return refuse(Edit_n, QStringLiteral("[n]不能为空！"));
    if (empty(EditRepeatYear))
        return refuse(EditRepeatYear, QStringLiteral("重现期不能为空！"));
    if (empty(EditStormTime))
        return refuse(EditStormTime, QStringLiteral("降雨历时不能为空！"));
    if (empty(EditStormPercent))
        return refuse(EditStormPercent, QStringLiteral("峰值比例不能为空！"));
    const auto percent = EnteredNumber(EditStormPercent->text());
    if (!percent) {
        // Reported as the conversion's own failure; nothing is stored.
        desktop_.showError(QStringLiteral("错误"),
                           QStringLiteral("'%1' is not a valid floating point value")
                               .arg(EditStormPercent->text()));
        return true;
    }
    if (!(*percent > 0 && *percent < 1))
        return refuse(EditStormPercent, QStringLiteral("峰值比例只能取值(0~1)之间，不包括0和1"));
    if (empty(EditStep))
        return refuse(EditStep, QStringLiteral("计算步长不能为空！"));
    return false;
}

void TFormAddNewRainModel::ButtonOKClick() {
    if (refusedByChecks())
        return;

    // Every field is converted before any is stored: a storm is never half new.
    const QChar separator = UserDecimalSeparator();
    const auto number = [](const QLineEdit* field) { return EnteredNumber(field->text()); };
    const auto coefficient = number(Edit_a1), c = number(Edit_c), b = number(Edit_b),
               n = number(Edit_n), repeatYear = number(EditRepeatYear),
               time = number(EditStormTime), percent = number(EditStormPercent);
    const auto step = ParseInteger(EditStep->text());
    if (!coefficient || !c || !b || !n || !repeatYear || !time || !percent || !step) {
        desktop_.showInformation(Prompt,
                                 QStringLiteral("输入的数据有错误，只能输入数字，请重新检查"));
        return;
    }

    TExpressionObject entered;
    entered.F_type = static_cast<FormulaForm>(cbbStormType->currentIndex()); // items in code order
    if (entered.F_type == IntensityForm) {
        entered.a1 = *coefficient;
        entered.a1_167 = ConvertIToQ(*coefficient, options_.D_QI_ConversionRatio);
    } else {
        entered.a1_167 = *coefficient;
        entered.a1 = ConvertQToI(*coefficient, options_.D_QI_ConversionRatio);
    }
    entered.c = *c;
    entered.b = *b;
    entered.n = *n;
    entered.LG_LN = static_cast<Logarithm>(ComboBox_LgLn->currentIndex());
    entered.Storm_RepeatYear = *repeatYear;
    entered.Storm_Time = *time;
    entered.Storm_Percent = *percent;
    entered.Storm_Step = *step;
    // A storm that could not be saved and opened again is not taken: an
    // extreme coefficient whose converted form overflows, for one.
    if (const Status storable = CheckStormFileValues(entered, separator); !storable) {
        desktop_.showInformation(Prompt, FailureText(storable.failure()));
        return;
    }
    // The storm is computed before the dialog closes: one that cannot be
    // computed keeps the dialog open with what was typed, and the storm
    // shown stays as it was.
    if (const Status taken = takeStorm_(entered); !taken) {
        desktop_.showError(ErrorTitle, FailureText(taken.failure()));
        return;
    }
    accept();
}

} // namespace velmora
