// The keys of the main window: every key press in it (its menus' mnemonics and the shortcuts of
// its actions included) is looked up once, in the fixed accelerators and then in the user's
// bindings (macro/key_dispatch.h), and the command found runs through CMainFrame::RunCommand.
// The key customisation (customize/) only edits the bindings this looks in.
#pragma once

#include <QObject>

#include "macro/command_table.h"

class QKeyEvent;

namespace qb {
class CKeycustArray;
}

namespace qb::gui {

class CMainFrame;

class KeyRouter : public QObject {
    Q_OBJECT
public:
    // Watches the key presses of the whole program, and takes those meant for `frame`.
    explicit KeyRouter(CMainFrame& frame);
    ~KeyRouter() override;

    // The bindings keys are looked up in after the fixed accelerators; without any (null), only
    // the fixed accelerators run. Whoever owns the table keeps it alive while it is set.
    void SetBindings(const CKeycustArray* bindings) { m_bindings = bindings; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsForFrame(QObject* watched) const;
    CommandId CommandFor(const QKeyEvent& key) const;

    CMainFrame& m_frame;
    const CKeycustArray* m_bindings = nullptr;
};

}  // namespace qb::gui
