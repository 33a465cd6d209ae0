#include "app/gui/review/conversion_loss.h"

#include <QTimer>
#include <memory>

#include "app/gui/common/qt_text.h"

namespace qb::gui {

void ConversionLosses::Add(const QString& name, const CodeLossReport& loss) {
    ++m_count;
    if (m_places.size() >= kNamed) return;
    m_places.push_back(QStringLiteral("  %1 %2 行 %3 桁目: %4（%5 にない文字）")
                           .arg(name)
                           .arg(loss.line + 1)
                           .arg(loss.column)
                           .arg(Utf8ToQString(loss.what))
                           .arg(Utf8ToQString(loss.into)));
}

QString ConversionLosses::Message() const {
    if (m_count == 0) return {};
    QString text = QStringLiteral(
                       "文字コードの変換で、変換先にない文字が %1 個ありました。"
                       "それらは「?」などに置き換わっています。\n\n")
                       .arg(m_count);
    for (const QString& place : m_places)
        text += place + QLatin1Char('\n');
    if (m_count > m_places.size())
        text += QStringLiteral("  ほか %1 個\n").arg(m_count - m_places.size());
    text += QStringLiteral("\n変換をやめるには「元に戻す」を使ってください。");
    return text;
}

void ConversionLosses::Clear() {
    m_places.clear();
    m_count = 0;
}

std::function<void(const CodeLossReport&)> ConversionLossReport(QObject& context,
                                                                DocumentNamer nameOf,
                                                                WarningSink warn) {
    // The document may be closed before the warning shows (a macro run over files), so its name
    // is taken when the loss is reported.
    auto losses = std::make_shared<ConversionLosses>();
    return [&context, losses, nameOf = std::move(nameOf),
            warn = std::move(warn)](const CodeLossReport& loss) {
        if (losses->Empty())
            QTimer::singleShot(0, &context, [losses, warn] {
                const QString message = losses->Message();
                losses->Clear();
                if (!message.isEmpty()) warn(message);
            });
        losses->Add(loss.document ? nameOf(*loss.document) : QStringLiteral("文書"), loss);
    };
}

}  // namespace qb::gui
