// Handing Qt the platform chosen for it, so that a missing or dead display never stops
// the program with Qt's fatal error.
#include "app/headless.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/display_probe.h"

namespace app {
namespace {

// Qt reads "-platform NAME" (also spelt "--platform") anywhere in argv; the last wins.
bool isPlatformOption(std::string_view argument) {
    return argument == "-platform" || argument == "--platform";
}

std::optional<std::string> platformArgument(int argc, char** argv) {
    std::optional<std::string> named;
    for (int i = 1; i + 1 < argc; ++i)
        if (isPlatformOption(argv[i]))
            named = argv[i + 1];
    return named;
}

QtMessageHandler qtHandler = nullptr;

void dropStartupNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtHandler(type, context, text);
}

// Makes Qt start the chosen platform, whether it reads QT_QPA_PLATFORM or a -platform
// option in argv.
DisplayChoice handToQt(DisplayChoice display, int argc, char** argv) {
    if (display.platform.empty())
        return display;
    // Should a checked platform still fail inside Qt, offscreen takes over rather than
    // Qt's fatal error; the program then sees it is headless after all.
    static std::string handedToQt;
    handedToQt = display.visible ? display.platform + ";offscreen" : display.platform;
    setenv("QT_QPA_PLATFORM", handedToQt.c_str(), 1);
    for (int i = 1; i + 1 < argc; ++i)
        if (isPlatformOption(argv[i]))
            argv[i + 1] = handedToQt.data();
    return display;
}

} // namespace

DisplayChoice prepareDisplay(int argc, char** argv) {
    return handToQt(chooseDisplay(platformArgument(argc, argv), machineProbes()), argc, argv);
}

DisplayChoice prepareOffscreen() {
    return handToQt(chooseDisplay(std::string("offscreen"), machineProbes()), 0, nullptr);
}

std::unique_ptr<QApplication> startQt(int& argc, char** argv, bool quiet) {
    if (!quiet)
        return std::make_unique<QApplication>(argc, argv);
    qtHandler = qInstallMessageHandler(dropStartupNotes);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(qtHandler);
    return application;
}

bool runningHeadless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace app
