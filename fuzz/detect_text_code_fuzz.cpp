// The text form of code detection and the UTF-8 check on any bytes: fed in random pieces they
// decide as on the whole text.
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string_view>

#include "convert/code_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qb::CodeKind whole = qb::DetectTextCode(text);
    const bool valid = qb::IsValidUtf8(text);

    std::minstd_rand rng(static_cast<unsigned>(size) * 31 + 7);
    qb::CodeDetector detector(qb::CodeDetector::Form::Text);
    qb::Utf8Validator validator;
    for (std::size_t at = 0; at < size;) {
        const std::size_t piece = rng() % 12;
        detector.Feed(text.substr(at, piece));
        validator.Feed(text.substr(at, piece));
        if (detector.Decided() && detector.Result() != whole) std::abort();
        at += piece;
    }
    if (detector.Result() != whole || validator.Valid() != valid) std::abort();
    return 0;
}
