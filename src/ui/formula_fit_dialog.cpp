#include "formula_fit_dialog.h"

#include "command_guard.h"
#include "desktop.h"
#include "fit_tables.h"
#include "foreign_text.h"
#include "formula_fit_chart.h"
#include "number_text.h"
#include "window_memory_keeper.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

// The folder memory's kind for rain data.
const QString RainDataFolder = QStringLiteral("RainData");
const std::vector<FileType> RainDataTypes = {
    {QStringLiteral("表格数据(*.csv *.txt)"), QStringLiteral("*.csv;*.txt")},
    {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")}};

const QString TableLayout =
    QStringLiteral("第一行：标题和各重现期(年)；以下每行：历时(分钟)和各重现期的暴雨强度。"
                   "逗号或制表符分隔，可以从表格软件直接粘贴。至少3个历时、2个重现期。");
const QString MaximaLayout = QStringLiteral(
    "第一行：标题和各历时(分钟)；以下每行：年份和该年各历时的最大雨量(mm)，缺测的留空。"
    "每个历时至少10年。");
const QString NotFitted = QStringLiteral("尚未推求：选好数据和选项后点击“推求”。");

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QTableWidget* TableView(const TTextTable& table, QWidget* parent) {
    auto* view = new QTableWidget(static_cast<int>(table.rows.size()),
                                  static_cast<int>(table.heading.size()), parent);
    view->setHorizontalHeaderLabels(table.heading);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t row = 0; row < table.rows.size(); ++row)
        for (qsizetype column = 0; column < table.rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(table.rows[row][column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            view->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
    view->resizeColumnsToContents();
    return view;
}

// "2~20年：σ = 0.0123 mm/min（合格），σ/平均强度 = 1.23%（合格）".
QString AccuracySummary(const TFitAccuracy& accuracy) {
    const QChar dot = QLatin1Char('.');
    QString text;
    if (const auto& range = accuracy.standardRange)
        text = QStringLiteral("%1~%2年：σ = %3 mm/min（%4），σ/平均强度 = %5%（%6）；")
                   .arg(GeneralNumberText(StandardRangeFirstPeriod, dot),
                        GeneralNumberText(StandardRangeLastPeriod, dot),
                        FixedDecimalsText(range->rms, 4, dot),
                        range->rmsWithinLimit ? WithinLimitMark : BeyondLimitMark,
                        FixedDecimalsText(range->relativePercent, 2, dot),
                        range->relativeWithinLimit ? WithinLimitMark : BeyondLimitMark);
    const TLargestDeviation& largest = accuracy.largest;
    return text + QStringLiteral("最大偏差 %1 mm/min（历时%2分钟，重现期%3年）")
                      .arg(FixedDecimalsText(largest.deviation, 4, dot),
                           GeneralNumberText(largest.duration, dot),
                           GeneralNumberText(largest.period, dot));
}

} // namespace

FormulaFitDialog::FormulaFitDialog(double qiRatio, Desktop& desktop, WindowMemoryKeeper& memory,
                                   FormulaUser useFormula, QWidget* parent)
    : QDialog(parent), qiRatio_(qiRatio), desktop_(desktop), memory_(memory),
      useFormula_(std::move(useFormula)) {
    setObjectName(QStringLiteral("FormFormulaFit"));
    setWindowTitle(QStringLiteral("暴雨强度公式推求"));

    auto* left = new QVBoxLayout;
    left->addWidget(buildData(), 1);
    left->addWidget(buildChoices());
    auto* top = new QHBoxLayout;
    top->addLayout(left, 2);
    top->addWidget(buildResults(), 3);

    Tabs_Results = Named(new QTabWidget(this), "Tabs_Results");
    auto* buttons = new QDialogButtonBox(this);
    Button_Copy = Named(buttons->addButton(QStringLiteral("复制"), QDialogButtonBox::ActionRole),
                        "Button_Copy");
    Button_UseForNewStorm =
        Named(buttons->addButton(QStringLiteral("用于新建雨型"), QDialogButtonBox::ActionRole),
              "Button_UseForNewStorm");
    QPushButton* close = Named(
        buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole), "Button_Close");
    close->setAutoDefault(false);
    connect(Button_Copy, &QPushButton::clicked, this, &FormulaFitDialog::copyResults);
    connect(Button_UseForNewStorm, &QPushButton::clicked, this, &FormulaFitDialog::useForNewStorm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(Tabs_Results, 2);
    layout->addWidget(buttons);
    kindChanged();
    resize(1120, 780);
}

QWidget* FormulaFitDialog::buildData() {
    auto* group = new QGroupBox(QStringLiteral("数据"), this);
    Radio_Table = Named(new QRadioButton(QStringLiteral("暴雨强度表"), group), "Radio_Table");
    Radio_Maxima = Named(new QRadioButton(QStringLiteral("年最大值雨量"), group), "Radio_Maxima");
    Radio_Table->setChecked(true);
    auto* open = Named(new QPushButton(QStringLiteral("打开文件..."), group), "Button_OpenFile");
    auto* paste = Named(new QPushButton(QStringLiteral("粘贴"), group), "Button_Paste");
    for (QPushButton* button : {open, paste})
        button->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, &FormulaFitDialog::openFile);
    connect(paste, &QPushButton::clicked, this, &FormulaFitDialog::pasteText);
    connect(Radio_Table, &QRadioButton::toggled, this, &FormulaFitDialog::kindChanged);

    Label_DataLayout = Named(new QLabel(group), "Label_DataLayout");
    Label_DataLayout->setWordWrap(true);
    Label_DataLayout->setTextFormat(Qt::PlainText);
    Edit_Data = Named(new QPlainTextEdit(group), "Edit_Data");
    Edit_Data->setLineWrapMode(QPlainTextEdit::NoWrap);
    Edit_Data->setTabStopDistance(56);
    connect(Edit_Data, &QPlainTextEdit::textChanged, this, &FormulaFitDialog::dropResults);

    auto* row = new QHBoxLayout;
    row->addWidget(Radio_Table);
    row->addWidget(Radio_Maxima);
    row->addStretch();
    row->addWidget(open);
    row->addWidget(paste);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(row);
    layout->addWidget(Label_DataLayout);
    layout->addWidget(Edit_Data, 1);
    return group;
}

QWidget* FormulaFitDialog::buildChoices() {
    auto* group = new QGroupBox(QStringLiteral("选项"), this);
    // In the order of IntensityUnit.
    ComboBox_Unit = Named(new QComboBox(group), "ComboBox_Unit");
    ComboBox_Unit->addItems(
        {QStringLiteral("mm/min"), QStringLiteral("mm/h"), QStringLiteral("q，L/(s·hm²)")});
    ComboBox_LgLn = Named(new QComboBox(group), "ComboBox_LgLn");
    ComboBox_LgLn->addItems({QStringLiteral("lgP"), QStringLiteral("lnP")});
    Edit_Periods = Named(new QLineEdit(group), "Edit_Periods");
    QStringList periods;
    for (const double period : DefaultReturnPeriods)
        periods << GeneralNumberText(period, QLatin1Char('.'));
    Edit_Periods->setText(periods.join(QLatin1Char(',')));
    ComboBox_Distribution = Named(new QComboBox(group), "ComboBox_Distribution");
    ComboBox_Distribution->addItem(QStringLiteral("最优（均方差最小）"),
                                   static_cast<int>(DistributionChoice::Proposed));
    for (std::size_t i = 0; i < Distributions.size(); ++i)
        ComboBox_Distribution->addItem(DistributionName(Distributions[i]), static_cast<int>(i));
    auto* fit = Named(new QPushButton(QStringLiteral("推求"), group), "Button_Fit");
    fit->setDefault(true);
    connect(fit, &QPushButton::clicked, this, &FormulaFitDialog::fit);
    for (QComboBox* box : {ComboBox_Unit, ComboBox_LgLn, ComboBox_Distribution})
        connect(box, &QComboBox::currentIndexChanged, this, &FormulaFitDialog::dropResults);
    connect(Edit_Periods, &QLineEdit::textEdited, this, &FormulaFitDialog::dropResults);

    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("强度单位："), ComboBox_Unit);
    form->addRow(QStringLiteral("公式中的对数："), ComboBox_LgLn);
    form->addRow(QStringLiteral("重现期(年)："), Edit_Periods);
    form->addRow(QStringLiteral("频率分布："), ComboBox_Distribution);
    form->addRow(fit);
    return group;
}

QWidget* FormulaFitDialog::buildResults() {
    auto* group = new QGroupBox(QStringLiteral("结果"), this);
    Label_Formula = Named(new QLabel(group), "Label_Formula");
    Label_Accuracy = Named(new QLabel(group), "Label_Accuracy");
    for (QLabel* label : {Label_Formula, Label_Accuracy}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QFont formulaFont = Label_Formula->font();
    formulaFont.setPointSizeF(formulaFont.pointSizeF() * 1.25);
    formulaFont.setBold(true);
    Label_Formula->setFont(formulaFont);
    Chart_Fit = new FormulaFitChart(group);
    Chart_Fit->setMinimumSize(420, 300);
    CheckBox_LogAxes = Named(new QCheckBox(QStringLiteral("对数坐标"), group), "CheckBox_LogAxes");
    connect(CheckBox_LogAxes, &QCheckBox::toggled, Chart_Fit, &FormulaFitChart::setLogarithmic);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Label_Formula);
    layout->addWidget(Label_Accuracy);
    layout->addWidget(Chart_Fit, 1);
    layout->addWidget(CheckBox_LogAxes);
    return group;
}

void FormulaFitDialog::kindChanged() {
    const bool table = Radio_Table->isChecked();
    ComboBox_Unit->setEnabled(table);
    Edit_Periods->setEnabled(!table);
    ComboBox_Distribution->setEnabled(!table);
    Label_DataLayout->setText(table ? TableLayout : MaximaLayout);
    Edit_Data->setPlaceholderText(
        table ? QStringLiteral("历时(min)\t2\t3\t5\t10\n5\t2.12\t2.39\t2.73\t3.19\n10\t1.71\t...")
              : QStringLiteral("年份\t5\t10\t15\t20\n1991\t11.2\t18.5\t22.0\t26.1\n1992\t...\t"));
    dropResults();
}

void FormulaFitDialog::dropResults() {
    fit_.reset();
    Label_Formula->setText(NotFitted);
    Label_Accuracy->clear();
    while (Tabs_Results->count() > 0) {
        QWidget* page = Tabs_Results->widget(0);
        Tabs_Results->removeTab(0);
        delete page;
    }
    Chart_Fit->clear();
    Button_Copy->setEnabled(false);
    Button_UseForNewStorm->setEnabled(false);
}

void FormulaFitDialog::openFile() {
    RunCommand(desktop_, [this]() -> Status {
        const auto chosen =
            desktop_.askOpenFile({QStringLiteral("打开雨量数据"), QString(), RainDataTypes, 0,
                                  false, memory_.dialogFolder(RainDataFolder)});
        if (!chosen)
            return {};
        memory_.rememberFolder(RainDataFolder, chosen->path);
        const Result<QString> text = ReadRainDataFile(chosen->path);
        if (!text)
            return text.failure();
        Edit_Data->setPlainText(*text);
        return {};
    });
}

void FormulaFitDialog::pasteText() {
    const QString text = QApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        desktop_.showInformation(PromptTitle, QStringLiteral("剪贴板中没有文字"));
        return;
    }
    Edit_Data->setPlainText(text);
}

Result<TRainDataFitChoices> FormulaFitDialog::choices() const {
    TRainDataFitChoices chosen;
    chosen.kind =
        Radio_Table->isChecked() ? RainDataKind::IntensityTable : RainDataKind::AnnualMaxima;
    chosen.unit = static_cast<IntensityUnit>(ComboBox_Unit->currentIndex());
    chosen.qiRatio = qiRatio_;
    chosen.logOfP = ComboBox_LgLn->currentIndex() == 1 ? NaturalLogarithm : CommonLogarithm;
    chosen.distribution =
        static_cast<DistributionChoice>(ComboBox_Distribution->currentData().toInt());
    if (chosen.kind == RainDataKind::AnnualMaxima) {
        static const QRegularExpression separators(QStringLiteral("[,，、;；\\s]+"));
        chosen.returnPeriods.clear();
        for (const QString& entry : Edit_Periods->text().split(separators, Qt::SkipEmptyParts)) {
            auto period = ParseDecimalNumber(entry, QLatin1Char('.'));
            if (!period)
                period = ParseDecimalNumber(entry, UserDecimalSeparator());
            if (!period)
                return Failure{QStringLiteral("重现期“%1”不是数字").arg(QuotedForeignText(entry))};
            chosen.returnPeriods.push_back(*period);
        }
    }
    return chosen;
}

void FormulaFitDialog::fit() {
    RunCommand(desktop_, [this]() -> Status {
        dropResults();
        const QString text = Edit_Data->toPlainText();
        if (text.trimmed().isEmpty()) {
            desktop_.showInformation(PromptTitle, QStringLiteral("请先打开数据文件或粘贴数据"));
            return {};
        }
        const Result<TRainDataFitChoices> chosen = choices();
        if (!chosen)
            return chosen.failure();
        Result<TRainDataFit> fitted = FitRainData(text, *chosen);
        if (!fitted)
            return fitted.failure();
        fit_ = std::move(*fitted);
        showResults();
        return {};
    });
}

void FormulaFitDialog::showResults() {
    const TTableFit& fit = fit_->fit;
    QString formula = FormulaText(fit.total) + QStringLiteral("  (mm/min)");
    if (fit_->records)
        formula +=
            QStringLiteral("\n由%1的强度表推求")
                .arg(DistributionName(fit_->records->formulas[fit_->distribution].distribution));
    Label_Formula->setText(formula);
    Label_Accuracy->setText(AccuracySummary(fit.totalAccuracy));
    for (const TTextTable& table : RainDataFitTables(*fit_))
        Tabs_Results->addTab(TableView(table, Tabs_Results), table.title);
    Chart_Fit->showFit(fit_->table, fit.total);
    Button_Copy->setEnabled(true);
    Button_UseForNewStorm->setEnabled(true);
}

QString FormulaFitDialog::resultsText() const {
    const QChar tab = QLatin1Char('\t');
    QStringList lines = {QStringLiteral("暴雨强度公式") + tab + FormulaText(fit_->fit.total)};
    for (QString line : FormulaKeyLines(fit_->fit.total))
        lines << line.replace(line.indexOf(QLatin1Char('=')), 1, tab);
    for (const TTextTable& table : RainDataFitTables(*fit_))
        lines << QString() << table.title << TextTableLines(table, tab);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void FormulaFitDialog::copyResults() const {
    if (fit_)
        QApplication::clipboard()->setText(resultsText());
}

void FormulaFitDialog::useForNewStorm() {
    // The formula as the person read it here, to the digits shown.
    if (fit_ && useFormula_(ShownFormula(fit_->fit.total)))
        accept();
}

} // namespace velmora
