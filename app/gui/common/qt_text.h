// Crossing between the document's Shift-JIS bytes and Qt's UTF-16 strings, through the project's
// own code page 932 tables (never a Qt codec, so the window shows exactly what qbay converts).
//
// Text of a document crosses through DocumentText, which knows the document's stand-ins
// (convert/stand_in_table.h): what the window shows or hands to the clipboard has the real
// characters, and what the user types or pastes takes stand-ins for the characters Shift-JIS
// lacks. Every such crossing goes through it, so a stand-in never shows as a private-use
// character nor a typed emoji as '?'.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "app/gui/common/cell_painter.h"

namespace qb {
class CQuillbayDoc;
class StandInTable;
}  // namespace qb

namespace qb::gui {

// Shift-JIS -> QString; a byte that is no character shows as U+30FB, as everywhere else.
[[nodiscard]] QString SjisToQString(std::string_view sjis);
// QString -> Shift-JIS; a character without a Shift-JIS form becomes '?'.
[[nodiscard]] std::string QStringToSjis(const QString& text);

// The text of one document as the window shows and takes it.
class DocumentText {
public:
    // No document: plain code page 932, as SjisToQString and QStringToSjis.
    DocumentText() = default;
    // `doc`'s text, which must outlive this. While its bytes are final (BytesFinal: another
    // code's bytes, or the file's own before the conversion on opening) they are shown and
    // taken as plain code page 932, as they are no text with stand-ins.
    explicit DocumentText(CQuillbayDoc* doc) : m_doc(doc) {}

    // The characters of `sjis`, each stand-in as the character it stands for.
    [[nodiscard]] QString ToQString(std::string_view sjis) const;
    // The same for a document only shown (a preview of its lines); plain code page 932 for null.
    [[nodiscard]] static QString ToQString(const CQuillbayDoc* doc, std::string_view sjis);
    // The same for text of no open document that carries its own stand-ins (the changed lines
    // of a file a multi-file replace would rewrite).
    [[nodiscard]] static QString ToQString(const StandInTable& standIns, std::string_view sjis);
    // `text` in Shift-JIS, a character Shift-JIS lacks as its stand-in (given out now when it
    // has none yet). `lost`, when not null, receives the first character that became '?' (no
    // document, or every stand-in given out), or an empty string when none did.
    [[nodiscard]] std::string FromQString(const QString& text, QString* lost = nullptr) const;
    // The character the first stand-in of `sjis` stands for, or an empty string when `sjis`
    // holds none (a macro line must not: it would mean another character in another document).
    [[nodiscard]] QString FirstStandIn(std::string_view sjis) const;
    // Why `lost` (what FromQString named) cannot be taken in, for a message.
    [[nodiscard]] QString Refusal(const QString& lost) const;
    // For CellPainter::Draw: each stand-in of `doc` drawn as its character (U+FFFD for what
    // stands for no character: a stray byte, a lone surrogate); empty when there is none to draw
    // (no stand-in, final bytes). Valid while `doc` lives.
    [[nodiscard]] static CodeShownAs ShownAs(const CQuillbayDoc& doc);

private:
    bool UsesStandIns() const;

    CQuillbayDoc* m_doc = nullptr;
};

// UTF-8 (messages, paths, settings) <-> QString.
[[nodiscard]] inline QString Utf8ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
[[nodiscard]] inline std::string QStringToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace qb::gui
