// GuiUpdateUi: the update check shown in the desktop program. Boxes and dialogs open over the
// main window; downloads run on a worker thread while a local event loop keeps the windows
// painting and the Cancel of "更新確認中" and of the progress window working.
#pragma once

#include <QPointer>
#include <QWidget>
#include "update/update_ui.h"

namespace qb::gui {

class CheckingWindow;

class GuiUpdateUi : public IUpdateUi {
public:
    // `window` (the main window, may be null) is the parent of every box and is held from user
    // input while a download runs.
    explicit GuiUpdateUi(QWidget* window);
    ~GuiUpdateUi() override;

    bool AskYesNo(std::string_view question) override;
    void ShowMessage(std::string_view text, std::string_view detail, MessageIcon icon) override;
    void ShowChecking() override;
    void HideChecking() override;
    UpdateChoice AskUpdate(const UpdateOffer& offer) override;
    DownloadResult RunDownload(DownloadJob& job, bool showProgress) override;
    bool OpenFile(const std::string& path) override;
    void ShowFolder(const std::string& path) override;
    void OpenUrl(const std::string& url) override;

private:
    QPointer<QWidget> m_window;
    QPointer<CheckingWindow> m_checking;  // shown from ShowChecking to HideChecking
};

}  // namespace qb::gui
