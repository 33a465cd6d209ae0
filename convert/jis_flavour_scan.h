// How a JIS text writes its mode changes (JisFlavour): the first kanji designation, the first
// return to ASCII by a designation, and the first way into half-width katakana it uses. Fed piece
// by piece; an escape sequence split between pieces is read whole.
#pragma once

#include <string>
#include <string_view>

#include "convert/file_form.h"

namespace qb {

class JisFlavourScan {
public:
    void Feed(std::string_view piece);
    // True once all three are known: later bytes change nothing.
    [[nodiscard]] bool Complete() const {
        return m_flavour.kanjiDesignation >= 0 && m_flavour.kanaForm >= 0 && m_flavour.asciiFinal;
    }
    [[nodiscard]] const JisFlavour& Flavour() const { return m_flavour; }

private:
    void Escape(char c);

    JisFlavour m_flavour;
    std::string m_escape;  // an escape sequence begun and not yet known
};

}  // namespace qb
