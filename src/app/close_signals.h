// Ending the panel from outside: Ctrl+C in its terminal, a closed session or `kill`.
#pragma once

class QObject;

namespace app {

// From now on SIGTERM, SIGINT and SIGHUP end the program as closing its window does,
// with status 0, once the action in progress (a transfer, a script) has finished.
void endOnCloseSignals(QObject& owner);

} // namespace app
