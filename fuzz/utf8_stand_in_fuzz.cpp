// UTF-8 of any bytes through Shift-JIS with stand-ins and back: the same bytes, whatever they
// are, as the slow reference gives them; and converted in blocks cut at the piece ends, the same
// Shift-JIS as converted whole.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/stand_in_codec.h"
#include "tests/convert/stand_in_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    qb::StandInTable table;
    std::vector<qb::CodeLoss> losses;
    const std::string sjis = qb::Utf8ToSjisWithStandIns(input, table, &losses);
    if (!losses.empty() && !table.Full()) std::abort();  // only a full table loses

    qb::StandInTable referenceTable;
    std::size_t referenceLost = 0;
    if (sjis != qb::reference::Utf8ToSjis(input, referenceTable, referenceLost)) std::abort();
    if (referenceLost != losses.size()) std::abort();

    const std::string back = qb::SjisToUtf8WithStandIns(sjis, table, &losses);
    if (back != qb::reference::SjisToUtf8(sjis, table)) std::abort();
    if (losses.empty() && back != input) std::abort();

    // In blocks of a size taken from the input.
    const std::size_t block = 1 + (size ? data[0] % 13 : 0);
    qb::StandInTable blockTable;
    std::string blocks, carry;
    for (std::size_t at = 0; at < size; at += block) {
        const std::string piece = carry + std::string(input.substr(at, block));
        const std::size_t end = at + block < size ? qb::Utf8PieceEnd(piece) : piece.size();
        blocks += qb::Utf8ToSjisWithStandIns(std::string_view(piece).substr(0, end), blockTable);
        carry = piece.substr(end);
    }
    if (blocks != sjis) std::abort();
    return 0;
}
