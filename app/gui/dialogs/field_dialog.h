// The one pattern every parameter dialog follows: build the controls from a table of fields,
// load their remembered values, show them, check them when OK is pressed (the dialog stays open
// with the focus on the first bad field), write the remembered values back, and hand the values
// to the caller. Cancel changes and stores nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/dialog_fields.h"

class QDialogButtonBox;
class QFormLayout;
class QPushButton;
class QVBoxLayout;

namespace qb {
class SettingsStore;
}

namespace qb::gui {

// The title of a command's dialog: its menu caption (UTF-8) without the mnemonic and the
// "..."; "入力" for a command with no caption.
QString CommandTitle(std::string_view caption);

// A message box over `dialog` about `field`, which then gets the focus (its text selected).
void RefuseField(QWidget* dialog, QWidget* field, const QString& message);

class FieldDialog : public QDialog {
    Q_OBJECT
public:
    // Builds the controls of `fields` under `title` and shows the values remembered in
    // `settings` (their defaults when `settings` is null; nothing is stored then).
    FieldDialog(const QString& title, std::vector<FieldSpec> fields, SettingsStore* settings,
                QWidget* parent);

    // The values as confirmed (after OK); before that, as loaded.
    const DialogValues& Values() const { return m_values; }
    // Shows `values` in the controls (for values that come from elsewhere than the settings).
    void ShowValues(const DialogValues& values);

    // Shows and reads the text fields as the text of a document (DocumentText): its stand-ins
    // shown as their characters, characters Shift-JIS lacks taken in as stand-ins. Until this is
    // called, plain code page 932.
    void UseDocumentText(const DocumentText& text);

    // The control of field `key` (its object name is the key), or nullptr.
    QWidget* Control(std::string_view key) const;

    // Checks every enabled field in order, then CheckValues; stores and closes when all pass.
    void accept() override;

    // What the controls hold now, read as OK reads them but quietly: the values, or nothing and
    // in `refusal` the message OK would show for the first field that is not valid.
    std::optional<DialogValues> ReadNow(QString* refusal) const;
    // Calls `read` while Values() answers with `values`, so that the dialog's own reading of its
    // values (Result()) can be asked about values that are not confirmed yet.
    template <class Read>
    auto WithValues(const DialogValues& values, Read&& read) {
        DialogValues kept = std::exchange(m_values, values);
        auto result = read();
        m_values = std::move(kept);
        return result;
    }
    // Puts `pane` between the fields and the buttons (the dialog's preview).
    void AddPane(QWidget* pane);

Q_SIGNALS:
    // The user (or ShowValues) changed the value of a control.
    void Edited();

protected:
    // A filled text field that gets the focus other than by a click (also the first one as the
    // dialog opens, which Qt leaves unselected) has its text selected, so that typing replaces it.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Further checks after every field passed; show the refusal (RefuseField) and return false
    // to keep the dialog open.
    virtual bool CheckValues(const DialogValues&) { return true; }
    // Stores what the field table does not describe (histories); called before the dialog closes.
    virtual void StoreMore(const DialogValues&) {}

    // What the browse button of Path field `spec` chose, starting from `current`; empty on
    // Cancel. By default a folder or file chooser titled as the table says.
    virtual QString Choose(const FieldSpec& spec, const QString& current);

    // A row below the fields, or at row `row` of the form (a label and a field, or a widget
    // that spans the row).
    void AddRow(const QString& label, QWidget* widget);
    void AddRow(QWidget* widget);
    void InsertRow(int row, const QString& label, QWidget* widget);
    // A text above the fields.
    void SetIntro(const QString& text);
    void SetOkText(const QString& text);
    // A further button between OK and Cancel that leaves the dialog open.
    QPushButton* AddButton(const QString& text, const QString& objectName);
    SettingsStore* Settings() const { return m_settings; }
    // Whether the Shift-JIS `text` holds a stand-in of the document: such a text is not stored
    // in the settings, where another document would read it as other characters.
    bool HoldsStandIn(std::string_view text) const { return !m_text.FirstStandIn(text).isEmpty(); }

private:
    struct Field {
        FieldSpec spec;
        QWidget* control = nullptr;
        std::vector<QWidget*> companions;  // label, suffix and browse button: enabled with it
    };

    void BuildRows();
    QWidget* MakeControl(Field& field);
    QWidget* MakeRowLabel(Field& field, QWidget* row);
    void Browse(const Field& field);
    void UpdateEnabling();
    // The values in the controls; nullopt after refusing the first field that is not valid.
    std::optional<DialogValues> ReadControls();
    // Puts the field's value into `values`; the message that refuses it, or an empty string.
    QString ReadField(const Field& field, bool enabled, DialogValues& values) const;

    std::vector<Field> m_fields;
    SettingsStore* m_settings;
    DialogValues m_values;
    DocumentText m_text;
    QVBoxLayout* m_layout = nullptr;
    QFormLayout* m_form = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

}  // namespace qb::gui
