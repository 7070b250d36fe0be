// Start-up of the whole program until the login window is on screen and the event loop is idle, beside a bare Qt
// Widgets program that shows one window. Each iteration starts a new process (this same binary, in a child role)
// and waits for it to end; the child quits as soon as a window is exposed and the loop is about to wait.
//
//   bench_startup                        both, on the platform QT_QPA_PLATFORM names (offscreen, or xcb under X)
#include "app/startup_gui.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* const kPlicarioRole = "--child-plicario";
const char* const kBareRole = "--child-bare";

// Stops the loop the first time it is about to wait with a window exposed.
void quitWhenShownAndIdle()
{
    auto* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, qApp, [] {
        for (QWindow* window : QGuiApplication::topLevelWindows())
            if (window->isVisible() && window->isExposed()) {
                QCoreApplication::quit();
                return;
            }
    });
}

int runBare(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 160);
    window.show();
    quitWhenShownAndIdle();
    return app.exec();
}

// Starts this binary in `role`, waits for it; returns its peak resident memory in MB, or -1 on failure.
double runChild(const char* role)
{
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return -1;
    self[n] = '\0';
    char* args[] = {self, const_cast<char*>(role), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, args, environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0;
}

void startup(benchmark::State& state, const char* role)
{
    double peak = 0;
    for (auto _ : state) {
        const double mb = runChild(role);
        if (mb < 0) {
            state.SkipWithError("the child process failed");
            return;
        }
        peak = std::max(peak, mb);
    }
    state.counters["peak_rss_MB"] = peak;
}

} // namespace

BENCHMARK_CAPTURE(startup, bare_qt_widgets, kBareRole)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK_CAPTURE(startup, plicario_login, kPlicarioRole)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kBareRole) == 0)
        return runBare(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], kPlicarioRole) == 0)
        return Startup::run(argc, argv, quitWhenShownAndIdle);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
