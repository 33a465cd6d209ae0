// Documents for the benchmarks of the document operations: synthetic Shift-JIS prose and a
// million short lines, built once per program, deterministically.
#pragma once

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "bench/synthetic_text.h"
#include "convert/cp932.h"
#include "convert/sjis.h"
#include "core/host.h"
#include "core/quillbay_doc.h"

namespace qb::bench {

// A document with its own host and settings.
struct BenchDoc {
    SilentHost host;
    SettingsStore settings;
    AppContext app{host, settings};
    CQuillbayDoc doc{app};

    explicit BenchDoc(const std::string& text) {
        doc.SetAllText(text);
        doc.Target().firstLine = 1;
        doc.Target().lastLine = doc.LineCount();
    }
};

// About `bytes` of prose, CR LF lines of 100 to 520 bytes with a quarter of them empty.
inline std::string Prose(std::size_t bytes) {
    return Joined(
        RandomLines({"私は",         "町の人々は", "ｶﾒﾗﾏﾝは",   "ＡＩ研究者は", "手紙を",
                     "ﾃﾞｰﾀを",       "ＣＤを",     "読んだ",    "眺めていた",   "もう一度",
                     "二〇二六年に", "第３章で",   "10時半に",  "、",           "。",
                     "！",           "「",         "」",        "川沿いの道を", " quick brown fox ",
                     "Version 2.5",  "１２３円の", "思い出した"},
                    {.totalBytes = bytes,
                     .minLength = 100,
                     .maxLength = 520,
                     .emptyOneIn = 4,
                     .seed = 2026}),
        "\r\n");
}

// `count` short CR LF lines of 24 to 44 bytes, many of them repeated.
inline std::string ShortLines(std::size_t count) {
    const auto subjects =
        SjisPieces({"私は", "彼女は", "旅人は", "猫が", "ｶﾒﾗﾏﾝは", "ＡＩ研究者は"});
    const auto objects =
        SjisPieces({"手紙を", "本を", "雨の音を", "ﾃﾞｰﾀを", "ＣＤを", "昔の写真を"});
    const auto verbs = SjisPieces({"読んだ", "見ていた", "歩いた", "選んだ", "確かめた"});
    const char* english[] = {"quick brown fox", "don't stop", "well-known", "e-mail", "OK"};
    std::mt19937 rng(1000000);
    std::string out;
    for (std::size_t n = 0; n < count; ++n) {
        std::string line;
        const unsigned kind = rng() % 10;
        if (kind < 3)
            line = std::to_string(rng() % 1000000) + " " + objects[rng() % 6] + verbs[rng() % 5];
        else if (kind < 5)
            line = std::string(english[rng() % 5]) + " " + subjects[rng() % 6] + verbs[rng() % 5];
        else
            line = subjects[rng() % 6] + objects[rng() % 6] + verbs[rng() % 5];
        const std::size_t cut = 24 + rng() % 20;
        std::size_t end = 0;  // cut at a character boundary
        while (end < line.size() && end < cut)
            end = NextChar(line, end);
        out += line.substr(0, end);
        out += "\r\n";
    }
    return out;
}

}  // namespace qb::bench
