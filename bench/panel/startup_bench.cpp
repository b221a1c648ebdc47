// Time from process start to the main window shown. Each iteration starts this program
// afresh as a child that does what fltamp does at start (Qt, the window, the load
// handler with port setup and start-up read on the simulated board, show) and reports
// once the window is exposed; the parent times fork to report.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>

#include "panel/Main.h"

namespace {

constexpr const char* childSwitch = "--start-panel";

int startPanel(int argc, char** argv) {
    QApplication application(argc, argv);
    panel::Main window;
    window.load("");
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const char shown = 'S';
    return write(STDOUT_FILENO, &shown, 1) == 1 ? 0 : 1;
}

void startUp(benchmark::State& state, const char* self) {
    for (auto _ : state) {
        int report[2];
        if (pipe(report) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            dup2(report[1], STDOUT_FILENO);
            close(report[0]);
            execl(self, self, childSwitch, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(report[1]);
        char shown = 0;
        const bool reported = read(report[0], &shown, 1) == 1;
        const auto elapsed = std::chrono::steady_clock::now() - start;
        close(report[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!reported) {
            state.SkipWithError("the panel never reported its window shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("FLTAMP_PORT", "sim");
    if (argc > 1 && std::strcmp(argv[1], childSwitch) == 0)
        return startPanel(argc, argv);
    benchmark::RegisterBenchmark("processStartToWindowShown", startUp, argv[0])
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
