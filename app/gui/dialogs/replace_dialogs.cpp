#include "app/gui/dialogs/replace_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/gui/common/qt_text.h"
#include "convert/sjis.h"

namespace qb::gui {

namespace {

constexpr char kReplace[] = "Replace";
constexpr char kDelStr[] = "DeleleStr";  // spelled so in every stored settings file

std::vector<FieldSpec> Fields(std::span<const FieldSpec> table) {
    return {table.begin(), table.end()};
}

// The four comparison checks; a pattern compares only by case, so width and kana are off then.
constexpr FieldSpec CompareChecks(std::string_view section, std::string_view key,
                                  std::string_view label, std::string_view name, bool byPattern) {
    const FieldSpec f = CheckField(key, label).Stored(section, name);
    return byPattern ? f.EnabledBy("regExp", false) : f;
}

constexpr FieldSpec kReplaceFields[] = {
    ComboField("search", "検索文字列(&S):").Stored(kReplace, "SearchStr"),
    ComboField("replacement", "置換文字列(&R):").Stored(kReplace, "RepStr"),
    CompareChecks(kReplace, "width", "全角半角を区別しない(&Z)", "bZenhan", true),
    CompareChecks(kReplace, "case", "大文字小文字を区別しない(&U)", "bUplow", false),
    CompareChecks(kReplace, "kana", "カタカナひらがなを区別しない(&K)", "bHira", true),
    CheckField("regExp", "正規表現(&R)").Stored(kReplace, "bRegExp"),
};

constexpr FieldSpec kDelStrFields[] = {
    ComboField("search", "削除文字列(&S):").Stored(kDelStr, "SearchStr"),
    CompareChecks(kDelStr, "width", "全角半角を区別しない(&Z)", "bZenhan", true),
    CompareChecks(kDelStr, "case", "大文字小文字を区別しない(&U)", "bUplow", false),
    CompareChecks(kDelStr, "kana", "カタカナひらがなを区別しない(&K)", "bHira", true),
    CheckField("regExp", "正規表現(&R)").Stored(kDelStr, "bRegExp"),
};

constexpr FieldSpec kSReplaceFields[] = {
    TextField("start", "検索開始文字列(&S):").Stored("SReplace", "StartStr"),
    TextField("end", "検索終了文字列(&E):").Stored("SReplace", "EndStr"),
    TextField("replacement", "置換後文字列(&A):").Stored("SReplace", "AfterStr"),
};

constexpr FieldSpec kReplaceDoubleFields[] = {
    TextField("start", "開始文字列(&S):"),
    TextField("startReplacement", "開始文字列の置換後(&T):"),
    TextField("end", "終了文字列(&N):"),
    TextField("endReplacement", "終了文字列の置換後(&D):"),
    TextField("escape", "エスケープシーケンス文字(&E):"),
};

constexpr char kMultiReplace[] = "MultiReplace";
constexpr FieldSpec kMultiReplaceFields[] = {
    PathField("folder", "対象フォルダ(&D):")
        .Stored(kMultiReplace, "Dir")
        .Browsing(Browse::Folder, "参照(&B)", "対象フォルダ"),
    PathField("pattern", "対象ファイル(&F):").Stored(kMultiReplace, "File"),
    TextField("find", "検索語(&K):").Stored(kMultiReplace, "Find"),
    TextField("replacement", "置換語(&R):").Stored(kMultiReplace, "Replace"),
};

int CompareFlags(const DialogValues& v) {
    return (v.Checked("width") ? 1 : 0) | (v.Checked("case") ? 2 : 0) | (v.Checked("kana") ? 4 : 0);
}

void FillDropDown(QWidget* control, const std::vector<std::string>& entries) {
    auto* combo = static_cast<QComboBox*>(control);
    const QString edit = combo->currentText();
    for (const auto& entry : entries)
        combo->addItem(SjisToQString(entry));
    combo->setEditText(edit);
}

}  // namespace

CReplaceDlg::CReplaceDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("置換"), Fields(kReplaceFields), &settings, parent),
      m_searches(ReplaceHistory::Load(settings, kReplace, "Search")),
      m_replacements(ReplaceHistory::Load(settings, kReplace, "Replace")) {
    // Both fields start with the most recent entry of their history.
    DialogValues values = Values();
    values.SetText("search", m_searches.Entries().front());
    values.SetText("replacement", m_replacements.Entries().front());
    ShowValues(values);
    FillDropDown(Control("search"), m_searches.Shown());
    FillDropDown(Control("replacement"), m_replacements.Shown());
}

void CReplaceDlg::StoreMore(const DialogValues& values) {
    // A text holding a stand-in stays out of the history, which every document offers.
    if (!HoldsStandIn(values.Text("search"))) m_searches.Use(values.Text("search"));
    m_searches.Store(*Settings(), kReplace, "Search");
    if (!HoldsStandIn(values.Text("replacement"))) m_replacements.Use(values.Text("replacement"));
    m_replacements.Store(*Settings(), kReplace, "Replace");
}

std::vector<MacroValue> CReplaceDlg::Result() const {
    const DialogValues& v = Values();
    return {MacroValue::Text(v.Text("search")), MacroValue::Text(v.Text("replacement")),
            MacroValue::Int(CompareFlags(v)), MacroValue::Int(v.Checked("regExp") ? 1 : 0)};
}

CDelStrDlg::CDelStrDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("指定文字の削除"), Fields(kDelStrFields), &settings, parent),
      m_history(DelStrHistory::Load(settings, kDelStr, "Search")) {
    FillDropDown(Control("search"), m_history.Shown());
}

void CDelStrDlg::StoreMore(const DialogValues& values) {
    if (HoldsStandIn(values.Text("search"))) return;  // see CReplaceDlg::StoreMore
    m_history.Use(values.Text("search"));
    m_history.Store(*Settings(), kDelStr, "Search");
}

std::vector<MacroValue> CDelStrDlg::Result() const {
    const DialogValues& v = Values();
    return {MacroValue::Text(v.Text("search")), MacroValue::Int(CompareFlags(v)),
            MacroValue::Int(v.Checked("regExp") ? 1 : 0)};
}

CSReplaceDlg::CSReplaceDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("複雑な置換"), Fields(kSReplaceFields), &settings, parent) {}

std::vector<MacroValue> CSReplaceDlg::Result() const {
    return PickValues(Values(), "ttt", {"start", "end", "replacement"});
}

CReplaceDoubleDlg::CReplaceDoubleDlg(QWidget* parent)
    : FieldDialog(QStringLiteral("囲み文字の置換"), Fields(kReplaceDoubleFields), nullptr, parent) {
}

bool CReplaceDoubleDlg::CheckValues(const DialogValues& values) {
    const std::string& escape = values.Text("escape");
    if (escape.empty() || NextChar(escape, 0) == escape.size()) return true;
    RefuseField(this, Control("escape"),
                QStringLiteral("エスケープシーケンス文字は1文字までです。"));
    return false;
}

std::vector<MacroValue> CReplaceDoubleDlg::Result() const {
    return PickValues(Values(), "ttttt",
                      {"start", "startReplacement", "end", "endReplacement", "escape"});
}

CMultiReplaceDlg::CMultiReplaceDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("複数ファイル置換"), Fields(kMultiReplaceFields), &settings,
                  parent) {
    DialogValues values = Values();
    if (values.Text("folder").empty())
        values.SetText("folder", QStringToUtf8(QDir::toNativeSeparators(QDir::currentPath())));
    if (values.Text("pattern").empty()) values.SetText("pattern", "*.txt");
    ShowValues(values);
}

std::vector<MacroValue> CMultiReplaceDlg::Result() const {
    return PickValues(Values(), "tttt", {"folder", "pattern", "find", "replacement"});
}

MultiReplaceReport::MultiReplaceReport(int filesChanged, int replacements, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("置換終了"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("置換を終了しました"), this));
    auto* form = new QFormLayout;
    const auto addCount = [&](const char* key, const QString& label, int count) {
        auto* field = new QLineEdit(QString::number(count), this);
        field->setObjectName(QString::fromLatin1(key));
        field->setReadOnly(true);
        form->addRow(label, field);
    };
    addCount("filesChanged", QStringLiteral("置換ファイル数"), filesChanged);
    addCount("replacements", QStringLiteral("置換語数"), replacements);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

}  // namespace qb::gui
