#include "app/gui/dialogs/shaping_dialogs.h"

#include "convert/width.h"

namespace qb::gui {

namespace {

// Columns and digit counts: what a line of the document can hold.
constexpr IntRule kColumn = IntRule::Positive16();

std::vector<FieldSpec> Fields(std::span<const FieldSpec> table) {
    return {table.begin(), table.end()};
}

constexpr FieldSpec kUstr[] = {
    NumberField("column", "埋め込み位置(&P):").Stored("UstrDlg", "Upos").Default(0).Rule(kColumn),
    TextField("text", "埋め込み文字(&S):").Stored("UstrDlg", "Ustr"),
};

constexpr FieldSpec kReno[] = {
    NumberField("column", "埋め込み位置(&P):")
        .Stored("RenoDlg", "RenoPos")
        .Default(1)
        .Rule(kColumn),
    NumberField("digits", "埋め込み桁数(&K):")
        .Stored("RenoDlg", "RenoKeta")
        .Default(0)
        .Rule(kColumn),
    NumberField("start", "初期値(&S):").Stored("RenoDlg", "RenoStart").Default(1),
    NumberField("step", "増分(&Z):").Stored("RenoDlg", "Zoubun").Default(1),
    CheckField("zeroSuppress", "先頭の0をスペースに変換(&H)").Stored("RenoDlg", "ZeroSup"),
};

constexpr FieldSpec kInsert[] = {
    NumberField("column", "埋め込み位置(&P):")
        .Stored("InsertDlg", "InsertPos")
        .Default(1)
        .Rule(kColumn),
    TextField("text", "挿入文字列(&S):").Stored("InsertDlg", "InsertStr"),
};

constexpr FieldSpec kDelpos[] = {
    NumberField("first", "削除開始桁(&S):").Stored("DelPos", "m_PosStart").Default(1).Rule(kColumn),
    NumberField("last", "削除終了桁(&E):").Stored("DelPos", "m_PosEnd").Default(1).Rule(kColumn),
};

constexpr FieldSpec kSpaceIns[] = {
    NumberField("column", "挿入する桁位置(&K):")
        .Stored("SpaceIns", "nKeta")
        .Default(1)
        .Rule(IntRule::NonNegative()),
    NumberField("count", "挿入する数(&N):")
        .Stored("SpaceIns", "nCount")
        .Default(1)
        .Rule(IntRule::NonNegative()),
    CheckField("overwrite", "上書き(&O)").Stored("SpaceIns", "bOverWrite"),
};

constexpr FieldSpec kOneline[] = {
    NumberField("count", "何行ごとに一行化しますか？")
        .Stored("Oneline", "nCount")
        .Default(2)
        .Rule(IntRule::NonNegativeRange(2, 65535)),
};

constexpr FieldSpec kTurnIf[] = {
    TextField("text", "改行する文字(&S):").Stored("TurnIf", "TurnStr"),
    CheckField("replace", "置換(&R)").Stored("TurnIf", "bReplace"),
};

constexpr FieldSpec kTabIf[] = {
    TextField("text", "TABにする文字(&S):").Stored("TabIf", "TabStr"),
    CheckField("replace", "置換(&R)").Stored("TabIf", "bReplace"),
};

constexpr FieldSpec kTab[] = {
    NumberField("width", "タブ文字数を何文字にしますか？")
        .Stored("TabDlg", "nTab")
        .Default(8)
        .Rule(IntRule::NonNegative()),
};

constexpr FieldSpec kSptocsv[] = {
    NumberField("first", "開始位置桁数(&S)")
        .Stored("SpToCsv", "nStart")
        .Rule(IntRule::NonNegative()),
    NumberField("last", "終了位置桁数(&E)").Stored("SpToCsv", "nEnd").Rule(IntRule::NonNegative()),
};

// "英数記号(&M)" is not remembered: it opens unchecked every time.
constexpr FieldSpec kZentohan[] = {
    CheckField("hiragana", "ひらがな(&H)").Stored("ZenToHan", "bHira"),
    CheckField("katakana", "カタカナ(&K)").Stored("ZenToHan", "bKata"),
    CheckField("digits", "数字(&N)").Stored("ZenToHan", "bNum"),
    CheckField("alphabet", "アルファベット(&A)").Stored("ZenToHan", "bAlpha"),
    CheckField("japaneseSymbols", "日本語記号(&O)").Stored("ZenToHan", "bOther"),
    CheckField("asciiSymbols", "英数記号(&M)"),
    CheckField("kanjiNumerals", "漢数字(&W)").Stored("ZenToHan", "bWasu"),
};

constexpr FieldSpec kHantozen[] = {
    CheckField("katakana", "カタカナ(&K)").Stored("HanToZen", "bKata"),
    CheckField("digits", "数字(&N)").Stored("HanToZen", "bNum"),
    CheckField("alphabet", "アルファベット(&A)").Stored("HanToZen", "bAlpha"),
    CheckField("japaneseSymbols", "日本語記号(&O)").Stored("HanToZen", "bOther"),
    CheckField("asciiSymbols", "英数記号(&M)"),
};

// The flags byte of the width conversions from the check boxes that exist in the dialog.
int KindMask(const DialogValues& v) {
    const struct {
        std::string_view key;
        unsigned flag;
    } kinds[] = {
        {"hiragana", WidthHiragana},
        {"katakana", WidthKatakana},
        {"digits", WidthDigits},
        {"alphabet", WidthAlphabet},
        {"japaneseSymbols", WidthJapaneseSymbols},
        {"asciiSymbols", WidthAsciiSymbols},
        {"kanjiNumerals", WidthKanjiNumerals},
    };
    unsigned mask = 0;
    for (const auto& k : kinds)
        if (v.Checked(k.key)) mask |= k.flag;
    return static_cast<int>(mask);
}

}  // namespace

CUstrDlg::CUstrDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("埋め込み文字"), Fields(kUstr), &settings, parent) {}

std::vector<MacroValue> CUstrDlg::Result() const {
    return PickValues(Values(), "nt", {"column", "text"});
}

CRenoDlg::CRenoDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("連番の埋め込み"), Fields(kReno), &settings, parent) {}

std::vector<MacroValue> CRenoDlg::Result() const {
    return PickValues(Values(), "nnnnn", {"step", "digits", "column", "start", "zeroSuppress"});
}

CInsertDlg::CInsertDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("文字列の挿入"), Fields(kInsert), &settings, parent) {}

std::vector<MacroValue> CInsertDlg::Result() const {
    return PickValues(Values(), "nt", {"column", "text"});
}

CDelposDlg::CDelposDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("指定桁の削除"), Fields(kDelpos), &settings, parent) {}

std::vector<MacroValue> CDelposDlg::Result() const {
    return PickValues(Values(), "nn", {"first", "last"});
}

CSpaceInsDlg::CSpaceInsDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("空白の挿入"), Fields(kSpaceIns), &settings, parent) {}

std::vector<MacroValue> CSpaceInsDlg::Result() const {
    return PickValues(Values(), "nnn", {"column", "count", "overwrite"});
}

COnelineDlg::COnelineDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("指定行の一行化"), Fields(kOneline), &settings, parent) {}

std::vector<MacroValue> COnelineDlg::Result() const {
    return PickValues(Values(), "n", {"count"});
}

CTurnIfDlg::CTurnIfDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("指定文字で改行"), Fields(kTurnIf), &settings, parent) {}

std::vector<MacroValue> CTurnIfDlg::Result() const {
    return PickValues(Values(), "tn", {"text", "replace"});
}

CTabIfDlg::CTabIfDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("指定文字をTABに"), Fields(kTabIf), &settings, parent) {}

std::vector<MacroValue> CTabIfDlg::Result() const {
    return PickValues(Values(), "tn", {"text", "replace"});
}

CTabDlg::CTabDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("タブ変換"), Fields(kTab), &settings, parent) {}

std::vector<MacroValue> CTabDlg::Result() const {
    return PickValues(Values(), "n", {"width"});
}

CSptocsvDlg::CSptocsvDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("スペース区切り→CSV"), Fields(kSptocsv), &settings, parent) {
    SetOkText(QStringLiteral("開始"));
}

std::vector<MacroValue> CSptocsvDlg::Result() const {
    return PickValues(Values(), "nn", {"first", "last"});
}

CZentohanDlg::CZentohanDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("全角→半角"), Fields(kZentohan), &settings, parent) {}

std::vector<MacroValue> CZentohanDlg::Result() const {
    return {MacroValue::Int(KindMask(Values()))};
}

CHantozenDlg::CHantozenDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("半角→全角"), Fields(kHantozen), &settings, parent) {}

std::vector<MacroValue> CHantozenDlg::Result() const {
    return {MacroValue::Int(KindMask(Values()))};
}

}  // namespace qb::gui
