#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;

namespace velmora {

// "写入SWMM模型": the model chosen, the storms about to be written with their
// series and gages, and the check box that points every subcatchment at the
// gage of a single storm. "写入" accepts, "取消" rejects.
class SwmmModelDialog final : public QDialog {
public:
    // `storms`: a line for each storm; `gageName`: the gage of the one storm,
    // empty when several are written (the check box is then off and disabled).
    SwmmModelDialog(const QString& modelPath, const QStringList& storms, const QString& gageName,
                    QWidget* parent = nullptr);

    // Whether the check box is on; never for several storms.
    bool assignGage() const;

private:
    QCheckBox* assignGage_ = nullptr;
};

} // namespace velmora
