// What the macro interpreter needs from the program around the documents: the open documents,
// which one is active, and the views that some commands are replayed through.
//
// The desktop program implements it with its document windows, qbay with a plain list, tests
// with a fake. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>

#include "macro/command_table.h"

namespace qb {

class CQuillbayDoc;

class IWorkspace {
public:
    virtual ~IWorkspace() = default;

    // The document of the active window; nullptr when none is open.
    virtual CQuillbayDoc* ActiveDocument() = 0;
    // Opens `path` as a new document window that becomes the active one (the document records
    // "Open path"). False when it could not be opened; the document has shown why.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Closes the active document window (the document records "Close").
    virtual void CloseActiveDocument() = 0;
    // Saves the active document: under `path` when given (it becomes the document's path and
    // "Save path" is recorded), else under its own path ("Save" is recorded). False, after a
    // message, when it could not be written or has no path.
    virtual bool SaveActiveDocument(const std::optional<std::string>& path) = 0;
    // Opens a new document window holding the clipboard's text, which becomes the active one.
    // False (and no window) when the clipboard holds no text.
    virtual bool NewDocumentFromClipboard() = 0;
    // Hands command `id` to the active document's view as if it had been chosen from its menu
    // (so its confirmation, its macro line and its redraw happen as they do there).
    virtual void SendCommandToActiveView(CommandId id) = 0;
    // Asks every view of the active document to redraw.
    virtual void RedrawActiveDocument() {}
};

}  // namespace qb
