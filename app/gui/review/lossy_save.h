// The question before a save that would lose something without a word: bytes that do not read
// back as the same lines, bytes that are no Shift-JIS character (core/save_loss.h).
#pragma once

#include <QString>

namespace qb {
class CQuillbayDoc;
class IHost;
}  // namespace qb

namespace qb::gui {

// True when saving `doc` loses nothing, or when the user, told the first few places (line,
// column, character), chose to save all the same. `name` is how the document is called.
bool ConfirmLossySave(IHost& host, const CQuillbayDoc& doc, const QString& name);

}  // namespace qb::gui
