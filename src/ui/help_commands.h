#pragma once

#include "result.h"
#include "update_answer.h"
#include "update_query.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QAction;
class QMainWindow;

namespace velmora {

class Desktop;
class TFormAbout;

// The Help menu: the user manual, the update check, the chat group, the
// maker's customer-service page and the About window.
class HelpCommands final : public QObject {
    Q_OBJECT
public:
    // Adds "帮助(&H)" with its items to `window`'s menu bar. The About window
    // is made, as a child of `window`, when first shown.
    HelpCommands(Desktop& desktop, QMainWindow* window);

    // Opens the first manual the manual folders hold; none found: nothing happens.
    void Menu_help1Click();
    void Menu_UpdateClick();
    void Menu_AddQQClick();
    void menu_kefuClick();
    void Menu_AboutClick();

    // Where the update check asks (the maker's server unless set) and where
    // "帮助" looks for the manual (DefaultManualFolders unless set).
    void setUpdateServer(const UpdateServer& server) { updateServer_ = server; }
    void setManualFolders(const QStringList& folders) { manualFolders_ = folders; }

private:
    // The update check, with the busy cursor and the command held back while
    // it waits.
    Result<std::optional<UpdateOffer>> waitForUpdateCheck();
    TFormAbout& aboutForm();

    Desktop& desktop_;
    QMainWindow* window_;
    QAction* updateCommand_ = nullptr;
    TFormAbout* aboutForm_ = nullptr;
    UpdateServer updateServer_;
    QStringList manualFolders_;
    bool updateCheckRunning_ = false;
};

} // namespace velmora
