// Qt's runtime-folder note is dropped; every other message, its security warnings about
// a runtime folder included, still reaches the handler behind.
#include <QtGlobal>
#include <gtest/gtest.h>

#include <vector>

#include "app/qt_notes.h"

namespace app {
namespace {

std::vector<QString> received;

void record(QtMsgType, const QMessageLogContext&, const QString& message) {
    received.push_back(message);
}

TEST(QtNotes, OnlyTheRuntimeFolderNoteIsRecognised) {
    EXPECT_TRUE(isRuntimeFolderNote(
        "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'"));
    for (const char* other :
         {"QStandardPaths: wrong permissions on runtime directory /tmp/runtime-root, 0777 "
          "instead of 0700",
          "QStandardPaths: runtime directory '/tmp/runtime-root' is not owned by UID 0, but a "
          "directory permissions 0700 owned by UID 1000 GID 1000",
          "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'\nand more",
          "qt.qpa.xcb: could not connect to display :0", ""})
        EXPECT_FALSE(isRuntimeFolderNote(other)) << other;
}

TEST(QtNotes, TheNoteIsDroppedAndEverythingElsePassesOn) {
    const QtMessageHandler before = qInstallMessageHandler(record);
    dropRuntimeFolderNote();
    received.clear();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '%s'", "/tmp/runtime-root");
    qWarning("QStandardPaths: wrong permissions on runtime directory %s", "/tmp/runtime-root");
    qCritical("a critical message");
    qInstallMessageHandler(before);
    EXPECT_EQ(received,
              (std::vector<QString>{
                  "QStandardPaths: wrong permissions on runtime directory /tmp/runtime-root",
                  "a critical message"}));
}

} // namespace
} // namespace app
