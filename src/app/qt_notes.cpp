// A message handler in front of Qt's that lets everything through but one note.
#include "app/qt_notes.h"

namespace app {
namespace {

QtMessageHandler nextHandler = nullptr;

void passOnAllButTheNote(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtWarningMsg && isRuntimeFolderNote(message))
        return;
    nextHandler(type, context, message);
}

} // namespace

bool isRuntimeFolderNote(const QString& message) {
    return message.startsWith(
               QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '")) &&
           message.endsWith(QLatin1Char('\'')) && !message.contains(QLatin1Char('\n'));
}

void dropRuntimeFolderNote() {
    nextHandler = qInstallMessageHandler(passOnAllButTheNote);
}

} // namespace app
