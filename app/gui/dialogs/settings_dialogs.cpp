#include "app/gui/dialogs/settings_dialogs.h"

#include <QPushButton>

#include "app/gui/common/row_spacing.h"

#include "core/app_context.h"
#include "settings/settings_store.h"
#include "shape/kinsoku_settings.h"

namespace qb::gui {

namespace {

std::vector<FieldSpec> Fields(std::span<const FieldSpec> table) {
    return {table.begin(), table.end()};
}

// The positions of the entries are the stored numbers.
constexpr std::string_view kKana[] = {"シフト方式を使う", "ｴｽｹｰﾌﾟｼｰｹﾝｽを使う",
                                      "ｴﾝｺｰﾄﾞしない(8bitJIS)"};
constexpr std::string_view kJis[] = {"JIS C 6226-1978(旧JIS) <ESC>$@",
                                     "JIS X 0208-1983(新JIS) <ESC>$B",
                                     "JIS X 0208-1990 <ESC>$@<ESC>$B", "JIS X 0212-1990 <ESC>$(D"};
// 0 writes the line ends the file came with (CR LF for a new document).
constexpr std::string_view kLineEnds[] = {"ファイルのまま", "Macintosh用(CR)", "UNIX用(LF)"};
constexpr std::string_view kUpdateChecks[] = {"しない", "起動時常に行う", "一日おきに行う",
                                              "一週間おきに行う"};
constexpr std::string_view kEnglishModes[] = {"通常処理", "次の行へ", "ハイフネーション"};

constexpr char kJisGroup[] = "JIS出力時(&J)";
constexpr FieldSpec kSetFields[] = {
    RadioField("kana", "半角かな(&K)", kKana).Stored("Jis", "Kana").InGroup(kJisGroup),
    RadioField("jis", "2バイト文字(&B)", kJis).Stored("Jis", "Jis").Default(1).InGroup(kJisGroup),
    CheckField("verify", "確認を行う(&A)").Stored("System", "Verify").Default(1),
    CheckField("auto", "文字コード自動変換(&S)").Stored("System", "Auto").Default(1),
    NumberField("lineSpacing", "行間(&G):")
        .Stored("View", "LineSpacing")
        .Default(kDefaultLineSpacing)
        .Rule(IntRule::Range(0, 100))
        .Suffix("% (文字の高さに対して)"),
    ChoiceField("lineEnd", "出力改行コード(&O)", kLineEnds).Stored("System", "CrLf"),
    // Off: Save writes Shift-JIS, whatever code the file was read in.
    CheckField("keepCode", "保存時に元の文字コードを保つ(&C)")
        .Stored("System", "KeepCode")
        .Default(1),
    PathField("macroDir", "マクロを置くフォルダ(&M):")
        .Stored("Macro", "Dir")
        .Browsing(Browse::Folder, "参照(&R)", "マクロを置くフォルダを指定してください"),
    ChoiceField("updateCheck", "自動更新チェック間隔(&X):", kUpdateChecks)
        .Stored("Update", "CheckMode"),
};

// Shown from and written to the application's copy, not field by field.
constexpr FieldSpec kKinsokuFields[] = {
    CheckField("hanging", "ぶらさげ処理(&B)"),
    TextField("lineStart", "最初に来てはいけない文字(&F)").EnabledBy("hanging"),
    CheckField("pushOut", "追い出し処理(&O)"),
    TextField("lineEnd", "最後に来てはいけない文字(&L)").EnabledBy("pushOut"),
    CheckField("tagRule", "タグ中の改行禁止(&T)"),
    ChoiceField("english", "英単語折返方法(&T)", kEnglishModes),
};

constexpr FieldSpec kEditorFields[] = {
    PathField("editor", "使用するエディタを設定してください")
        .Stored("System", "Editor")
        .DefaultText("notepad.exe")
        .Browsing(Browse::File, "参照(&B)...", "エディタの設定"),
};

}  // namespace

CSetDlg::CSetDlg(AppContext& app, QWidget* parent)
    : FieldDialog(QStringLiteral("設定"), Fields(kSetFields), &app.settings, parent) {
    auto* kinsoku = new QPushButton(QStringLiteral("折り返し時の禁則処理..."), this);
    kinsoku->setObjectName(QStringLiteral("kinsoku"));
    connect(kinsoku, &QPushButton::clicked, this, [this, &app] {
        CKinsokuDlg dialog(app, this);
        dialog.exec();
    });
    AddRow(kinsoku);
}

CKinsokuDlg::CKinsokuDlg(AppContext& app, QWidget* parent)
    : FieldDialog(QStringLiteral("禁則処理"), Fields(kKinsokuFields), &app.settings, parent),
      m_app(app) {
    if (!app.kinsoku) app.kinsoku = LoadKinsokuSettings(app.settings);
    const KinsokuSettings& k = *app.kinsoku;
    DialogValues values;
    values.SetInt("hanging", k.hanging);
    values.SetText("lineStart", k.lineStart);
    values.SetInt("pushOut", k.pushOut);
    values.SetText("lineEnd", k.lineEnd);
    values.SetInt("tagRule", k.tagRule);
    // A mode no entry has (a hand-edited file) shows as the dialog's own default.
    values.SetInt("english", k.englishMode >= 0 && k.englishMode <= 2 ? k.englishMode : 1);
    ShowValues(values);
}

void CKinsokuDlg::StoreMore(const DialogValues& values) {
    KinsokuSettings k;
    k.hanging = values.Checked("hanging");
    k.lineStart = values.Text("lineStart");
    k.pushOut = values.Checked("pushOut");
    k.lineEnd = values.Text("lineEnd");
    k.tagRule = values.Checked("tagRule");
    k.englishMode = values.Int("english");
    m_app.kinsoku = k;
    SaveKinsokuSettings(m_app.settings, k);
}

CEditorDlg::CEditorDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("エディタの設定"), Fields(kEditorFields), &settings, parent) {}

}  // namespace qb::gui
