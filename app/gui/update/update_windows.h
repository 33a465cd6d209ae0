// The windows of the update check: the small "更新確認中" window shown while the feed is read,
// the dialog "更新がありました" that offers a newer version, and the download's progress window.
#pragma once

#include <QDialog>
#include <cstdint>

#include "update/update_ui.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qb::gui {

// "更新確認中": says "更新を確認中です" while the feed is read. Its "キャンセル" (the button, Esc
// or the close box) emits cancelRequested once and leaves the window up until the check, which
// stops within a second, takes it down.
class CheckingWindow : public QDialog {
    Q_OBJECT
public:
    explicit CheckingWindow(QWidget* parent);

    void reject() override;

Q_SIGNALS:
    void cancelRequested();

private:
    QPushButton* m_cancel = nullptr;
};

// "更新がありました": the version, date and message of the feed (read only) with the buttons
// "ダウンロードし更新", "ホームページを開く" and "ｷｬﾝｾﾙ".
class UpdateOfferDialog : public QDialog {
    Q_OBJECT
public:
    UpdateOfferDialog(const UpdateOffer& offer, QWidget* parent);

    // Runs the dialog modally; closing it counts as Cancel.
    static UpdateChoice Ask(const UpdateOffer& offer, QWidget* parent);

private:
    UpdateChoice m_choice = UpdateChoice::Cancel;
};

// "ダウンロード中です": the file name, a bar and "%d/%dバイト". Its Cancel (the button, Esc or the
// close box) asks "中止しますか？"; on OK the window closes and cancelConfirmed is emitted once.
class DownloadProgressDialog : public QDialog {
    Q_OBJECT
public:
    DownloadProgressDialog(const QString& fileName, QWidget* parent);

    // `total` is -1 when the server did not announce the size (the bar then only shows activity).
    void SetProgress(std::int64_t received, std::int64_t total);
    bool CancelConfirmed() const { return m_cancelConfirmed; }

    void reject() override;

Q_SIGNALS:
    void cancelConfirmed();

private:
    QProgressBar* m_bar = nullptr;
    QLabel* m_count = nullptr;
    bool m_cancelConfirmed = false;
    bool m_asking = false;
};

// A message box over `parent` with an OK button; `detail` (may be empty) goes below the text.
void ShowUpdateMessage(QWidget* parent, const QString& text, const QString& detail,
                       MessageIcon icon);
// A question with a question icon and `buttons` (Yes/No or OK/Cancel); true for Yes or OK.
bool AskUpdateQuestion(QWidget* parent, const QString& text, bool yesNo);

}  // namespace qb::gui
