#include "core/save_loss.h"

#include "convert/code_detect.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr unsigned char kCtrlZ = 0x1A;

bool IsTrail(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

}  // namespace

SaveLosses FindSaveLosses(const LineList& lines, std::size_t keep) {
    SaveLosses losses;
    const auto add = [&](std::size_t line, std::size_t at, SaveLoss::Kind kind, unsigned char b) {
        if (losses.first.size() < keep) losses.first.push_back({line, at + 1, kind, b});
        ++losses.count;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i].view();
        bool utf8 = false;
        bool utf8Known = false;
        for (std::size_t p = 0; p < line.size(); ++p) {
            const auto b = static_cast<unsigned char>(line[p]);
            if (b == '\n') {
                add(i, p, SaveLoss::LineFeed, b);
            } else if (b == kCtrlZ) {
                add(i, p, SaveLoss::CtrlZ, b);
            } else if (b == '\r' && p + 1 == line.size()) {
                add(i, p, SaveLoss::EndingCr, b);
            } else if (IsLeadByte(b)) {
                if (p + 1 < line.size() && IsTrail(static_cast<unsigned char>(line[p + 1]))) {
                    ++p;
                    continue;
                }
                if (!utf8Known) {
                    utf8 = IsValidUtf8(line);  // a lead byte is past ASCII: some UTF-8 character
                    utf8Known = true;
                }
                if (!utf8) add(i, p, SaveLoss::LoneLeadByte, b);
            }
        }
    }
    return losses;
}

}  // namespace qb
