// The code and line ends Save As writes: two lists beside the file name of the save dialog,
// preset to the document's own form.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "convert/file_form.h"

class QComboBox;

namespace qb::gui {

// The codes Save As offers, as CodeName spells them, in the order the list shows them.
std::span<const std::string_view> SaveAsCodeNames();

// `base` written in the code `codeName` (one of SaveAsCodeNames) with `lineEnd`. What only
// `base`'s own code knows (how a JIS text wrote its mode changes) is kept while the code stays
// the same; a changed code starts from that code's plain form.
[[nodiscard]] FileForm FormWithCode(const FileForm& base, std::string_view codeName,
                                    LineEnd lineEnd);

class SaveFormBox : public QWidget {
    Q_OBJECT
public:
    // Lists "code" and "lineEnd" showing `preset`.
    explicit SaveFormBox(const FileForm& preset, QWidget* parent = nullptr);

    // The form chosen, built on the preset (FormWithCode).
    FileForm Chosen() const;

private:
    FileForm m_preset;
    QComboBox* m_code;
    QComboBox* m_lineEnd;
};

struct SaveChoice {
    std::string path;  // UTF-8
    FileForm form;
};

// The save dialog of Save As, with a SaveFormBox under the file name; it asks before replacing
// a file and adds `suffix` to a name without one. Nothing on Cancel.
std::optional<SaveChoice> ChooseSaveFileAndForm(QWidget* parent, const QString& title,
                                                const QString& initial, const QString& filter,
                                                const QString& suffix, const FileForm& preset);

}  // namespace qb::gui
