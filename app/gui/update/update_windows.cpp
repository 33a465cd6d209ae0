#include "app/gui/update/update_windows.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "update/update_texts.h"

namespace qb::gui {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLineEdit* ReadOnlyLine(const char* name, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(Utf8ToQString(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

void ShowUpdateMessage(QWidget* parent, const QString& text, const QString& detail,
                       MessageIcon icon) {
    const auto boxIcon =
        icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning;
    RunMessageBox(parent, boxIcon, text, QMessageBox::Ok, QMessageBox::Ok, detail);
}

bool AskUpdateQuestion(QWidget* parent, const QString& text, bool yesNo) {
    const auto yes = yesNo ? QMessageBox::Yes : QMessageBox::Ok;
    const auto no = yesNo ? QMessageBox::No : QMessageBox::Cancel;
    return RunMessageBox(parent, QMessageBox::Question, text, yes | no, yes) == yes;
}

// ---- "更新確認中" ------------------------------------------------------------------------------

CheckingWindow::CheckingWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("updateChecking"));
    setWindowTitle(Text(update_texts::kCheckingCaption));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    m_cancel->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::rejected, this, &CheckingWindow::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(new QLabel(Text(update_texts::kCheckingText), this));
    layout->addWidget(buttons);
}

void CheckingWindow::reject() {
    // Hidden now, the window would leave the main window held with nothing to show why.
    if (!m_cancel->isEnabled()) return;
    m_cancel->setEnabled(false);
    Q_EMIT cancelRequested();
}

// ---- "更新がありました" ------------------------------------------------------------------------

UpdateOfferDialog::UpdateOfferDialog(const UpdateOffer& offer, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(update_texts::kOfferCaption));
    auto* form = new QFormLayout;
    QLineEdit* version = ReadOnlyLine("version", offer.version, this);
    QLineEdit* date = ReadOnlyLine("date", offer.date, this);
    auto* message = new QPlainTextEdit(this);
    message->setObjectName(QStringLiteral("message"));
    message->setReadOnly(true);
    // The feed may end its lines either way; a CR left in would show as a stray mark.
    QString description = Utf8ToQString(offer.description);
    description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message->setPlainText(description);
    form->addRow(Text(update_texts::kOfferVersionLabel), version);
    form->addRow(Text(update_texts::kOfferDateLabel), date);
    form->addRow(Text(update_texts::kOfferMessageLabel), message);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* download =
        buttons->addButton(Text(update_texts::kDownloadButton), QDialogButtonBox::AcceptRole);
    download->setObjectName(QStringLiteral("download"));
    QPushButton* home =
        buttons->addButton(Text(update_texts::kHomePageButton), QDialogButtonBox::ActionRole);
    home->setObjectName(QStringLiteral("homePage"));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Text(update_texts::kCancelButton));
    download->setDefault(true);
    connect(download, &QPushButton::clicked, this, [this] {
        m_choice = UpdateChoice::DownloadAndUpdate;
        accept();
    });
    connect(home, &QPushButton::clicked, this, [this] {
        m_choice = UpdateChoice::OpenHomePage;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(440, 300);
}

UpdateChoice UpdateOfferDialog::Ask(const UpdateOffer& offer, QWidget* parent) {
    UpdateOfferDialog dialog(offer, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.m_choice : UpdateChoice::Cancel;
}

// ---- "ダウンロード中です" ----------------------------------------------------------------------

DownloadProgressDialog::DownloadProgressDialog(const QString& fileName, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(update_texts::kProgressCaption));
    auto* name = new QLabel(fileName, this);
    name->setObjectName(QStringLiteral("fileName"));
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("count"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::rejected, this, &DownloadProgressDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(m_bar);
    layout->addWidget(m_count);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    SetProgress(0, -1);
}

void DownloadProgressDialog::SetProgress(std::int64_t received, std::int64_t total) {
    // Sizes beyond an int would overflow the bar's range: it counts in thousandths instead.
    if (total > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(static_cast<int>(std::min<std::int64_t>(received, total) * 1000 / total));
    } else {
        m_bar->setRange(0, 0);
    }
    m_count->setText(Utf8ToQString(DownloadProgressText(received, total)));
}

void DownloadProgressDialog::reject() {
    // The question is modal and the download goes on meanwhile; a second Cancel (Esc while the
    // question is up) must not stack a second question.
    if (m_cancelConfirmed || m_asking) return;
    m_asking = true;
    const bool stop = AskUpdateQuestion(this, Text(update_texts::kCancelQuestion), false);
    m_asking = false;
    if (!stop) return;
    m_cancelConfirmed = true;
    QDialog::reject();
    Q_EMIT cancelConfirmed();
}

}  // namespace qb::gui
