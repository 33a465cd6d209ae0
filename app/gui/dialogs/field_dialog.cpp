#include "app/gui/dialogs/field_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <limits>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "convert/stand_in_table.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

// A line edit cuts what it is given at the largest signed 16-bit number of characters unless
// told otherwise; a document line may be longer, and cutting it would lose text without a word.
constexpr int kNoLimit = std::numeric_limits<int>::max();

QString Q(std::string_view utf8) {
    return Utf8ToQString(utf8);
}

QString Name(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

// Room for `chars` average characters of the widget's font.
int CharsWide(const QWidget* w, int chars) {
    return w->fontMetrics().averageCharWidth() * chars;
}

bool TakesText(FieldKind kind) {
    return kind == FieldKind::Text || kind == FieldKind::Combo || kind == FieldKind::Path;
}

// The line edit inside a text-like control.
QLineEdit* LineEditOf(QWidget* control) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(control);
}

}  // namespace

QString CommandTitle(std::string_view caption) {
    QString title = Q(caption);
    title.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    title.remove(QRegularExpression(QStringLiteral("(\\.\\.\\.|…)$")));
    title.remove(QLatin1Char('&'));
    return title.isEmpty() ? QStringLiteral("入力") : title;
}

void RefuseField(QWidget* dialog, QWidget* field, const QString& message) {
    QMessageBox::warning(dialog, MessageTitle(dialog, QMessageBox::Warning), message);
    field->setFocus(Qt::OtherFocusReason);
    if (QLineEdit* edit = LineEditOf(field)) edit->selectAll();
}

FieldDialog::FieldDialog(const QString& title, std::vector<FieldSpec> fields,
                         SettingsStore* settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(title);
    for (const FieldSpec& spec : fields)
        m_fields.push_back(Field{spec, nullptr, {}});
    m_layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    m_form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    m_layout->addLayout(m_form);
    BuildRows();
    for (const Field& f : m_fields)
        if (QLineEdit* edit = f.spec.kind == FieldKind::Number || TakesText(f.spec.kind)
                                  ? LineEditOf(f.control)
                                  : nullptr)
            edit->installEventFilter(this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttons"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    m_layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    std::vector<FieldSpec> specs;
    for (const Field& f : m_fields)
        specs.push_back(f.spec);
    ShowValues(settings ? LoadFields(specs, *settings) : LoadFields(specs, SettingsStore()));
}

void FieldDialog::BuildRows() {
    QFormLayout* form = m_form;
    std::string_view group;
    for (std::size_t i = 0; i < m_fields.size();) {
        if (m_fields[i].spec.group != group) {
            group = m_fields[i].spec.group;
            form = m_form;
            if (!group.empty()) {
                auto* box = new QGroupBox(Q(group), this);
                form = new QFormLayout(box);
                m_form->addRow(box);
            }
        }
        std::size_t end = i + 1;
        while (end < m_fields.size() && m_fields[end].spec.sameRow)
            ++end;
        auto* row = new QWidget(this);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        QWidget* rowLabel = nullptr;
        bool stretches = false;
        for (std::size_t k = i; k < end; ++k) {
            Field& f = m_fields[k];
            QWidget* control = MakeControl(f);
            QWidget* label = MakeRowLabel(f, row);
            const bool spans = f.spec.kind == FieldKind::Check || f.spec.kind == FieldKind::Radio;
            if (k == i && (label || spans))
                rowLabel = label ? label : control;
            else if (label)
                line->addWidget(label);
            if (control != rowLabel) line->addWidget(control, TakesText(f.spec.kind) ? 1 : 0);
            stretches = stretches || TakesText(f.spec.kind) || f.spec.kind == FieldKind::Radio;
            if (!f.spec.suffix.empty()) {
                auto* suffix = new QLabel(Q(f.spec.suffix), row);
                f.companions.push_back(suffix);
                line->addWidget(suffix);
            }
            if (f.spec.browse != Browse::None) {
                auto* button = new QPushButton(Q(f.spec.browseText), row);
                button->setObjectName(Name(f.spec.key) + QStringLiteral("Browse"));
                connect(button, &QPushButton::clicked, this, [this, k] { Browse(m_fields[k]); });
                f.companions.push_back(button);
                line->addWidget(button);
            }
        }
        if (line->isEmpty()) {
            delete row;
            form->addRow(rowLabel);
        } else if (rowLabel) {
            if (!stretches) line->addStretch(1);
            form->addRow(rowLabel, row);
        } else {
            if (!stretches) line->addStretch(1);
            form->addRow(QString(), row);
        }
        i = end;
    }
}

QWidget* FieldDialog::MakeControl(Field& f) {
    const FieldSpec& s = f.spec;
    QWidget* control = nullptr;
    switch (s.kind) {
        case FieldKind::Number: {
            auto* edit = new QLineEdit(this);
            edit->setMaximumWidth(CharsWide(edit, 12));
            connect(edit, &QLineEdit::textChanged, this, &FieldDialog::Edited);
            control = edit;
            break;
        }
        case FieldKind::Text:
        case FieldKind::Path: {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(kNoLimit);
            edit->setMinimumWidth(CharsWide(edit, 40));
            connect(edit, &QLineEdit::textChanged, this, &FieldDialog::Edited);
            control = edit;
            break;
        }
        case FieldKind::Combo: {
            auto* combo = new QComboBox(this);
            combo->setEditable(true);
            combo->lineEdit()->setMaxLength(kNoLimit);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setMinimumWidth(CharsWide(combo, 40));
            connect(combo, &QComboBox::editTextChanged, this, &FieldDialog::Edited);
            control = combo;
            break;
        }
        case FieldKind::Check: {
            auto* check = new QCheckBox(Q(s.label), this);
            connect(check, &QCheckBox::toggled, this, &FieldDialog::UpdateEnabling);
            connect(check, &QCheckBox::toggled, this, &FieldDialog::Edited);
            control = check;
            break;
        }
        case FieldKind::Choice: {
            auto* combo = new QComboBox(this);
            for (std::string_view choice : s.choices)
                combo->addItem(Q(choice));
            connect(combo, &QComboBox::currentIndexChanged, this, &FieldDialog::Edited);
            control = combo;
            break;
        }
        case FieldKind::Radio: {
            auto* box = new QGroupBox(Q(s.label), this);
            auto* column = new QVBoxLayout(box);
            auto* buttons = new QButtonGroup(box);
            for (std::size_t i = 0; i < s.choices.size(); ++i) {
                auto* radio = new QRadioButton(Q(s.choices[i]), box);
                radio->setObjectName(Name(s.key) + QString::number(i));
                buttons->addButton(radio, static_cast<int>(i));
                column->addWidget(radio);
            }
            connect(buttons, &QButtonGroup::idToggled, this, &FieldDialog::Edited);
            control = box;
            break;
        }
    }
    control->setObjectName(Name(s.key));
    f.control = control;
    return control;
}

// The label in front of a field, or nullptr for check boxes, radio groups and unlabelled fields.
QWidget* FieldDialog::MakeRowLabel(Field& f, QWidget* row) {
    if (f.spec.kind == FieldKind::Check || f.spec.kind == FieldKind::Radio || f.spec.label.empty())
        return nullptr;
    auto* label = new QLabel(Q(f.spec.label), row);
    label->setBuddy(f.control);
    f.companions.push_back(label);
    return label;
}

void FieldDialog::Browse(const Field& f) {
    auto* edit = qobject_cast<QLineEdit*>(f.control);
    const QString chosen = Choose(f.spec, edit->text());
    if (!chosen.isEmpty()) edit->setText(chosen);
}

QString FieldDialog::Choose(const FieldSpec& spec, const QString& current) {
    const QString title = Q(spec.browseTitle);
    return spec.browse == Browse::Folder ? QFileDialog::getExistingDirectory(this, title, current)
                                         : QFileDialog::getOpenFileName(this, title, current);
}

void FieldDialog::ShowValues(const DialogValues& values) {
    m_values = values;
    for (Field& f : m_fields) {
        const std::string_view key = f.spec.key;
        switch (f.spec.kind) {
            case FieldKind::Number:
                static_cast<QLineEdit*>(f.control)->setText(QString::number(values.Int(key)));
                break;
            case FieldKind::Text:
            case FieldKind::Path: {
                auto* edit = static_cast<QLineEdit*>(f.control);
                edit->setText(f.spec.kind == FieldKind::Path ? Q(values.Text(key))
                                                             : m_text.ToQString(values.Text(key)));
                edit->setCursorPosition(0);  // a long text shows its start
                break;
            }
            case FieldKind::Combo:
                static_cast<QComboBox*>(f.control)->setEditText(m_text.ToQString(values.Text(key)));
                break;
            case FieldKind::Check:
                static_cast<QCheckBox*>(f.control)->setChecked(values.Checked(key));
                break;
            case FieldKind::Choice:
                static_cast<QComboBox*>(f.control)->setCurrentIndex(values.Int(key));
                break;
            case FieldKind::Radio:
                if (auto* button = f.control->findChild<QButtonGroup*>()->button(values.Int(key)))
                    button->setChecked(true);
                break;
        }
    }
    UpdateEnabling();
}

bool FieldDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto length = edit ? edit->text().size() : 0;
        // From its end back to its start: a long text still shows its start.
        if (length > 0 && !edit->hasSelectedText()) edit->setSelection(length, -length);
    }
    return QDialog::eventFilter(watched, event);
}

void FieldDialog::UseDocumentText(const DocumentText& text) {
    m_text = text;
    // Only a text that may hold a stand-in shows otherwise now; the rest stay as they are.
    for (Field& f : m_fields) {
        if (f.spec.kind != FieldKind::Text && f.spec.kind != FieldKind::Combo) continue;
        const std::string& value = m_values.Text(f.spec.key);
        if (!HasAreaLeadByte(value)) continue;
        if (QLineEdit* edit = LineEditOf(f.control)) {
            const QSignalBlocker quiet(f.control);
            edit->setText(m_text.ToQString(value));
            edit->setCursorPosition(0);
        }
    }
}

QWidget* FieldDialog::Control(std::string_view key) const {
    for (const Field& f : m_fields)
        if (f.spec.key == key) return f.control;
    return nullptr;
}

void FieldDialog::UpdateEnabling() {
    std::vector<FieldSpec> specs;
    DialogValues checks;
    for (const Field& f : m_fields) {
        specs.push_back(f.spec);
        if (f.spec.kind == FieldKind::Check)
            checks.SetInt(f.spec.key, static_cast<QCheckBox*>(f.control)->isChecked());
    }
    const std::vector<bool> enabled = FieldEnabling(specs, checks);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        Field& f = m_fields[i];
        f.control->setEnabled(enabled[i]);
        for (QWidget* w : f.companions)
            w->setEnabled(enabled[i]);
        if (f.spec.kind == FieldKind::Check && !checks.Checked(f.spec.key)) {
            const QSignalBlocker quiet(f.control);
            static_cast<QCheckBox*>(f.control)->setChecked(false);
        }
    }
}

QString FieldDialog::ReadField(const Field& f, bool enabled, DialogValues& values) const {
    const std::string_view key = f.spec.key;
    switch (f.spec.kind) {
        case FieldKind::Number: {
            const QString text = static_cast<QLineEdit*>(f.control)->text();
            const IntCheck check = CheckInt(QStringToUtf8(text), f.spec.rule);
            if (check.value) values.SetInt(key, *check.value);
            // A disabled field the user cannot reach keeps the value it was shown with.
            if (check.value || !enabled) return {};
            return Q(check.message);
        }
        case FieldKind::Text:
        case FieldKind::Combo: {
            QString bad;
            std::string sjis = m_text.FromQString(LineEditOf(f.control)->text(), &bad);
            if (bad.isEmpty()) values.SetText(key, std::move(sjis));
            if (bad.isEmpty() || !enabled) return {};
            return m_text.Refusal(bad);
        }
        case FieldKind::Path:
            values.SetText(key, QStringToUtf8(static_cast<QLineEdit*>(f.control)->text()));
            return {};
        case FieldKind::Check:
            values.SetInt(key, static_cast<QCheckBox*>(f.control)->isChecked() ? 1 : 0);
            return {};
        case FieldKind::Choice:
            values.SetInt(key, static_cast<QComboBox*>(f.control)->currentIndex());
            return {};
        case FieldKind::Radio: {
            const int id = f.control->findChild<QButtonGroup*>()->checkedId();
            if (id >= 0) values.SetInt(key, id);
            return {};
        }
    }
    return {};
}

std::optional<DialogValues> FieldDialog::ReadControls() {
    DialogValues values = m_values;
    for (const Field& f : m_fields) {
        const QString refusal = ReadField(f, f.control->isEnabled(), values);
        if (!refusal.isEmpty()) {
            RefuseField(this, f.control, refusal);
            return std::nullopt;
        }
    }
    return values;
}

std::optional<DialogValues> FieldDialog::ReadNow(QString* refusal) const {
    DialogValues values = m_values;
    for (const Field& f : m_fields) {
        const QString why = ReadField(f, f.control->isEnabled(), values);
        if (why.isEmpty()) continue;
        if (refusal) *refusal = why;
        return std::nullopt;
    }
    return values;
}

void FieldDialog::AddPane(QWidget* pane) {
    m_layout->insertWidget(m_layout->indexOf(m_buttons), pane, 1);
}

void FieldDialog::accept() {
    std::optional<DialogValues> values = ReadControls();
    if (!values || !CheckValues(*values)) return;
    if (m_settings) {
        const SettingsStore::WriteBatch batch(*m_settings);
        std::vector<FieldSpec> specs;
        for (const Field& f : m_fields)
            if (!TakesText(f.spec.kind) || !HoldsStandIn(values->Text(f.spec.key)))
                specs.push_back(f.spec);
        StoreFields(specs, *values, *m_settings);
        StoreMore(*values);
    }
    m_values = std::move(*values);
    QDialog::accept();
}

void FieldDialog::AddRow(const QString& label, QWidget* widget) {
    m_form->addRow(label, widget);
}

void FieldDialog::AddRow(QWidget* widget) {
    m_form->addRow(widget);
}

void FieldDialog::InsertRow(int row, const QString& label, QWidget* widget) {
    m_form->insertRow(row, label, widget);
}

void FieldDialog::SetIntro(const QString& text) {
    auto* intro = new QLabel(text, this);
    intro->setWordWrap(true);
    m_layout->insertWidget(0, intro);
}

void FieldDialog::SetOkText(const QString& text) {
    m_buttons->button(QDialogButtonBox::Ok)->setText(text);
}

QPushButton* FieldDialog::AddButton(const QString& text, const QString& objectName) {
    QPushButton* button = m_buttons->addButton(text, QDialogButtonBox::ActionRole);
    button->setObjectName(objectName);
    return button;
}

}  // namespace qb::gui
