#include "app/gui/review/multi_file_review.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <thread>

#include "app/gui/common/qt_text.h"
#include "app/gui/common/screen_font.h"
#include "app/gui/dialogs/command_ui.h"
#include "app/gui/preview/marked_lines.h"
#include "core/app_context.h"
#include "core/quillbay_doc.h"
#include "macro/view_command.h"

namespace qb::gui {

namespace {

// Changed lines shown for one file: enough to judge it, few enough to show at once.
constexpr std::size_t kShownChanges = 2000;

QString CodeName(CodeKind code) {
    static const char* const kNames[] = {"シフトJIS", "JIS", "EUC", "UTF8", "ASCII", "不明"};
    const int i = static_cast<int>(code);
    return QString::fromUtf8(i >= 0 && i < 6 ? kNames[i] : "不明");
}

// "    12: " before a changed line; the rows a replacement adds to it get blanks instead.
std::string LinePrefix(long line, bool first) {
    std::string number = first ? std::to_string(line) : std::string();
    std::string prefix(number.size() < 6 ? 6 - number.size() : 0, ' ');
    return prefix + number + (first ? ": " : "  ");
}

// The rows a changed line becomes: a replacement holding CR LF breaks it (an empty line stays
// one empty row).
std::vector<std::string> PiecesOf(std::string_view text) {
    std::vector<std::string> pieces;
    for (std::size_t at; (at = text.find("\r\n")) != std::string_view::npos;) {
        pieces.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 2);
    }
    pieces.emplace_back(text);
    return pieces;
}

std::vector<ByteSpan> Shifted(const std::vector<ByteSpan>& spans, std::size_t by) {
    std::vector<ByteSpan> out;
    for (const ByteSpan& s : spans)
        out.push_back({s.start + by, s.length});
    return out;
}

}  // namespace

MultiFileReview::MultiFileReview(const MultiFileResult& preview, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("置換の確認"));
    auto* layout = new QVBoxLayout(this);
    // Files not read apart from those read and left alone (too many characters Shift-JIS lacks,
    // other names, a link): each is counted as what it is.
    int unreadable = 0, leftAlone = 0;
    for (const MultiFileEntry& entry : preview.files) {
        if (entry.status == MultiFileEntry::Replaced) m_entries.push_back(&entry);
        if (entry.unread)
            ++unreadable;
        else if (entry.status == MultiFileEntry::Failed || entry.status == MultiFileEntry::Skipped)
            ++leftAlone;
    }
    QString intro = QStringLiteral(
                        "次の %1 個のファイルで %2 個の置換を行います。"
                        "置換しないファイルはチェックを外してください。")
                        .arg(preview.filesChanged)
                        .arg(preview.replacements);
    if (unreadable > 0)
        intro += QStringLiteral("\n読めなかったファイル %1 個は置換しません。").arg(unreadable);
    if (leftAlone > 0)
        intro +=
            QStringLiteral("\n置換できずにそのままにするファイル %1 個があります。").arg(leftAlone);
    if (preview.subfolders > 0)
        intro += QStringLiteral("\nサブフォルダ %1 個は検索しません。").arg(preview.subfolders);
    auto* label = new QLabel(intro, this);
    label->setObjectName(QStringLiteral("reviewIntro"));
    label->setWordWrap(true);
    layout->addWidget(label);

    m_files = new QTreeWidget(this);
    m_files->setObjectName(QStringLiteral("reviewFiles"));
    m_files->setRootIsDecorated(false);
    m_files->setHeaderLabels(
        {QStringLiteral("ファイル"), QStringLiteral("コード"), QStringLiteral("置換数")});
    for (const MultiFileEntry* entry : m_entries) {
        auto* item = new QTreeWidgetItem(m_files);
        item->setText(0, Utf8ToQString(entry->name));
        item->setText(1, CodeName(entry->code));
        item->setText(2, QString::number(entry->replacements));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
    }
    m_files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_files->header()->setStretchLastSection(false);

    auto* sides = new QWidget(this);
    auto* row = new QHBoxLayout(sides);
    row->setContentsMargins(0, 0, 0, 0);
    const QFont font = ReadScreenFont(SettingsStore());
    m_before = MakeLinesView(QStringLiteral("reviewBefore"), font, sides);
    m_after = MakeLinesView(QStringLiteral("reviewAfter"), font, sides);
    row->addWidget(Framed(QStringLiteral("変更前"), m_before, sides));
    row->addWidget(Framed(QStringLiteral("変更後"), m_after, sides));

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_files);
    split->addWidget(sides);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    QPushButton* run = buttons->button(QDialogButtonBox::Ok);
    run->setText(QStringLiteral("置換を実行"));
    run->setObjectName(QStringLiteral("reviewRun"));
    m_run = run;
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_files, &QTreeWidget::currentItemChanged, this, &MultiFileReview::ShowChanges);
    connect(m_files, &QTreeWidget::itemChanged, this, &MultiFileReview::UpdateRunButton);
    if (m_files->topLevelItemCount() > 0) m_files->setCurrentItem(m_files->topLevelItem(0));
    resize(900, 600);
}

std::vector<std::string> MultiFileReview::Chosen() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_files->topLevelItemCount(); ++i)
        if (m_files->topLevelItem(i)->checkState(0) == Qt::Checked)
            names.push_back(m_entries[static_cast<std::size_t>(i)]->name);
    return names;
}

void MultiFileReview::UpdateRunButton() {
    m_run->setEnabled(!Chosen().empty());
}

void MultiFileReview::ShowChanges() {
    const int row = m_files->indexOfTopLevelItem(m_files->currentItem());
    if (row < 0) return;
    const MultiFileEntry& entry = *m_entries[static_cast<std::size_t>(row)];
    const std::vector<MultiFileLineChange>& changes = entry.changes;
    std::vector<std::string> before, after;
    std::vector<std::vector<ByteSpan>> removed, added;
    const std::size_t shown = std::min(changes.size(), kShownChanges);
    for (std::size_t i = 0; i < shown; ++i) {
        const MultiFileLineChange& change = changes[i];
        const std::vector<std::string> pieces = PiecesOf(change.after);
        const LineChanges marks = CompareLines(
            {change.before}, std::vector<std::string_view>(pieces.begin(), pieces.end()));
        const std::string prefix = LinePrefix(change.line, true);
        before.push_back(prefix + change.before);
        removed.push_back(Shifted(marks.removed[0], prefix.size()));
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const std::string rowPrefix = LinePrefix(change.line, k == 0);
            after.push_back(rowPrefix + pieces[k]);
            added.push_back(Shifted(marks.added[k], rowPrefix.size()));
        }
    }
    if (changes.size() > shown) {
        const std::string more = "... (" + std::to_string(changes.size() - shown) + ")";
        before.push_back(more);
        after.push_back(more);
    }
    ShowMarkedLines(m_before, before, removed, RemovedColor(), entry.standIns);
    ShowMarkedLines(m_after, after, added, AddedColor(), entry.standIns);
}

void RunReviewedMultiFileReplace(CQuillbayDoc& doc, GuiCommandUi& ui, const AppContext& app,
                                 QWidget* parent) {
    const CommandInfo* info = FindCommand(kCommandMultiFileReplace);
    if (!info) return;
    const ViewInvocation inv = PrepareViewCommand(*info, doc, ui);
    if (inv.outcome != CommandOutcome::Done) return;
    const std::string& folder = inv.args.Text(0);
    const std::string& pattern = inv.args.Text(1);
    const std::string& find = inv.args.Text(2);
    const std::string& replacement = inv.args.Text(3);

    MultiFileReplaceOptions options;
    options.jis = app.jisEncoder;
    options.progress = app.fileProgress;
    // The files are read and replaced on every core; the progress dialog still goes file by
    // file, and so does writing.
    options.workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    options.dryRun = true;
    const MultiFileResult preview =
        MultiFileReplace(app.host, folder, pattern, find, replacement, options);
    if (preview.stopped) return;  // a review of some of the files would mislead
    std::vector<std::string> chosen;
    if (preview.filesChanged > 0) {
        MultiFileReview review(preview, parent);
        if (review.exec() != QDialog::Accepted) return;  // nothing written, nothing recorded
        chosen = review.Chosen();
    }
    app.Record(inv.line);
    int files = 0, replacements = 0;
    if (!chosen.empty()) {
        options.dryRun = false;
        options.only = &chosen;
        const MultiFileResult done =
            MultiFileReplace(app.host, folder, pattern, find, replacement, options);
        files = done.filesChanged;
        replacements = done.replacements;
    }
    ui.ShowMultiReplaceReport(files, replacements);
}

}  // namespace qb::gui
