#include "options_dialog.h"

#include "desktop.h"
#include "font_conversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// The seven show switches, in the order of the dialog.
constexpr std::array<bool TOptions::*, 7> ShowFields = {
    &TOptions::Bool_ShowLabel_P,
    &TOptions::Bool_ShowLabel_T,
    &TOptions::Bool_ShowLabel_R,
    &TOptions::Bool_ShowLabel_Overall_Rainfall,
    &TOptions::Bool_ShowLabel_Average_Rainfall_Intensity,
    &TOptions::Bool_ShowAxis_Overall_Rainfall,
    &TOptions::Bool_ShowAxis_Rainfall_Intensity};

QGroupBox* Group(QWidget* parent, const QString& title, QRect geometry) {
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(geometry);
    return group;
}

// The font previews hold "示例ABC123" whole up to 16 points, bold and italic;
// the font group and the dialog are wider by what they need beyond 84 pixels.
constexpr QSize FontPreviewSize(136, 30);
constexpr int FontPreviewExtra = FontPreviewSize.width() - 84;

template <typename Widget> Widget* Named(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

TFormOptions::TFormOptions(const TOptions& options, Desktop& desktop,
                           std::function<void(const TOptions&)> preview, QWidget* parent)
    : QDialog(parent), options_(options), desktop_(desktop), preview_(std::move(preview)) {
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(QStringLiteral("设置"));
    setFixedSize(526 + FontPreviewExtra, 289);
    buildDisplayGroups();
    buildCalculationGroups();
    buildFontGroup();

    auto* ok = Named(new QPushButton(QStringLiteral("确定"), this), "Button_OK",
                     {356 + FontPreviewExtra, 256, 75, 25});
    auto* cancel = Named(new QPushButton(QStringLiteral("取消"), this), "Button_Cancle",
                         {442 + FontPreviewExtra, 256, 75, 25});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

void TFormOptions::buildDisplayGroups() {
    QGroupBox* labels = Group(this, QStringLiteral("显示标签"), {8, 4, 130, 144});
    const std::array<std::pair<const char*, QString>, 7> boxes = {
        {{"CheckBox_ShowLabel_P", QStringLiteral("重现期(P)")},
         {"CheckBox_ShowLabel_T", QStringLiteral("暴雨历时(T)")},
         {"CheckBox_ShowLabel_R", QStringLiteral("峰值比例(R)")},
         {"CheckBox_ShowLabel_Overall_Rainfall", QStringLiteral("总降雨量(H)")},
         {"CheckBox_ShowLabel_Average_Rainfall_Intensity", QStringLiteral("平均雨强(i)")},
         {"CheckBox_ShowAxis_Overall_Rainfall", QStringLiteral("降雨总量(H)")},
         {"CheckBox_ShowAxis_Rainfall_Intensity", QStringLiteral("降雨强度(I)")}}};
    QGroupBox* series = Group(this, QStringLiteral("显示曲线"), {8, 152, 130, 96});
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QGroupBox* group = i < 5 ? labels : series;
        const int row = static_cast<int>(i < 5 ? i : i - 5);
        showBoxes_[i] = Named(new QCheckBox(boxes[i].second, group), boxes[i].first,
                              {10, 22 + row * 24, 116, 20});
        showBoxes_[i]->setChecked(true);
        connect(showBoxes_[i], &QCheckBox::toggled, this, &TFormOptions::ComboBox_TimeForamtChange);
    }
}

void TFormOptions::buildCalculationGroups() {
    QGroupBox* precision = Group(this, QStringLiteral("计算精度"), {144, 4, 170, 90});
    auto* caption = new QLabel(QStringLiteral("显示小数位数："), precision);
    caption->move(10, 24);
    SpinEdit_Precision = Named(new QSpinBox(precision), "SpinEdit_Precision", {104, 20, 56, 22});
    SpinEdit_Precision->setRange(1, 99);
    SpinEdit_Precision->setValue(4);
    CheckBox_CalcByShow = Named(new QCheckBox(QStringLiteral("按显示精度计算"), precision),
                                "CheckBox_CalcByShow", {10, 44, 150, 20});
    CheckBox_CalcByShow->setToolTip(QStringLiteral("按显示的数值计算，会降低计算精度"));
    CheckBox_IntervalAverage = Named(new QCheckBox(QStringLiteral("按时段平均强度"), precision),
                                     "CheckBox_IntervalAverage", {10, 66, 150, 20});
    CheckBox_IntervalAverage->setToolTip(
        QStringLiteral("每行取本行到下一行之间的平均降雨强度，各行之间相隔一个步长，强度乘以步长之"
                       "和等于总降雨量"));
    connect(SpinEdit_Precision, &QSpinBox::valueChanged, this,
            &TFormOptions::ComboBox_TimeForamtChange);
    connect(CheckBox_CalcByShow, &QCheckBox::toggled, this,
            &TFormOptions::ComboBox_TimeForamtChange);
    connect(CheckBox_IntervalAverage, &QCheckBox::toggled, this,
            &TFormOptions::ComboBox_TimeForamtChange);
    // Beside the buttons: it changes only what the report holds.
    CheckBox_ReportIdfCheck = Named(new QCheckBox(QStringLiteral("计算书附雨型校核"), this),
                                    "CheckBox_ReportIdfCheck", {10, 258, 200, 20});
    CheckBox_ReportIdfCheck->setToolTip(
        QStringLiteral("在计算书最后附上雨型与暴雨强度公式的校核表"));
    connect(CheckBox_ReportIdfCheck, &QCheckBox::toggled, this,
            &TFormOptions::ComboBox_TimeForamtChange);

    const auto list = [this](const QString& title, int top, const char* name,
                             const QStringList& entries, int start) {
        QGroupBox* group = Group(this, title, {144, top, 170, 50});
        auto* box = Named(new QComboBox(group), name, {10, 20, 150, 22});
        box->addItems(entries);
        box->setCurrentIndex(start);
        connect(box, &QComboBox::currentIndexChanged, this,
                &TFormOptions::ComboBox_TimeForamtChange);
        return box;
    };
    ComboBox_TimeForamt = list(QStringLiteral("时间格式"), 98, "ComboBox_TimeForamt",
                               {QStringLiteral("H:M（时 ：分）"), QStringLiteral("min（分）")}, 1);
    ComboBox_StormUnit =
        list(QStringLiteral("降雨强度单位"), 148, "ComboBox_StormUnit",
             {QStringLiteral("mm/h（毫米/时）"), QStringLiteral("mm/min（毫米/分）")}, 0);
    QStringList ratios;
    for (const QString& caption : QIConversionRatioCaptions)
        ratios << caption;
    ComboBox_QI_ConversionRatio =
        list(QStringLiteral("q i换算精度"), 198, "ComboBox_QI_ConversionRatio", ratios, 0);
}

void TFormOptions::buildFontGroup() {
    QGroupBox* fonts =
        Group(this, QStringLiteral("字体设置"), {320, 4, 198 + FontPreviewExtra, 244});
    const std::array<std::tuple<const char*, QString, QString TOptions::*>, 7> rows = {
        {{"lbl_LeftAxisFont", QStringLiteral("左轴线标签："), &TOptions::Font_LeftAxis},
         {"lbl_LeftTitleFont", QStringLiteral("左轴线标题："), &TOptions::Font_LeftTitle},
         {"lbl_RightAxisFont", QStringLiteral("右轴线标签："), &TOptions::Font_RightAxis},
         {"lbl_RightTitleFont", QStringLiteral("右轴线标题："), &TOptions::Font_RightTitle},
         {"lbl_BottomAxisFont", QStringLiteral("底轴线标签："), &TOptions::Font_BottomAxis},
         {"lbl_BottomTitleFont", QStringLiteral("底轴线标题："), &TOptions::Font_BottomTitle},
         {"lbl_RainModelInfoFont", QStringLiteral("雨型图信息："), &TOptions::Font_RainModelInfo}}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& [name, caption, field] = rows[i];
        const int top = 20 + static_cast<int>(i) * 31;
        auto* label = new QLabel(caption, fonts);
        label->move(8, top + (FontPreviewSize.height() - label->sizeHint().height()) / 2);
        auto* preview = Named(new QLabel(QStringLiteral("示例ABC123"), fonts), name,
                              {QPoint(84, top), FontPreviewSize});
        preview->setAlignment(Qt::AlignCenter);
        preview->setStyleSheet(QStringLiteral("QLabel { border: 1px dotted gray; }"));
        auto* button = new QPushButton(QStringLiteral("..."), fonts);
        button->setObjectName(QStringLiteral("btn_SelectFont%1").arg(i + 1));
        button->setProperty("tag", static_cast<int>(i + 1));
        button->setGeometry(88 + FontPreviewSize.width(), top, 20, FontPreviewSize.height());
        connect(button, &QPushButton::clicked, this,
                [this, tag = static_cast<int>(i + 1)] { btn_SelectFontClick(tag); });
        fontRows_[i].preview = preview;
        fontRows_[i].field = field;
    }
}

int TFormOptions::QIRatioIndex(double ratio) {
    for (std::size_t i = 0; i < QIConversionRatios.size(); ++i) {
        const double value = QIConversionRatios[i];
        const double tolerance =
            std::max(1e-12, 1e-12 * std::min(std::abs(value), std::abs(ratio)));
        if (std::abs(value - ratio) <= tolerance)
            return static_cast<int>(i);
    }
    return 0;
}

void TFormOptions::FormCreate() {
    OptionsDialogLoading = true;
    for (std::size_t i = 0; i < ShowFields.size(); ++i)
        showBoxes_[i]->setChecked(options_.*ShowFields[i]);
    CheckBox_CalcByShow->setChecked(options_.Bool_CalcByShow);
    CheckBox_IntervalAverage->setChecked(options_.Bool_IntervalAverage);
    CheckBox_ReportIdfCheck->setChecked(options_.Bool_ReportIdfCheck);
    SpinEdit_Precision->setValue(options_.Int_Precision);
    ComboBox_TimeForamt->setCurrentIndex(options_.Int_TimeForamtidx);
    ComboBox_StormUnit->setCurrentIndex(options_.Int_StormUnitidx);
    ComboBox_QI_ConversionRatio->setCurrentIndex(QIRatioIndex(options_.D_QI_ConversionRatio));
    for (FontRow& row : fontRows_) {
        TextToFont(options_.*row.field, row.font);
        showPreview(row);
    }
    OptionsDialogLoading = false;
}

void TFormOptions::showPreview(FontRow& row) {
    const ScreenFont screen = ToScreenFont(row.font, row.preview->font(),
                                           palette().color(QPalette::WindowText), palette());
    row.preview->setFont(screen.font);
    QPalette colours = row.preview->palette();
    colours.setColor(QPalette::WindowText, screen.color);
    row.preview->setPalette(colours);
}

void TFormOptions::ReadOptionsFromDialog() {
    if (OptionsDialogLoading)
        return;
    for (std::size_t i = 0; i < ShowFields.size(); ++i)
        options_.*ShowFields[i] = showBoxes_[i]->isChecked();
    options_.Bool_CalcByShow = CheckBox_CalcByShow->isChecked();
    options_.Bool_IntervalAverage = CheckBox_IntervalAverage->isChecked();
    options_.Bool_ReportIdfCheck = CheckBox_ReportIdfCheck->isChecked();
    options_.Int_Precision = SpinEdit_Precision->value();
    // The lists hold their items in code order.
    options_.Int_TimeForamtidx = static_cast<TimeFormat>(ComboBox_TimeForamt->currentIndex());
    options_.Int_StormUnitidx = static_cast<StormUnit>(ComboBox_StormUnit->currentIndex());
    options_.D_QI_ConversionRatio = QIConversionRatios[static_cast<std::size_t>(
        std::max(0, ComboBox_QI_ConversionRatio->currentIndex()))];
    for (const FontRow& row : fontRows_)
        options_.*row.field = FontToText(row.font);
}

void TFormOptions::ComboBox_TimeForamtChange() {
    ReadOptionsFromDialog();
    preview_(options_);
}

void TFormOptions::btn_SelectFontClick(int tag) {
    FontRow& row = fontRows_[static_cast<std::size_t>(std::clamp(tag, 1, 7) - 1)];
    const QColor shown = row.preview->palette().color(QPalette::WindowText);
    const QFont offered = row.preview->font();
    const auto chosen = desktop_.chooseFont(offered, shown);
    if (!chosen)
        return; // a cancelled font dialog changes nothing
    // Only what the person changed is taken: a face shown through its
    // installed stand-in keeps the name the options give it.
    const QFont& font = chosen->font;
    if (font.family() != offered.family() && font.family() != QFontInfo(offered).family())
        row.font.face = font.family();
    // A size typed into the chooser is held to the sizes it lists.
    if (font.pointSize() != offered.pointSize())
        row.font.points = std::clamp(font.pointSize(), SmallestFontPoints, LargestFontPoints);
    if (font.bold() != offered.bold())
        row.font.bold = font.bold();
    if (font.italic() != offered.italic())
        row.font.italic = font.italic();
    if (font.underline() != offered.underline())
        row.font.underline = font.underline();
    if (font.strikeOut() != offered.strikeOut())
        row.font.strikeout = font.strikeOut();
    // A colour left as shown keeps its name, so a theme colour stays a theme colour.
    if (chosen->color != shown)
        row.font.color = ToColorValue(chosen->color);
    showPreview(row);
    ComboBox_TimeForamtChange();
}

} // namespace velmora
