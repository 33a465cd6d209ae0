#include "app/gui/help/help_window.h"

#include <QAction>
#include <QDir>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace qb::gui {

namespace {

class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource) return resource;
        const QString html = resource.userType() == QMetaType::QByteArray
                                 ? QString::fromUtf8(resource.toByteArray())
                                 : resource.toString();
        return WithNamedAnchors(html);
    }
};

}  // namespace

QString WithNamedAnchors(const QString& html) {
    static const QRegularExpression row(
        QStringLiteral(R"re((<tr\b[^>]*\bid="([^"]+)"[^>]*>\s*<t[dh]\b[^>]*>))re"));
    static const QRegularExpression element(
        QStringLiteral(R"re((<(?!tr\b)[A-Za-z][A-Za-z0-9]*\b[^>]*\bid="([^"]+)"[^>]*>))re"));
    QString out = html;
    out.replace(row, QStringLiteral(R"re(\1<a name="\2"></a>)re"));
    out.replace(element, QStringLiteral(R"re(\1<a name="\2"></a>)re"));
    return out;
}

HelpWindow::HelpWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent), m_folder(folder), m_browser(new HelpBrowser(this)) {
    // A window of its own beside the documents, not a dialog over them: the user reads and
    // works at the same time.
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("ヘルプ"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setSearchPaths({folder});
    // Links to other sites go to whatever the desktop has; the help's own links stay here.
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);
    AddActions();
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
    });
    resize(760, 640);
}

void HelpWindow::AddActions() {
    QToolBar* bar = addToolBar(QStringLiteral("ヘルプ"));
    bar->setObjectName(QStringLiteral("HelpBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this, bar](const char* name, const QString& caption, QKeySequence keys) {
        auto* action = bar->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    QAction* back = add("back", QStringLiteral("← 戻る"), QKeySequence::Back);
    QAction* forward = add("forward", QStringLiteral("進む →"), QKeySequence::Forward);
    bar->addSeparator();
    QAction* contents = add("contents", QStringLiteral("目次"), QKeySequence());
    QAction* keywords = add("keywords", QStringLiteral("キーワード索引"), QKeySequence());
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(contents, &QAction::triggered, this,
            [this] { ShowPage(QStringLiteral("index.html")); });
    connect(keywords, &QAction::triggered, this,
            [this] { ShowPage(QStringLiteral("keyword.html")); });
}

void HelpWindow::ShowPage(const QString& file) {
    QUrl url = QUrl::fromLocalFile(QDir(m_folder).filePath(file.section(QLatin1Char('#'), 0, 0)));
    if (file.contains(QLatin1Char('#'))) url.setFragment(file.section(QLatin1Char('#'), 1));
    m_browser->setSource(url);
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

}  // namespace qb::gui
