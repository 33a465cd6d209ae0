// Where the document sends the macro lines of open, save and close. The macro recorder
// implements it; the document only knows this interface, since the recorder lives above it.
#pragma once

#include <string_view>

namespace qb {

class IMacroRecorderSink {
public:
    virtual ~IMacroRecorderSink() = default;
    // Appends one macro line (Shift-JIS, without line end) while recording is on.
    virtual void RecordLine(std::string_view sjisLine) = 0;
};

}  // namespace qb
