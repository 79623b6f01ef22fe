#include "swmm_model_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

// Plain text whatever the file's name or the storms hold.
QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

SwmmModelDialog::SwmmModelDialog(const QString& modelPath, const QStringList& storms,
                                 const QString& gageName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormSwmmModel"));
    setWindowTitle(QStringLiteral("写入SWMM模型"));

    QLabel* model = PlainLabel(QStringLiteral("模型：") + QFileInfo(modelPath).fileName(), this);
    model->setObjectName(QStringLiteral("Label_Model"));
    model->setToolTip(QDir::toNativeSeparators(modelPath));
    QLabel* written =
        PlainLabel(QStringLiteral("写入%1个雨型，每个雨型一个时间序列和读取它的雨量计：\n")
                           .arg(storms.size()) +
                       storms.join(QLatin1Char('\n')),
                   this);
    written->setObjectName(QStringLiteral("Label_Storms"));

    assignGage_ = new QCheckBox(this);
    assignGage_->setObjectName(QStringLiteral("CheckBox_AssignGage"));
    if (gageName.isEmpty()) {
        assignGage_->setText(QStringLiteral("让所有子汇水区使用新的雨量计（只能用于一个雨型）"));
        assignGage_->setEnabled(false);
    } else {
        assignGage_->setText(QStringLiteral("让所有子汇水区使用雨量计%1").arg(gageName));
    }
    QLabel* note = PlainLabel(
        QStringLiteral("降雨强度按模型的流量单位写成mm/hr或in/hr。同名的时间序列和雨量计如果是"
                       "本程序以前写入的，先询问，再在原位置替换；模型的其他内容保持不变。"),
        this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* write = buttons->addButton(QStringLiteral("写入"), QDialogButtonBox::AcceptRole);
    write->setObjectName(QStringLiteral("Button_Write"));
    write->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(model);
    layout->addWidget(written);
    layout->addSpacing(6);
    layout->addWidget(assignGage_);
    layout->addSpacing(6);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

bool SwmmModelDialog::assignGage() const {
    return assignGage_->isEnabled() && assignGage_->isChecked();
}

} // namespace velmora
