// Answers the modal windows the code under test opens, the way a user would: each queued step
// runs on the next modal window that comes up (a dialog, then perhaps the message box it shows,
// then the dialog again). A window that comes up when no step is left is closed and counted, so
// a test never hangs on it.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace qb::test {

class ModalScript {
public:
    using Step = std::function<void(QWidget*)>;

    ModalScript() { Schedule(); }

    ModalScript& Then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }
    // Steps not run yet, and windows that came up with no step for them.
    int Pending() const { return static_cast<int>(m_steps.size()); }
    int Unexpected() const { return m_unexpected; }

private:
    // A new single shot each time: Qt does not fire a timer again while its handler runs, and a
    // step's handler runs on while the window it opened is up.
    void Schedule() {
        QTimer::singleShot(2, &m_context, [this] { Tick(); });
    }

    void Tick() {
        Schedule();
        QWidget* window = QApplication::activeModalWidget();
        if (!window || std::count(m_busy.begin(), m_busy.end(), window)) return;
        if (m_steps.empty()) {
            if (++m_idleTicks < 100) return;
            ++m_unexpected;
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
            else
                window->close();
            return;
        }
        m_idleTicks = 0;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        m_busy.push_back(window);
        step(window);
        m_busy.pop_back();
    }

    QObject m_context;  // ends the scheduled ticks with the script
    std::deque<Step> m_steps;
    std::vector<QWidget*> m_busy;  // windows whose step is still running (it opened another)
    int m_idleTicks = 0;
    int m_unexpected = 0;
};

// Sets control `key` of `dialog` as a user would: the text of a line edit or an editable list,
// the position of a list, "1"/"0" for a check box, the position of the radio button to choose.
inline void Set(QWidget* dialog, const char* key, const QString& value) {
    QWidget* w = dialog->findChild<QWidget*>(QString::fromLatin1(key));
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
        combo->setEditText(value);
    else if (combo)
        combo->setCurrentIndex(value.toInt());
    else if (auto* check = qobject_cast<QCheckBox*>(w))
        check->setChecked(value == QLatin1String("1"));
    else if (auto* radio = dialog->findChild<QRadioButton*>(QString::fromLatin1(key) + value))
        radio->setChecked(true);
    else
        qFatal("no control %s", key);
}

// What control `key` shows, in the form Set takes.
inline QString Shown(QWidget* dialog, const char* key) {
    QWidget* w = dialog->findChild<QWidget*>(QString::fromLatin1(key));
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
    if (auto* check = qobject_cast<QCheckBox*>(w)) return check->isChecked() ? "1" : "0";
    if (auto* box = qobject_cast<QGroupBox*>(w))
        for (auto* radio : box->findChildren<QRadioButton*>())
            if (radio->isChecked()) return radio->objectName().mid(int(qstrlen(key)));
    return QStringLiteral("?");
}

inline bool Enabled(QWidget* dialog, const char* key) {
    return dialog->findChild<QWidget*>(QString::fromLatin1(key))->isEnabled();
}

inline void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}
inline void Ok(QWidget* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        box->button(QMessageBox::Ok)->click();
    else
        Press(dialog, QDialogButtonBox::Ok);
}
inline void Cancel(QWidget* dialog) {
    Press(dialog, QDialogButtonBox::Cancel);
}

// The text of a message box (empty when the window is none).
inline QString MessageOf(QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    return box ? box->text() : QString();
}

}  // namespace qb::test
