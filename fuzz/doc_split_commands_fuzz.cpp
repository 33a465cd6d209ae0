// The document commands that change the number of lines (UrlToSjis, UrleToSjis) and MimeToSjis,
// over random lines and target ranges: the range moves by exactly the lines added or removed,
// no decoding grows the text, and undo gives back every line.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_store.h"
#include "core/host.h"
#include "core/quillbay_doc.h"

namespace {

std::size_t TotalBytes(const qb::LineList& lines) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size();
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const unsigned control = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

    qb::SilentHost host;
    qb::SettingsStore settings;
    qb::AppContext app{host, settings};
    qb::CQuillbayDoc doc(app);
    qb::LineList lines;
    while (!text.empty()) {
        const auto lf = text.find('\n');
        lines.emplace_back(text.substr(0, lf));
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    }
    for (const auto& line : lines)
        doc.InsertEndLine(line.view());
    doc.Target().firstLine = data[1] % 8;
    doc.Target().lastLine = data[2] % 16;
    doc.Target().invert = control & 4;
    if (control & 8) doc.Target().condition = "=";

    const qb::LineList before = doc.Lines();
    const int lastBefore = doc.Target().lastLine;
    switch (control % 3) {
        case 0:
            doc.UrlToSjis();
            break;
        case 1:
            doc.UrleToSjis();
            break;
        default:
            doc.MimeToSjis();
            break;
    }
    const long long delta =
        static_cast<long long>(doc.LineCount()) - static_cast<long long>(before.size());
    if (control % 3 == 0 && delta < 0) std::abort();
    if (control % 3 == 1 && delta > 0) std::abort();
    if (control % 3 == 2 && delta != 0) std::abort();
    if (doc.Target().lastLine != lastBefore + delta) std::abort();
    if (TotalBytes(doc.Lines()) > TotalBytes(before)) std::abort();
    const qb::LineList after = doc.Lines();

    if (!doc.Undo() || doc.Lines() != before || doc.Target().lastLine != lastBefore) std::abort();
    if (!doc.Redo() || doc.Lines() != after) std::abort();
    return 0;
}
