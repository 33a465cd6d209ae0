// What the document and the macro interpreter need from the front end that shows them.
//
// The core never shows anything itself: the desktop program implements this with Qt, the
// command line prints to standard error, and tests record every call.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qb {

class IHost {
public:
    virtual ~IHost() = default;

    // A message box with an OK button. `text` is UTF-8.
    virtual void ShowMessage(std::string_view text) = 0;
    // A message with an OK button that reports how an operation went (a number of replacements),
    // no fault. `text` is UTF-8. Where nothing tells the two apart, it is ShowMessage.
    virtual void Inform(std::string_view text) { ShowMessage(text); }
    // An OK/Cancel question; true for OK. `text` is UTF-8.
    virtual bool Confirm(std::string_view text) = 0;
    // Something the user should know that did not stop the operation (a file read only up to
    // a Ctrl-Z, say). `text` is UTF-8. A front end with no place for it may let it go.
    virtual void Warn(std::string_view text) { (void)text; }

    // How many errors ShowMessage has reported so far, where every message is one (the command
    // line); 0 where messages are not counted. A command that reported one is not recorded.
    virtual int ErrorsShown() const { return 0; }

    // The busy cursor; calls nest. Use BusyCursor rather than calling these directly.
    virtual void BeginBusy() {}
    virtual void EndBusy() {}

    // Clipboard text in Shift-JIS (the document's encoding); nullopt when there is no text.
    virtual std::optional<std::string> GetClipboardText() = 0;
    virtual void SetClipboardText(std::string_view sjis) = 0;

    // The text-edit dialog: shows `sjisText` for editing under `title` (UTF-8); the edited
    // Shift-JIS text on OK, nullopt on Cancel.
    virtual std::optional<std::string> EditText(std::string_view title,
                                                std::string_view sjisText) = 0;
};

// A host that shows nothing, answers every question with OK and has no clipboard or dialog: for
// fuzzing, benchmarks and other runs nobody watches.
class SilentHost : public IHost {
public:
    void ShowMessage(std::string_view) override {}
    bool Confirm(std::string_view) override { return true; }
    std::optional<std::string> GetClipboardText() override { return std::nullopt; }
    void SetClipboardText(std::string_view) override {}
    std::optional<std::string> EditText(std::string_view, std::string_view) override {
        return std::nullopt;
    }
};

// Shows the busy cursor for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(IHost& host) : m_host(host) { m_host.BeginBusy(); }
    ~BusyCursor() { m_host.EndBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    IHost& m_host;
};

}  // namespace qb
