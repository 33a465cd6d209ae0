#include "app/gui/dialogs/line_dialogs.h"

#include <QCheckBox>
#include <QPushButton>

#include "core/quillbay_doc.h"

namespace qb::gui {

namespace {

std::vector<FieldSpec> Fields(std::span<const FieldSpec> table) {
    return {table.begin(), table.end()};
}

constexpr FieldSpec kSearchFields[] = {
    NumberField("first", "開始行(&S):"),
    NumberField("last", "終了行(&E):"),
    TextField("condition", "検索文字列(&W):").Suffix("を含む行"),
    CheckField("pattern", "正規表現(&R)").Stored("LineSelect", "RegExp"),
    NumberField("step", "何行毎？(&N):").Rule(IntRule::Positive16()),
};

constexpr char kSort[] = "SortDlg";
constexpr std::string_view kOrders[] = {"昇順", "降順"};

// One sort key on one row: order, first column "桁～" last column "桁", numeric check box; the
// keys after the first are enabled by the check box that begins their row.
constexpr FieldSpec SortOrder(std::string_view key, std::string_view name,
                              std::string_view enabledBy) {
    const FieldSpec f = ChoiceField(key, {}, kOrders).Stored(kSort, name);
    return enabledBy.empty() ? f : f.SameRow().EnabledBy(enabledBy);
}
constexpr FieldSpec SortPart(FieldSpec f, std::string_view name, std::string_view enabledBy) {
    f = f.Stored(kSort, name).SameRow();
    return enabledBy.empty() ? f : f.EnabledBy(enabledBy);
}

constexpr FieldSpec kSortFields[] = {
    SortOrder("mode1", "Mode1", {}),
    SortPart(NumberField("first1", {}).Default(1).Suffix("桁～"), "First1", {}),
    SortPart(NumberField("end1", {}).Default(1).Suffix("桁"), "End1", {}),
    SortPart(CheckField("numeric1", "数値"), "Num1", {}),
    CheckField("second", "第二条件(&W):").Stored(kSort, "Second"),
    SortOrder("mode2", "Mode2", "second"),
    SortPart(NumberField("first2", {}).Default(1).Suffix("桁～"), "First2", "second"),
    SortPart(NumberField("end2", {}).Default(1).Suffix("桁"), "End2", "second"),
    SortPart(CheckField("numeric2", "数値"), "Num2", "second"),
    // Only a second key can have a third after it.
    CheckField("third", "第三条件(&T):")
        .Stored(kSort, "Third")
        .EnabledBy("second")
        .ClearedWhenDisabled(),
    SortOrder("mode3", "Mode3", "third"),
    SortPart(NumberField("first3", {}).Default(1).Suffix("桁～"), "First3", "third"),
    SortPart(NumberField("end3", {}).Default(1).Suffix("桁"), "End3", "third"),
    SortPart(CheckField("numeric3", "数値"), "Num3", "third"),
};

constexpr char kDup[] = "CDupLineDelDlg";
constexpr FieldSpec kDupFields[] = {
    CheckField("partial", "行の一部を比較する(&K)").Stored(kDup, "Keta"),
    NumberField("first", "比較開始桁(&S)")
        .Stored(kDup, "Start")
        .Default(1)
        .Rule(IntRule::NonNegative())
        .EnabledBy("partial"),
    NumberField("last", "比較終了桁(&E)")
        .Stored(kDup, "End")
        .Default(1)
        .Rule(IntRule::NonNegative())
        .EnabledBy("partial"),
    CheckField("sorted", "整列済みデータと仮定する(&D)").Stored(kDup, "Sort"),
};

}  // namespace

CSearchDlg::CSearchDlg(const CQuillbayDoc& doc, SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("対象行指定"), Fields(kSearchFields), &settings, parent) {
    const TargetState& target = doc.Target();
    DialogValues values;
    values.SetInt("first", target.firstLine);
    values.SetInt("last", target.lastLine);
    values.SetText("condition", target.condition);
    values.SetInt("pattern", target.pattern ? 1 : 0);
    values.SetInt("step", target.lineStep);
    ShowValues(values);

    const int lineCount = doc.LineCount();
    connect(AddButton(QStringLiteral("全行(&A)"), QStringLiteral("allLines")),
            &QPushButton::clicked, this, [this, lineCount] {
                DialogValues all = Values();
                all.SetInt("first", 1);
                all.SetInt("last", lineCount);
                all.SetInt("step", 1);
                all.SetText("condition", {});
                all.SetInt("pattern", static_cast<QCheckBox*>(Control("pattern"))->isChecked());
                ShowValues(all);
            });
}

std::vector<MacroValue> CSearchDlg::Result() const {
    return PickValues(Values(), "ntnnn", {"step", "condition", "first", "last", "pattern"});
}

CSortDlg::CSortDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("整列"), Fields(kSortFields), &settings, parent) {}

std::vector<MacroValue> CSortDlg::Result() const {
    const DialogValues& v = Values();
    std::vector<MacroValue> keys = PickValues(v, "nnnn", {"mode1", "first1", "end1", "numeric1"});
    const auto add = [&](std::vector<MacroValue> key) {
        keys.insert(keys.end(), key.begin(), key.end());
    };
    if (v.Checked("second")) add(PickValues(v, "nnnn", {"mode2", "first2", "end2", "numeric2"}));
    if (v.Checked("second") && v.Checked("third"))
        add(PickValues(v, "nnnn", {"mode3", "first3", "end3", "numeric3"}));
    return keys;
}

CDupLineDelDlg::CDupLineDelDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("重複行削除"), Fields(kDupFields), &settings, parent) {}

std::vector<MacroValue> CDupLineDelDlg::Result() const {
    return PickValues(Values(), "nnnn", {"partial", "first", "last", "sorted"});
}

}  // namespace qb::gui
