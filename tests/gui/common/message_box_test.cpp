// Message titles: a box named the program ("Quillbay") in a Japanese window told the user
// nothing. A box over a dialog carries the dialog's title, else the word for its kind.
#include "app/gui/common/message_box.h"

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QtTest>

using namespace qb::gui;

class MessageBoxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void TitledAfterTheDialogOrTheKindOfMessage() {
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("折り返し"));
        auto* field = new QLineEdit(&dialog);
        QDialog untitled;
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("Quillbay"));
        const struct {
            const QWidget* parent;
            QMessageBox::Icon icon;
            const char* title;
        } cases[] = {
            {&dialog, QMessageBox::Warning, "折り返し"},
            {field, QMessageBox::Question, "折り返し"},  // a field's box: its dialog's title
            {&untitled, QMessageBox::Warning, "警告"},
            {&window, QMessageBox::Information, "情報"},  // the main window names no command
            {nullptr, QMessageBox::Question, "確認"},
            {nullptr, QMessageBox::Critical, "エラー"},
        };
        for (const auto& c : cases)
            QCOMPARE(MessageTitle(c.parent, c.icon), QString::fromUtf8(c.title));
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
