// The signal only writes a byte to a pipe; the event loop reads it and ends the program,
// so nothing but the write happens inside the signal handler.
#include "app/close_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

#include "platform/program_end.h"

namespace app {
namespace {

int wakeUp[2] = {-1, -1};

void onCloseSignal(int) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
}

} // namespace

void endOnCloseSignals(QObject& owner) {
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, [] { platform::endProgram(0); });
    struct sigaction action {};
    action.sa_handler = onCloseSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting on the terminal gives up, so the end comes at once.
    action.sa_flags = 0;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace app
