// Finding the form of any bytes: fed in random pieces it decides as on the whole, the name it
// prints reads back as the code it found, and text found to be UTF-8 is well-formed.
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "convert/code_detect.h"
#include "convert/file_form_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qb::DetectedForm whole = qb::DetectFileForm(text);

    std::minstd_rand rng(static_cast<unsigned>(size));
    qb::FileFormDetector detector;
    for (std::size_t at = 0; at < size;) {
        const std::size_t piece = rng() % 12;
        detector.Feed(text.substr(at, piece));
        at += piece;
    }
    if (!(detector.Result() == whole)) std::abort();

    const auto parsed = qb::ParseFileForm(qb::DetectedFormName(whole));
    if (!parsed || parsed->code != whole.form.code || parsed->lineEnd != whole.form.lineEnd)
        std::abort();
    if (whole.form.code == qb::FileCode::Utf8 && !whole.form.byteOrderMark) {
        qb::Utf8Validator strict(qb::Utf8Validator::Rule::Strict);
        strict.Feed(text);
        if (!strict.Valid()) std::abort();
    }
    return 0;
}
