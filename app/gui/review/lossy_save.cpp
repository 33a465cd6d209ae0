#include "app/gui/review/lossy_save.h"

#include "app/gui/common/qt_text.h"
#include "core/host.h"
#include "core/quillbay_doc.h"
#include "core/save_loss.h"

namespace qb::gui {

namespace {

// The places named in the question; the rest are counted.
constexpr std::size_t kNamed = 5;

QString Describe(const SaveLoss& loss) {
    const QString code = QStringLiteral("%1").arg(loss.byte, 2, 16, QLatin1Char('0')).toUpper();
    switch (loss.kind) {
        case SaveLoss::LineFeed:
            return QStringLiteral("改行文字 LF（%1）: 読み込むと行がここで分かれます").arg(code);
        case SaveLoss::CtrlZ:
            return QStringLiteral("Ctrl-Z（%1）: 読み込むとここから後が失われます").arg(code);
        case SaveLoss::EndingCr:
            return QStringLiteral("行末の CR（%1）: 読み込むと失われます").arg(code);
        case SaveLoss::LoneLeadByte:
            return QStringLiteral("2バイト目のない先行バイト（%1）: シフトJISの文字になりません")
                .arg(code);
    }
    return code;
}

}  // namespace

bool ConfirmLossySave(IHost& host, const CQuillbayDoc& doc, const QString& name) {
    const SaveLosses losses = FindSaveLosses(doc.Lines(), kNamed);
    if (losses.count == 0) return true;
    QString places;
    for (const SaveLoss& loss : losses.first)
        places += QStringLiteral("  %1 行 %2 桁目: %3\n")
                      .arg(loss.line + 1)
                      .arg(loss.column)
                      .arg(Describe(loss));
    if (losses.count > losses.first.size())
        places += QStringLiteral("  ほか %1 箇所\n").arg(losses.count - losses.first.size());
    const QString question =
        QStringLiteral(
            "%1 には、保存するとそのまま読み戻せない文字が %2 箇所あります。\n\n%3\n"
            "このまま保存しますか?")
            .arg(name)
            .arg(losses.count)
            .arg(places);
    return host.Confirm(QStringToUtf8(question));
}

}  // namespace qb::gui
