// Cost of the monitor window.
//
//   bench_monitor                      one refresh (sample and repaint), Google Benchmark
//   bench_monitor --hold 60 [--balloon ROW]
//                                      opens the window on the current display for 60 s and prints
//                                      the process's CPU use over that time (the whole program's
//                                      share with the window open); --balloon hovers a bar first
//
// Both read the real machine (/proc, /sys, statvfs); nothing is written outside memory.
#include "monitor/Display.h"
#include "settings/LiveOptions.h"
#include "widgets/LevelBar.h"

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QMap>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

class MemoryStore : public SettingsStore {
public:
    std::optional<QString> read(const QString& key) const override {
        const auto found = values_.constFind(key.toLower());
        return found == values_.constEnd() ? std::nullopt : std::optional(*found);
    }
    bool write(const QString& key, const QString& text) override {
        values_.insert(key.toLower(), text);
        return true;
    }

private:
    QMap<QString, QString> values_;
};

// The program's state with every statistic and drive shown, as a heavy but usual setup.
struct Program {
    MemoryStore store;
    AppSettings settings{store};
    TrayMenuState items;
    SharedSettingsState shared;
    GeneralOptions general{settings, items, nullptr};
    qint16 previousRowCount = 0;
    SystemInfoModule stats;

    LiveOptions live() { return {settings, items, shared, general}; }

    Program() {
        for (const StatisticItem item : {StatisticItem::CPU, StatisticItem::PhysMem, StatisticItem::VirtMem,
                                         StatisticItem::Battery, StatisticItem::CDrive}) {
            shared.showItem[size_t(item)] = true;
        }
        shared.showDrive.fill(true);
        shared.transparentLevel = 75;
        items.mnuMonitorBalloon.checked = true;
        items.mnuOnTop.checked = true;
        items.mnuTransparent.checked = true;
    }
};

// The window with its own refresh timer stopped, so each benchmark drives the refresh itself.
monitor::Display* openDisplay(benchmark::State& state, Program& program) {
    auto* display = new monitor::Display(program.live(), true, program.stats, program.previousRowCount);
    if (!display->load()) {
        state.SkipWithError("the monitor window had no rows");
        return nullptr;
    }
    display->Timer1.stop();
    return display;
}

void closeDisplay(monitor::Display* display) {
    display->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_MonitorRefresh(benchmark::State& state) {
    Program program;
    monitor::Display* display = openDisplay(state, program);
    if (display == nullptr) {
        return;
    }
    for (auto _ : state) {
        display->Timer1_Timer();
        benchmark::DoNotOptimize(display->grab());  // paints the whole window, every bar
    }
    state.counters["rows"] = display->rowCount();
    closeDisplay(display);
}
BENCHMARK(BM_MonitorRefresh)->Unit(benchmark::kMicrosecond);

// Grabbing renders every widget of the window into a pixmap: the paint cost even where the window
// system skips painting a window nobody sees.
void BM_MonitorPaintOnly(benchmark::State& state) {
    Program program;
    monitor::Display* display = openDisplay(state, program);
    if (display == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(display->grab());
    }
    closeDisplay(display);
}
BENCHMARK(BM_MonitorPaintOnly)->Unit(benchmark::kMicrosecond);

void BM_MonitorSampleOnly(benchmark::State& state) {
    Program program;
    monitor::Display* display = openDisplay(state, program);
    if (display == nullptr) {
        return;
    }
    for (auto _ : state) {
        display->Timer1_Timer();
    }
    closeDisplay(display);
}
BENCHMARK(BM_MonitorSampleOnly)->Unit(benchmark::kMicrosecond);

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int hold(QApplication& app, int seconds, int balloonRow) {
    Program program;
    auto* display = new monitor::Display(program.live(), true, program.stats, program.previousRowCount);
    if (!display->load()) {
        std::fprintf(stderr, "the monitor window had no rows\n");
        return 1;
    }
    if (balloonRow >= 0 && balloonRow < display->rowCount()) {
        QTimer::singleShot(500, display, [display, balloonRow] {
            QCursor::setPos(display->StatBar.at(balloonRow)->mapToGlobal(QPoint(20, 8)));
            display->StatBar_MouseMove(balloonRow);
        });
    }
    // Measure the steady state: from two seconds after opening to the end.
    double startCpu = 0;
    QElapsedTimer wall;
    QTimer::singleShot(2000, &app, [&] {
        startCpu = cpuSeconds();
        wall.start();
    });
    QTimer::singleShot((seconds + 2) * 1000, &app, [&] {
        const double cpu = cpuSeconds() - startCpu;
        const double elapsed = double(wall.elapsed()) / 1000.0;
        std::printf("rows %d, %.1f s open: %.3f s CPU = %.3f %% of one core\n", display->rowCount(), elapsed,
                    cpu, 100.0 * cpu / elapsed);
        std::fflush(stdout);
        app.quit();
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    int holdSeconds = 0;
    int balloonRow = -1;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--hold") == 0) {
            holdSeconds = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--balloon") == 0) {
            balloonRow = std::atoi(argv[i + 1]);
        }
    }
    if (holdSeconds <= 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (holdSeconds > 0) {
        return hold(app, holdSeconds, balloonRow);
    }
    return runBenchmarks(argc, argv);
}
