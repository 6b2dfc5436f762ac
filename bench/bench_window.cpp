// The main window as a user meets it, on the offscreen platform with the scripted services:
//   bench_window startup FOLDER
//       starts the window on FOLDER/Annuaire_Amat.csv, lets it show, and quits;
//       prints the milliseconds from the start of main() to the window shown.
//   bench_window search FOLDER OPTION QUERY
//       starts the window, clicks OPTION (Option1 to Option4), types QUERY and times the Enter
//       key until the list is laid out and painted; prints the milliseconds, the number of rows,
//       and the peak memory of the process before Enter and at the end, in KiB.
#include <QAbstractItemModel>
#include <QApplication>
#include <QListView>
#include <QRadioButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "main_window/main_window.h"
#include "shared/sous_programmes.h"
#include "support/scripted_platform.h"
#include "widgets/typing_line_edit.h"

#ifdef _WIN32
#include <psapi.h>
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The most memory the process has held at once so far, in KiB.
long peakMemoryKiB()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
#endif
}

// Runs what the event loop would run now: layouts, updates and paints.
void settle()
{
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int usage()
{
    std::fprintf(stderr, "usage: bench_window startup FOLDER | bench_window search FOLDER OPTION QUERY\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point start = Clock::now();
    if (argc < 3)
        return usage();
    const bool search = std::strcmp(argv[1], "search") == 0;
    if (!search && std::strcmp(argv[1], "startup") != 0)
        return usage();
    if (search && argc < 5)
        return usage();

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dravelin::ScriptedPlatform platform{std::filesystem::path(argv[2])};
    dravelin::Sous_Programmes shared;
    dravelin::Main window(platform, shared);
    if (!window.loadWindow()) {
        std::fprintf(stderr, "bench_window: the window could not start on %s\n", argv[2]);
        return 1;
    }
    settle();
    if (!search) {
        std::printf("startup_ms=%.1f peak_kib=%ld\n", millisecondsSince(start), peakMemoryKiB());
        return 0;
    }

    auto* option = window.findChild<QRadioButton*>(QString::fromLatin1(argv[3]));
    auto* libelle = window.findChild<dravelin::TypingLineEdit*>(QStringLiteral("Libelle"));
    auto* list = window.findChild<QListView*>(QStringLiteral("Liste_OM"));
    if (option == nullptr || libelle == nullptr || list == nullptr) {
        std::fprintf(stderr, "bench_window: no control named %s\n", argv[3]);
        return 1;
    }
    QApplication::setActiveWindow(&window);
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::keyClicks(libelle, QString::fromLatin1(argv[4]));
    settle();
    const long peakBefore = peakMemoryKiB();

    const Clock::time_point enter = Clock::now();
    QTest::keyClick(libelle, Qt::Key_Return);
    settle();
    list->viewport()->repaint();
    const double elapsed = millisecondsSince(enter);

    const int rows = list->model()->rowCount();
    if (rows > 0 && list->model()->index(0, 0).data().toString().isEmpty()) {
        std::fprintf(stderr, "bench_window: the first row shows nothing\n");
        return 1;
    }
    std::printf("enter_to_list_ms=%.1f rows=%d peak_kib_before=%ld peak_kib=%ld messages=%lld\n", elapsed, rows,
                peakBefore, peakMemoryKiB(), static_cast<long long>(platform.messages.size()));
    return 0;
}
