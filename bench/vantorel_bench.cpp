// Measures the program's own code paths on real work, without a person at the window:
//   run <output folder> <source>...   a whole conversion run through the real data/conv.exe
//   addfolder <folder>                adding a folder tree to a list shown in a list view
//   removeall <rows>                  Remove All of that many rows shown in a list view
// Each prints "key=value" lines that bench/run.sh collects.
#include "engine/RunDriver.h"
#include "filelist/AddSources.h"
#include "filelist/FileListModel.h"
#include "platform/AppPaths.h"
#include "platform/UserMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTreeView>
#include <cstdio>
#include <sys/resource.h>

using namespace vantorel;

namespace {

class QuietView final : public RunInputs, public RunView {
public:
    OutputSettings CurrentOutputSettings() const override { return settings; }
    OptionValues Options() const override { return options; }
    void SetStatus(const QString& text) override { status = text; }
    void SetProgressWidth(double twips) override { width = twips; }
    double ProgressWidth() const override { return width; }
    void SetRunControlsEnabled(bool) override {}
    void PlayReminderSound(const QString&) override {}
    void OpenFolder(const QString&) override {}

    OutputSettings settings;
    OptionValues options;
    QString status;
    double width = 0;
};

double cpuSecondsOfThisProcess() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int runConversion(const QStringList& args) {
    if (args.size() < 2)
        return 2;
    FileListModel list;
    for (qsizetype i = 1; i < args.size(); ++i)
        list.Append({args[i], FileListModel::FormatLabelFor(args[i]), args[i]});
    QuietView view;
    view.settings = {
        0, QStringLiteral("128"), QStringLiteral("44100"), 1, QStringLiteral("30"), 0, args[0]};
    view.options.SoundReminder = 1;
    RecordedMessages messages;
    RunDriver driver(list, view, view);
    QEventLoop loop;
    QObject::connect(&driver, &RunDriver::RunFinished, &loop, &QEventLoop::quit);
    const double cpuBefore = cpuSecondsOfThisProcess();
    QElapsedTimer clock;
    clock.start();
    driver.Start();
    loop.exec();
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    std::printf("wall_seconds=%.3f\ncpu_seconds=%.3f\nstatus=%s\n", wall,
                cpuSecondsOfThisProcess() - cpuBefore, qPrintable(view.status));
    return view.status == QStringLiteral("Done.") ? 0 : 1;
}

int addFolder(const QStringList& args) {
    if (args.size() != 1)
        return 2;
    FileListModel list;
    QTreeView view;
    view.setModel(&list);
    view.resize(455, 274);
    view.show();
    QElapsedTimer clock;
    clock.start();
    AddFolder(list, args[0]);
    QCoreApplication::processEvents();
    std::printf("wall_seconds=%.3f\nentries=%lld\npeak_kb=%ld\n",
                static_cast<double>(clock.nsecsElapsed()) / 1e9,
                static_cast<long long>(list.Count()), peakKilobytes());
    return 0;
}

int removeAll(const QStringList& args) {
    if (args.size() != 1)
        return 2;
    const int rows = args[0].toInt();
    FileListModel list;
    QList<FileEntry> entries;
    for (int i = 0; i < rows; ++i) {
        const QString path = QStringLiteral("/music/track %1.mp3").arg(i);
        entries.append({path, QStringLiteral("MP3"), path});
    }
    list.AppendMany(entries);
    QTreeView view;
    view.setModel(&list);
    view.resize(455, 274);
    view.show();
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    list.RemoveAllEntries();
    std::printf("wall_seconds=%.3f\nrows_left=%lld\n",
                static_cast<double>(clock.nsecsElapsed()) / 1e9,
                static_cast<long long>(list.Count()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: vantorel_bench run|addfolder|removeall ...\n");
        return 2;
    }
    const QString what = args.takeFirst();
    paths::setAppFolderForTesting(QStringLiteral(VANTOREL_APP_DIR));
    if (what == QStringLiteral("run"))
        return runConversion(args);
    if (what == QStringLiteral("addfolder"))
        return addFolder(args);
    if (what == QStringLiteral("removeall"))
        return removeAll(args);
    return 2;
}
