#pragma once

#include "result.h"
#include "swmm_model_storm.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <vector>

class QWidget;

namespace velmora {

class Desktop;
class StormSession;
class WindowMemoryKeeper;

// "写入SWMM模型...": writes the current storm, or the compared ones, into an
// existing SWMM 5 input file chosen by the person, as series and gages the
// model reads in its own rain unit. It asks through the desktop: the model
// (in the folder last used for models), whether to write the compared storms,
// the dialog with the check box that points the subcatchments at the gage,
// and before replacing entries this program wrote before; then it says what
// was written. A model that refuses the storms is left as it was, and the
// command guard shows why.
class SwmmModelCommand final : public QObject {
public:
    // The dialog is shown over `window`, which also owns the command.
    SwmmModelCommand(StormSession& session, Desktop& desktop, WindowMemoryKeeper& memory,
                     QWidget* window);

    void Menu_WriteIntoSwmmModelClick();

private:
    struct Storms {
        std::vector<TSwmmStorm> storms;
        QStringList legends; // "P=2年 T=120分 r=0.4", one for each storm
    };

    Status writeIntoModel();
    // The current storm, or the compared ones when the person says so.
    Storms stormsToWrite();

    QPointer<StormSession> session_; // null once the session is gone: then nothing runs
    Desktop& desktop_;
    WindowMemoryKeeper& memory_;
    QWidget* window_;
};

} // namespace velmora
