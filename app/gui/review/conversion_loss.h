// Tells the user which characters a code conversion could not carry over (they became '?', '・'
// or another character), so that no conversion in the window loses a character without a word.
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

#include "core/app_context.h"

namespace qb::gui {

// The losses of one burst of work (a command, an open, a macro run), with the first few named.
class ConversionLosses {
public:
    static constexpr std::size_t kNamed = 5;

    // `name` is how the report calls the document the loss is in.
    void Add(const QString& name, const CodeLossReport& loss);
    bool Empty() const { return m_count == 0; }
    // The warning that names the first places and counts the rest; empty when nothing was lost.
    QString Message() const;
    void Clear();

private:
    std::vector<QString> m_places;
    std::size_t m_count = 0;
};

// How a report calls a document.
using DocumentNamer = std::function<QString(const CQuillbayDoc& doc)>;
using WarningSink = std::function<void(const QString& warning)>;

// A receiver for AppContext::codeLoss that makes the code conversions report what they lose:
// once the work that lost characters returns to the event loop, `warn` gets one warning that
// names the first places (the conversion stays, and "元に戻す" takes it back). No warning comes
// after `context` (the main window) is gone.
[[nodiscard]] std::function<void(const CodeLossReport&)> ConversionLossReport(QObject& context,
                                                                              DocumentNamer nameOf,
                                                                              WarningSink warn);

}  // namespace qb::gui
