#include "app/gui/preview/preview_pane.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/common/qt_text.h"
#include "app/gui/common/screen_font.h"
#include "app/gui/dialogs/field_dialog.h"
#include "app/gui/preview/marked_lines.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

// How much of the document a preview copies: a few hundred lines are more than a pane shows,
// and little enough to run any command on in a few milliseconds.
constexpr std::size_t kSampleLines = 200;
constexpr std::size_t kSampleBytes = 256 * 1024;
constexpr std::size_t kSampleLineBytes = 64 * 1024;

// A change starts an update at once (after the other changes of the same moment); changes that
// follow it closer than this (typing) wait and make one update.
constexpr int kDelayMs = 15;

constexpr char kSection[] = "Preview";
constexpr char kShow[] = "Show";

QPlainTextEdit* MakeView(const QString& name, const QFont& font, QWidget* parent) {
    QPlainTextEdit* view = MakeLinesView(name, font, parent);
    // Room for a line of some 50 columns and 16 lines, so that a wrap or an indent shows
    // its effect without scrolling; a small screen still gets a dialog that fits.
    const QFontMetrics metrics = view->fontMetrics();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    view->setMinimumWidth(
        std::min(metrics.horizontalAdvance(QLatin1Char('0')) * 50, room.width() * 2 / 5));
    view->setMinimumHeight(std::min(metrics.lineSpacing() * 16, room.height() / 3));
    return view;
}

// The most columns a line of `lines` takes (Shift-JIS: one column a byte, tabs as they stand).
int WidestColumns(const std::vector<std::string>& lines) {
    std::size_t widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, line.size());
    return static_cast<int>(std::min<std::size_t>(widest, 1000));
}

// The width a view needs to show `columns` columns whole, beside its frame and scroll bar.
int WidthFor(const QPlainTextEdit* view, int columns) {
    const int column = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    return column * (columns + 1) + 2 * view->frameWidth() +
           view->verticalScrollBar()->sizeHint().width() +
           static_cast<int>(2 * view->document()->documentMargin());
}

// A message in place of the lines, wrapped to the pane so that it can be read whole.
void ShowMessageIn(QPlainTextEdit* view, const QString& message) {
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setPlainText(message);
}

QString Lines(const std::vector<std::string>& messages) {
    QStringList out;
    for (const auto& m : messages)
        out << Utf8ToQString(m);
    return out.join(QLatin1Char('\n'));
}

}  // namespace

// What a thread hands back to the window: plain copies.
struct PreviewPane::Outcome {
    std::vector<std::string> before;
    std::vector<std::string> after;
    LineChanges changes;
    std::vector<std::string> messages;
    bool ran = false;
};

PreviewPane::PreviewPane(const CommandInfo& info, const CQuillbayDoc& doc, AppContext& app,
                         ReadValues read, QWidget* parent)
    : QWidget(parent),
      m_info(info),
      m_doc(doc),
      m_app(app),
      m_read(std::move(read)),
      m_setting(std::make_shared<const PreviewSetting>(PreviewSetting::From(app))),
      m_target(doc.Target()),
      m_generation(std::make_shared<std::atomic<unsigned>>(0)) {
    setObjectName(QStringLiteral("preview"));
    m_pool.setMaxThreadCount(2);

    if (!PreviewsWholeDocument(info)) {
        auto sample = std::make_shared<PreviewSample>(
            TakePreviewSample(doc, kSampleLines, kSampleBytes, kSampleLineBytes));
        if (sample->more) m_note = QStringLiteral("対象行の先頭 %1 行").arg(sample->lines.size());
        if (sample->cut) m_note += QStringLiteral("（長い行は先頭だけ）");
        m_sample = std::move(sample);
    } else if (doc.LineCount() > static_cast<int>(kSampleLines)) {
        m_note = QStringLiteral("先頭 %1 行").arg(kSampleLines);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    m_on = new QCheckBox(QStringLiteral("プレビュー(&V)"), this);
    m_on->setObjectName(QStringLiteral("previewOn"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("previewStatus"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("previewCount"));
    top->addWidget(m_on);
    top->addWidget(m_status, 1);
    top->addWidget(m_count);
    layout->addLayout(top);

    m_panes = new QWidget(this);
    auto* sides = new QHBoxLayout(m_panes);
    sides->setContentsMargins(0, 0, 0, 0);
    const QFont font = ReadScreenFont(app.settings);
    m_beforeView = MakeView(QStringLiteral("previewBefore"), font, m_panes);
    m_afterView = MakeView(QStringLiteral("previewAfter"), font, m_panes);
    sides->addWidget(Framed(QStringLiteral("変更前"), m_beforeView, m_panes));
    sides->addWidget(Framed(QStringLiteral("変更後"), m_afterView, m_panes));
    layout->addWidget(m_panes, 1);
    // Both sides scroll together while their lines match one to one.
    connect(m_beforeView->verticalScrollBar(), &QScrollBar::valueChanged,
            m_afterView->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_afterView->verticalScrollBar(), &QScrollBar::valueChanged,
            m_beforeView->verticalScrollBar(), &QScrollBar::setValue);

    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer);
    connect(&m_delay, &QTimer::timeout, this, &PreviewPane::Start);

    const bool on = app.settings.ReadInt(kSection, kShow, 1) != 0;
    m_on->setChecked(on);
    SetOn(on);
    connect(m_on, &QCheckBox::toggled, this, [this](bool checked) {
        m_app.settings.WriteInt(kSection, kShow, checked ? 1 : 0);
        SetOn(checked);
    });
}

PreviewPane::~PreviewPane() {
    ++*m_generation;  // whatever runs stops at its next check
    m_pool.waitForDone();
}

void PreviewPane::SetOn(bool on) {
    m_panes->setVisible(on);
    m_status->setVisible(on);
    m_count->setVisible(on);
    if (on) {
        Schedule();
    } else {
        ++*m_generation;
        m_delay.stop();
    }
    if (QWidget* dialog = window(); dialog && dialog->isVisible()) dialog->adjustSize();
}

void PreviewPane::Schedule() {
    if (!m_on->isChecked()) return;
    ++*m_generation;  // what is under way was for the values before: it is not shown
    if (m_delay.isActive()) return;
    const bool quick = m_lastStart.isValid() && m_lastStart.elapsed() < kDelayMs;
    m_delay.start(quick ? kDelayMs : 0);
}

bool PreviewPane::Current(unsigned generation) const {
    return generation == m_generation->load();
}

void PreviewPane::ShowInstead(const QString& message) {
    ++*m_generation;  // no update under way is shown over it
    m_after.clear();
    ShowMarkedLines(m_beforeView, m_sample ? m_sample->lines : std::vector<std::string>{}, {},
                    QColor(), &m_doc);
    ShowMessageIn(m_afterView, message);
    m_status->setText(QString());
    m_count->setText(QString());
    Q_EMIT Updated();
}

void PreviewPane::Start() {
    m_lastStart.start();
    QString refusal;
    std::optional<std::vector<MacroValue>> values = m_read(&refusal);
    if (!values) {
        ShowInstead(refusal);
        return;
    }
    if (m_sample && m_sample->lines.empty()) {
        ShowInstead(QStringLiteral("対象行がありません。"));
        return;
    }
    const unsigned generation = ++*m_generation;
    const auto goOn = [counter = m_generation, generation] {
        return counter->load() == generation;
    };
    m_status->setText(QStringLiteral("計算中…"));
    if (m_info.reportsCount) m_count->setText(QStringLiteral("置換数: 計算中…"));

    const CommandInfo* info = &m_info;
    const LineList* lines = &m_doc.Lines();
    PreviewPane* self = this;  // alive until its threads are done: it waits for them
    m_pool.start([=, setting = m_setting, sample = m_sample] {
        auto outcome = std::make_shared<Outcome>();
        PreviewResult result;
        if (sample) {
            outcome->before = sample->lines;
            result = RunPreview(*info, *values, sample->lines, *setting, goOn);
        } else {
            // A sort's first lines may come from anywhere: it runs over a copy of every line.
            std::optional<std::vector<std::string>> all = CopyLines(*lines, goOn);
            if (!all) return;
            outcome->before.assign(all->begin(),
                                   all->begin() + std::min(all->size(), kSampleLines));
            result = RunPreview(*info, *values, *all, *setting, goOn);
            if (result.after.size() > kSampleLines) result.after.resize(kSampleLines);
        }
        if (result.stopped || !goOn()) return;
        outcome->after = std::move(result.after);
        outcome->messages = std::move(result.messages);
        outcome->ran = result.ran;
        outcome->changes = CompareSample(outcome->before, outcome->after);
        QMetaObject::invokeMethod(
            self, [self, generation, outcome] { self->ShowOutcome(generation, outcome); },
            Qt::QueuedConnection);
    });
    if (!m_info.reportsCount) return;
    const TargetState target = m_target;
    m_pool.start([=, setting = m_setting] {
        const std::optional<long long> count =
            CountOverLines(*info, *values, *lines, target, *setting, goOn);
        if (!count || !goOn()) return;
        QMetaObject::invokeMethod(
            self, [self, generation, count] { self->ShowCount(generation, *count); },
            Qt::QueuedConnection);
    });
}

void PreviewPane::ShowOutcome(unsigned generation, const std::shared_ptr<Outcome>& outcome) {
    if (!Current(generation)) return;
    m_before = outcome->before;
    if (!outcome->messages.empty() || !outcome->ran) {
        // The command refused these values (a malformed pattern, say): its words, no preview.
        m_after.clear();
        ShowMarkedLines(m_beforeView, m_before, {}, QColor(), &m_doc);
        ShowMessageIn(m_afterView, outcome->ran ? Lines(outcome->messages)
                                                : QStringLiteral("この値では何も行われません。"));
        m_status->setText(QString());
        Q_EMIT Updated();
        return;
    }
    m_after = outcome->after;
    const int before = m_beforeView->verticalScrollBar()->value();
    ShowMarkedLines(m_beforeView, m_before, outcome->changes.removed, RemovedColor(), &m_doc);
    m_afterView->setLineWrapMode(QPlainTextEdit::NoWrap);
    ShowMarkedLines(m_afterView, m_after, outcome->changes.added, AddedColor(), &m_doc);
    m_beforeView->verticalScrollBar()->setValue(before);
    FitWidth(WidestColumns(m_after));
    ScrollToFirstChange(outcome->changes);
    m_status->setText(m_note);
    Q_EMIT Updated();
}

// A change is the point of the preview: when none shows where the user left the panes (the
// first match of a replace far down, say), they move to the first one, a line above it in view.
void PreviewPane::ScrollToFirstChange(const LineChanges& changes) {
    const auto first = [](const std::vector<std::vector<ByteSpan>>& lines) {
        const auto it =
            std::find_if(lines.begin(), lines.end(),
                         [](const std::vector<ByteSpan>& spans) { return !spans.empty(); });
        return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
    };
    const bool removes = first(changes.removed) >= 0;
    QPlainTextEdit* view = removes ? m_beforeView : m_afterView;
    const int line = removes ? first(changes.removed) : first(changes.added);
    if (line < 0) return;
    // Sideways too, when the change lies outside the pane (a long line on a small screen); both
    // panes then show the same columns, to be compared. Once the views have laid the new lines
    // out: until then their scroll ranges are the old ones.
    const auto& spans = removes ? changes.removed[line] : changes.added[line];
    const int column = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int x = static_cast<int>(spans.front().start) * column;
    QTimer::singleShot(0, this, [this, view, x, column] {
        const int from = view->horizontalScrollBar()->value();
        if (x >= from && x < from + view->viewport()->width() - column) return;
        for (QPlainTextEdit* each : {m_beforeView, m_afterView})
            each->horizontalScrollBar()->setValue(std::max(0, x - 8 * column));
    });
    QScrollBar* bar = view->verticalScrollBar();
    const int shown = std::max(1, view->viewport()->height() / view->fontMetrics().lineSpacing());
    if (line >= bar->value() && line < bar->value() + shown) return;
    bar->setValue(std::max(0, line - 1));
}

// The lines after the command are the point of the preview: a wrap at 70 columns must show its
// 70 columns. The panes widen to the widest of them (never narrower than they are, so that the
// dialog does not jump while a value is typed), as far as the screen has room for both.
void PreviewPane::FitWidth(int columns) {
    const QScreen* screen = window() ? window()->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() : 1024;
    const int most = std::max(200, (room - 80) / 2);
    const int wanted = std::min(WidthFor(m_afterView, columns), most);
    if (wanted <= m_afterView->minimumWidth()) return;
    // Each pane grows by what it lacks; the dialog by both.
    const int grow = 2 * std::max(0, wanted - m_afterView->width());
    for (QPlainTextEdit* view : {m_beforeView, m_afterView})
        view->setMinimumWidth(wanted);
    QWidget* dialog = window();
    if (!dialog || !dialog->isVisible() || grow == 0) return;
    const int width = dialog->width() + grow;
    // Kept on the screen as it grows: moved left as far as it grows past the right edge.
    if (screen) {
        const QRect free = screen->availableGeometry();
        const int border = dialog->frameGeometry().width() - dialog->width();
        const int x = std::max(free.left(), std::min(dialog->x(), free.right() - width - border));
        dialog->move(x, dialog->y());
    }
    dialog->resize(width, dialog->height());
}

void PreviewPane::ShowCount(unsigned generation, long long count) {
    if (!Current(generation)) return;
    if (count < 0)
        m_count->setText(QString());
    else if (count == 0)
        m_count->setText(QStringLiteral("置換数: 0（文字列が見つかりません）"));
    else
        m_count->setText(QStringLiteral("置換数: %1").arg(count));
    Q_EMIT CountUpdated();
}

void AttachPreview(FieldDialog& dialog, const DialogRequest& request, AppContext& app,
                   std::function<std::vector<MacroValue>(const DialogValues&)> result) {
    if (!HasPreview(request.command)) return;
    FieldDialog* owner = &dialog;
    auto read = [owner, result = std::move(result)](
                    QString* refusal) -> std::optional<std::vector<MacroValue>> {
        const std::optional<DialogValues> values = owner->ReadNow(refusal);
        if (!values) return std::nullopt;
        return result(*values);
    };
    auto* pane = new PreviewPane(request.command, request.doc, app, std::move(read), &dialog);
    dialog.AddPane(pane);
    QObject::connect(&dialog, &FieldDialog::Edited, pane, &PreviewPane::Schedule);
}

}  // namespace qb::gui
