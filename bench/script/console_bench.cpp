// How the console keeps up as its logs grow: one Add Code To Module click (a short line
// added to the engine and appended to the code log) and one Add Object click, each with
// the window repainted, against logs that already hold megabytes of code or thousands of
// registrations. The time should stay flat as the logs grow.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include "panel/Main.h"
#include "platform/dialogs.h"
#include "script/MultiLineTextBox.h"
#include "script/Scriptform.h"

namespace {

// Nobody is there to click the greeting away.
class Silent : public platform::DialogProvider {
public:
    platform::Answer ask(const platform::MessageRequest&) override { return platform::Answer::Ok; }
    std::optional<std::string> chooseFile(const platform::FileRequest&) override { return {}; }
};

struct ShownConsole {
    ShownConsole() : console(window) {
        window.load("");
        console.load(script::Scriptform::Greeting::Left);
        console.show();
        ready = QTest::qWaitForWindowExposed(&console);
    }
    script::MultiLineTextBox& box(const char* name) {
        return *console.findChild<script::MultiLineTextBox*>(name);
    }
    void click(const char* name) {
        console.findChild<QPushButton*>(name)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }

    panel::Main window;
    script::Scriptform console;
    bool ready = false;
};

void addCodeWithALogOf(benchmark::State& state) {
    ShownConsole shown;
    const QString line =
        QStringLiteral("' ") + QString(98, QLatin1Char('x')) + QStringLiteral("\r\n");
    shown.box("Text_scriptCode")
        .setText(line.repeated(static_cast<qsizetype>(state.range(0)) * 10'000));
    shown.box("Text_codeWindow").setText(QStringLiteral("x = 1"));
    if (!shown.ready)
        state.SkipWithError("the console was never exposed");
    for (auto _ : state)
        shown.click("Cmd_addCode");
    state.SetLabel(std::to_string(state.range(0)) + " MB of code logged");
}
BENCHMARK(addCodeWithALogOf)->Arg(0)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

void addObjectAfter(benchmark::State& state) {
    ShownConsole shown;
    shown.box("Text_addObj").setText(QStringLiteral("Text1"));
    int registered = 0;
    auto addOne = [&] {
        shown.box("Text_addObjAlias").setText(QStringLiteral("o%1").arg(++registered));
        shown.click("Cmd_addObj");
    };
    for (int i = 0; i < state.range(0); ++i)
        addOne();
    if (!shown.ready)
        state.SkipWithError("the console was never exposed");
    for (auto _ : state)
        addOne();
    state.SetLabel(std::to_string(state.range(0)) + " objects registered before");
}
BENCHMARK(addObjectAfter)->Arg(0)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("FLTAMP_PORT", "sim");
    QApplication application(argc, argv);
    Silent silent;
    platform::setDialogProvider(&silent);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
