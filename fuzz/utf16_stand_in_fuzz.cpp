// UTF-16 of any bytes, in both byte orders, through Shift-JIS with stand-ins and back: the same
// bytes, odd lengths, lone surrogates and zero units included, and the same Shift-JIS as the slow
// reference gives for the units.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/stand_in_codec.h"
#include "tests/convert/stand_in_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const bool bigEndian : {false, true}) {
        qb::StandInTable table;
        std::vector<qb::CodeLoss> losses;
        const std::string sjis = qb::Utf16ToSjisWithStandIns(input, bigEndian, table, &losses);
        if (!losses.empty() && !table.Full()) std::abort();  // only a full table loses
        const std::string back = qb::SjisToUtf16WithStandIns(sjis, bigEndian, table, &losses);
        if (losses.empty() && back != input) std::abort();

        std::u16string units;
        for (std::size_t k = 0; k + 1 < size; k += 2)
            units += static_cast<char16_t>(bigEndian ? data[k] << 8 | data[k + 1]
                                                     : data[k + 1] << 8 | data[k]);
        qb::StandInTable unitTable, referenceTable;
        std::size_t referenceLost = 0;
        const std::string fromUnits = qb::Utf16ToSjisWithStandIns(units, unitTable);
        if (fromUnits != qb::reference::Utf16ToSjis(units, referenceTable, referenceLost))
            std::abort();
        const std::u16string unitsBack = qb::SjisToUtf16WithStandIns(fromUnits, unitTable);
        if (unitsBack != qb::reference::SjisToUtf16(fromUnits, referenceTable)) std::abort();
        if (referenceLost == 0 && unitsBack != units) std::abort();
    }
    return 0;
}
