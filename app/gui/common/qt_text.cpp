#include "app/gui/common/qt_text.h"

#include <vector>

#include "convert/cp932.h"
#include "convert/sjis.h"
#include "convert/stand_in_codec.h"
#include "core/quillbay_doc.h"

namespace qb::gui {

namespace {

QString FromUnits(std::u16string_view units) {
    return QString(reinterpret_cast<const QChar*>(units.data()),
                   static_cast<qsizetype>(units.size()));
}

std::u16string_view UnitsOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The character of `text` that starts at unit `at` (two units beyond the BMP).
QString CharacterAt(const QString& text, std::size_t at) {
    const auto i = static_cast<qsizetype>(at);
    if (i >= text.size()) return {};
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    return text.mid(i, pair ? 2 : 1);
}

// The first character of `text` that code page 932 lacks (QStringToSjis makes it '?').
QString FirstWithoutCode(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSurrogate()) return CharacterAt(text, static_cast<std::size_t>(i));
        if (c.unicode() != 0 && UnicodeToCp932Code(c.unicode()) == 0) return QString(c);
    }
    return {};
}

}  // namespace

QString SjisToQString(std::string_view sjis) {
    return FromUnits(SjisToUtf16(sjis));
}

std::string QStringToSjis(const QString& text) {
    return Utf16ToSjis(UnitsOf(text));
}

bool DocumentText::UsesStandIns() const {
    return m_doc && !m_doc->BytesFinal();
}

QString DocumentText::ToQString(std::string_view sjis) const {
    return ToQString(m_doc, sjis);
}

QString DocumentText::ToQString(const CQuillbayDoc* doc, std::string_view sjis) {
    if (!doc || doc->BytesFinal()) return SjisToQString(sjis);
    return ToQString(doc->StandIns(), sjis);
}

QString DocumentText::ToQString(const StandInTable& standIns, std::string_view sjis) {
    if (standIns.Empty() || !HasAreaLeadByte(sjis)) return SjisToQString(sjis);
    return FromUnits(SjisToUtf16WithStandIns(sjis, standIns));
}

std::string DocumentText::FromQString(const QString& text, QString* lost) const {
    if (!UsesStandIns()) {
        if (lost) *lost = FirstWithoutCode(text);
        return QStringToSjis(text);
    }
    std::vector<CodeLoss> losses;
    std::string sjis = Utf16ToSjisWithStandIns(UnitsOf(text), m_doc->StandInsForNewText(),
                                               lost ? &losses : nullptr);
    if (lost) *lost = losses.empty() ? QString() : CharacterAt(text, losses.front().offset);
    return sjis;
}

QString DocumentText::FirstStandIn(std::string_view sjis) const {
    if (!UsesStandIns() || m_doc->StandIns().Empty() || !HasAreaLeadByte(sjis)) return {};
    for (std::size_t at = 0; at < sjis.size(); at = NextChar(sjis, at)) {
        if (CharLength(sjis, at) != 2) continue;
        char32_t ch = m_doc->StandIns().CharOf(CharCode(sjis, at));
        if (ch == 0) continue;
        if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ch = 0xFFFD;
        return QString::fromUcs4(&ch, 1);
    }
    return {};
}

QString DocumentText::Refusal(const QString& lost) const {
    if (UsesStandIns())
        return QStringLiteral(
                   "「%1」はシフトJISになく、代わりに使う外字の符号も残っていないため"
                   "使えません。")
            .arg(lost);
    return QStringLiteral("「%1」はシフトJISにない文字のため使えません。").arg(lost);
}

CodeShownAs DocumentText::ShownAs(const CQuillbayDoc& doc) {
    if (doc.BytesFinal() || doc.StandIns().Empty()) return {};
    const StandInTable* table = &doc.StandIns();
    return [table](unsigned code) -> char32_t {
        const char32_t ch = table->CharOf(code);
        if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return 0xFFFD;
        return ch;
    };
}

}  // namespace qb::gui
