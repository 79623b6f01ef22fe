#pragma once

#include "idf_check.h"

#include <QDialog>

#include <vector>

class QTableWidget;

namespace velmora {

// "雨型校核": the check of the storm against its formula as a table, which
// "复制" (or Ctrl+C) puts on the clipboard tab-separated, header first, as
// the result grid copies its rows for a spreadsheet.
class IdfCheckDialog : public QDialog {
public:
    IdfCheckDialog(const std::vector<TIdfCheckRow>& rows, QWidget* parent = nullptr);

    // Puts the table on the clipboard, each line ended by LF.
    void copyTable() const;

private:
    QTableWidget* table_ = nullptr;
    QString text_;
};

} // namespace velmora
