#include "idf_check_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {

IdfCheckDialog::IdfCheckDialog(const std::vector<TIdfCheckRow>& rows, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormIdfCheck"));
    setWindowTitle(QStringLiteral("雨型校核"));
    const QStringList lines = IdfCheckLines(rows, QLatin1Char('\t'));
    text_ = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');

    auto* explanation = new QLabel(
        QStringLiteral("各历时d内雨型的最大连续雨量与暴雨强度公式的d分钟雨量相比，两者应相等。"),
        this);
    explanation->setTextFormat(Qt::PlainText);
    explanation->setWordWrap(true);

    table_ = new QTableWidget(static_cast<int>(lines.size()) - 1, 4, this);
    table_->setObjectName(QStringLiteral("GridIdfCheck"));
    table_->setHorizontalHeaderLabels(lines.constFirst().split(QLatin1Char('\t')));
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 1; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(QLatin1Char('\t'));
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row - 1, column, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(QStringLiteral("复制"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("Button_Copy"));
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, &IdfCheckDialog::copyTable);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Ctrl+C copies the whole table, whatever cell has the focus.
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &IdfCheckDialog::copyTable);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(520, 420);
}

void IdfCheckDialog::copyTable() const {
    QApplication::clipboard()->setText(text_);
}

} // namespace velmora
