// Qt's notes on stderr that tell a bench engineer nothing. Without XDG_RUNTIME_DIR (as
// root, from cron or sudo, in CI) Qt says on every start that it picked a runtime folder
// of its own, which made a successful run look like a failed one: the program writes to
// stderr only when something failed.
#pragma once

#include <QString>

namespace app {

// True for exactly that note.
bool isRuntimeFolderNote(const QString& message);

// Drops that note for the rest of the run; every other message goes on to the handler
// installed before (Qt's own, normally). Qt's message is in its default logging
// category, which a logging rule cannot silence without silencing everything else.
void dropRuntimeFolderNote();

} // namespace app
