// The last steps of start-up, once the main window shows.
#pragma once

#include <QStringList>

namespace qb::gui {

class CMainFrame;

// Opens each of `files` (named on the command line) in `frame`, then starts the automatic
// update check from the event loop: the check may wait on the network, and the documents show
// first.
void FinishStartUp(CMainFrame& frame, const QStringList& files);

}  // namespace qb::gui
