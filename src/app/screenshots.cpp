// Renders the main window (after start-up on the simulated board), the About window and
// the script console after its load to PNG files, headless, for the README and for
// reviewing the layout.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <iostream>

#include "app/qt_notes.h"
#include "panel/Aboutform.h"
#include "panel/Main.h"
#include "script/Scriptform.h"

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        std::cerr << "fltamp-screenshots: cannot write " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: fltamp-screenshots FOLDER\n";
        return 2;
    }
    app::dropRuntimeFolderNote();
    QApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::cerr << "fltamp-screenshots: cannot create " << argv[1] << "\n";
        return 1;
    }
    panel::Main window;
    window.load("");
    panel::Aboutform about;
    // The greeting's boxes would only wait for a click that no one gives here.
    script::Scriptform& console = script::console(window, script::Scriptform::Greeting::Left);
    return save(window, folder, QStringLiteral("main.png")) &&
                   save(about, folder, QStringLiteral("about.png")) &&
                   save(console, folder, QStringLiteral("console.png"))
               ? 0
               : 1;
}
