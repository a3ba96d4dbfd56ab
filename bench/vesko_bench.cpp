// Prints the game's performance figures beside those of a bare Qt 6 Widgets
// window measured in the same run: start-up to the first painted frame and
// the resident memory then, the CPU share of a paced deal, the time to draw
// one card face (at 1x and 2x) and to grow the window by one card row.
//
//   vesko_bench [--runs N]     every platform: offscreen, and xcb when DISPLAY is set
//
// It runs the start-up programs game_start and bare_window (beside it) as
// child processes, and itself with --measure PLATFORM for the figures taken
// inside one process.

#include "bare_window.h"
#include "probe.h"

#include "app/App.h"
#include "framework/files.h"
#include "settings/prefsFile.h"
#include "table/layout.h"
#include "table/playWin.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Figures = std::map<std::string, double>;

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// "key=value key=value" lines into figures.
Figures parse(const std::string& out)
{
    Figures f;
    std::size_t at = 0;
    while (at < out.size()) {
        const std::size_t end = out.find_first_of(" \n", at);
        const std::string word = out.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (const std::size_t eq = word.find('='); eq != std::string::npos)
            f[word.substr(0, eq)] = std::strtod(word.c_str() + eq + 1, nullptr);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return f;
}

struct Run {
    std::int64_t startedNs = 0;
    std::string out;
    int status = -1;
};

// Where the children's warnings go; shown when one of them fails.
std::string childLog()
{
    static const std::string path = QDir::temp().filePath(QStringLiteral("vesko_bench.log")).toStdString();
    return path;
}

void failWithLog(const std::string& what)
{
    std::fprintf(stderr, "%s; its output:\n", what.c_str());
    if (FILE* log = std::fopen(childLog().c_str(), "r")) {
        char line[1024];
        while (std::fgets(line, sizeof line, log))
            std::fputs(line, stderr);
        std::fclose(log);
    }
    std::exit(1);
}

// Starts a program with the given arguments and environment additions and
// collects what it prints.
Run spawnAndRead(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& env)
{
    std::vector<std::string> envStore;
    for (char** e = environ; *e; ++e)
        envStore.emplace_back(*e);
    for (const std::string& add : env) {
        const std::string key = add.substr(0, add.find('=') + 1);
        std::erase_if(envStore, [&](const std::string& s) { return s.rfind(key, 0) == 0; });
        envStore.push_back(add);
    }
    std::vector<char*> envp;
    for (std::string& s : envStore)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argStore)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, childLog().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    Run run;
    pid_t pid = 0;
    run.startedNs = bench::monotonicNanos();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return run;
    }
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        run.out.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string besideMe(const char* name)
{
    return QCoreApplication::applicationDirPath().toStdString() + "/" + name;
}

// A settings file as a returning player leaves it, with the self-discipline
// question at start-up turned off or on.
void writeSettings(const QString& folder, bool askDiciplin)
{
    PrefsRecord prefs;
    prefs.askDiciplin = askDiciplin;
    fw::FolderItem(folder).child(QString::fromUtf8(prefsFileName)).writeLines(writePrefs(prefs, QStringLiteral("0")));
}

struct StartUp {
    double ms = 0;
    double mib = 0;
};

// The medians of `runs` start-ups of one program, alternating with the other
// so that both see the same machine.
std::pair<StartUp, StartUp> measureStartUps(const std::string& platform, int runs, bool askDiciplin)
{
    QTemporaryDir config;
    writeSettings(config.path(), askDiciplin);
    const std::vector<std::string> args{"-platform", platform};
    const std::vector<std::string> env{"XDG_CONFIG_HOME=" + config.path().toStdString()};
    std::vector<double> gameMs, gameMiB, bareMs, bareMiB;
    auto once = [&](const char* program, std::vector<double>& ms, std::vector<double>& mib) {
        const Run run = spawnAndRead(besideMe(program), args, env);
        const Figures f = parse(run.out);
        if (run.status != 0 || !f.count("painted_ns"))
            failWithLog(std::string(program) + " -platform " + platform + " failed");
        ms.push_back((f.at("painted_ns") - static_cast<double>(run.startedNs)) / 1e6);
        mib.push_back(f.at("rss_kib") / 1024.0);
        // The question's answer, like any quit, rewrote the file: put it back.
        writeSettings(config.path(), askDiciplin);
    };
    // One of each first, unmeasured, so that both start from warm caches.
    spawnAndRead(besideMe("game_start"), args, env);
    spawnAndRead(besideMe("bare_window"), args, env);
    writeSettings(config.path(), askDiciplin);
    for (int i = 0; i < runs; ++i) {
        once("game_start", gameMs, gameMiB);
        once("bare_window", bareMs, bareMiB);
    }
    return {{median(gameMs), median(gameMiB)}, {median(bareMs), median(bareMiB)}};
}

// ------------------------------------------------------------------ inside one process

void settle(int ms)
{
    const std::int64_t end = bench::monotonicNanos() + std::int64_t{ms} * 1'000'000;
    while (bench::monotonicNanos() < end) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
}

bool waitExposed(QWidget* w)
{
    for (int i = 0; i < 5000 && !(w->windowHandle() && w->windowHandle()->isExposed()); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    settle(100);
    return w->windowHandle() && w->windowHandle()->isExposed();
}

// CPU share and wall time of something that paces itself.
struct Share {
    double percent = 0;
    double wallMs = 0;
};

template <class Work>
Share cpuShare(int samples, Work work)
{
    std::vector<double> percent, wall;
    for (int i = 0; i < samples; ++i) {
        const std::int64_t cpu0 = bench::cpuNanos();
        const std::int64_t wall0 = bench::monotonicNanos();
        work(i);
        const double cpu = static_cast<double>(bench::cpuNanos() - cpu0);
        const double elapsed = static_cast<double>(bench::monotonicNanos() - wall0);
        percent.push_back(100.0 * cpu / elapsed);
        wall.push_back(elapsed / 1e6);
    }
    return {median(percent), median(wall)};
}

// Median over rounds of the mean time of one call, in microseconds.
template <class Work>
double microsPerCall(int rounds, int calls, Work work)
{
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        const std::int64_t t0 = bench::monotonicNanos();
        for (int i = 0; i < calls; ++i)
            work(i);
        perCall.push_back(static_cast<double>(bench::monotonicNanos() - t0) / calls / 1e3);
        QCoreApplication::processEvents();
    }
    return median(perCall);
}

constexpr int cardLine(int row) { return cardViewTop(row) + cardHeight + 5; }

int measureInProcess(int argc, char** argv)
{
    QTemporaryDir config;
    writeSettings(config.path(), false);
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    App app(argc, argv);
    app.Open();
    playWin& table = playWin::instance();
    bench::BareWindow bare;
    bare.window->move(400, 0);
    bare.window->show();
    if (!waitExposed(table.host()) || !waitExposed(bare.window.get())) {
        std::fprintf(stderr, "the windows were never exposed\n");
        return 1;
    }
    Figures f;

    // A deal without sounds: four cards, each after 12 ticks of waiting.
    table.spelaLjud = false;
    table.pushButton(QStringLiteral("nyttspel")).push();
    const Share deal = cpuShare(6, [&](int) { table.deal(); });
    f["deal_cpu_percent"] = deal.percent;
    f["deal_wall_ms"] = deal.wallMs;
    // The bare window paces four label changes with Qt's own timer.
    const Share bareDeal = cpuShare(6, [&](int) {
        for (int card = 0; card < 4; ++card) {
            QEventLoop wait;
            QTimer::singleShot(200, &wait, &QEventLoop::quit);
            wait.exec();
            bare.counter->setText(QString::number(card));
            bare.window->repaint();
        }
    });
    f["bare_deal_cpu_percent"] = bareDeal.percent;
    f["bare_deal_wall_ms"] = bareDeal.wallMs;

    // One card face on a view whose row fits the window, composed and
    // rendered for a screen of 1x and of 2x.
    const CardList cards = orderedCards();
    fw::Canvas& view = table.cardView(1, 0);
    for (const int ratio : {1, 2}) {
        const std::string suffix = ratio == 1 ? "" : "_2x";
        f["card" + suffix + "_us"] = microsPerCall(5, 400, [&](int i) {
            const fw::Text& code = cards[1 + i % cardsInDeck];
            table.getCard(view, cardSuit(code), fw::Mid(code, 2));
            view.backdrop(ratio);
        });
        // The bare window draws the same kind of picture into its label.
        const QImage symbol = QImage(ratio == 1 ? QStringLiteral(":/pictures/168.png")
                                                : QStringLiteral(":/pictures/168@2x.png"));
        f["bare_card" + suffix + "_us"] = microsPerCall(5, 400, [&](int i) {
            QImage face(cardWidth * ratio, cardHeight * ratio, QImage::Format_ARGB32_Premultiplied);
            face.setDevicePixelRatio(ratio);
            face.fill(Qt::white);
            QPainter p(&face);
            p.drawRect(0, 0, cardWidth - 1, cardHeight - 1);
            p.drawImage((cardWidth - 16) / 2, 4, symbol);
            const QString label = QString::number(2 + i % 13);
            p.drawText((cardWidth - p.fontMetrics().horizontalAdvance(label)) / 2, 30, label);
            p.end();
            bare.counter->setPixmap(QPixmap::fromImage(face));
        });
    }

    // Growing the window by one card row, two pixels a step with a redraw.
    std::vector<double> grow, bareGrow;
    for (int round = 0; round < 3; ++round) {
        for (int row = 6; row <= 11; ++row) {
            table.setHeight(cardLine(row - 1));
            settle(20);
            const std::int64_t t0 = bench::monotonicNanos();
            table.fixHeight(table.cardView(1, row));
            grow.push_back(static_cast<double>(bench::monotonicNanos() - t0) / 1e6);
            if (table.height() != cardLine(row)) {
                std::fprintf(stderr, "fixHeight left the window at %d, not %d\n", table.height(), cardLine(row));
                return 1;
            }
            bare.window->resize(bare.window->width(), cardLine(row - 1));
            settle(20);
            const std::int64_t b0 = bench::monotonicNanos();
            while (bare.window->height() < cardLine(row)) {
                bare.window->resize(bare.window->width(), std::min(bare.window->height() + 2, cardLine(row)));
                bare.window->repaint();
            }
            bareGrow.push_back(static_cast<double>(bench::monotonicNanos() - b0) / 1e6);
        }
    }
    f["grow_ms"] = median(grow);
    f["bare_grow_ms"] = median(bareGrow);

    for (const auto& [key, value] : f)
        std::printf("%s=%.4f\n", key.c_str(), value);
    std::fflush(stdout);
    app.quit();
    return 0;
}

// ------------------------------------------------------------------ the report

void report(const std::string& platform, int runs, const std::pair<StartUp, StartUp>& quiet,
            const std::pair<StartUp, StartUp>& asked, const Figures& f)
{
    const auto& [game, bare] = quiet;
    std::printf("\nplatform %s (medians of %d start-ups)\n", platform.c_str(), runs);
    std::printf("  %-46s %10s %10s %12s\n", "", "game", "bare Qt", "game vs bare");
    std::printf("  %-46s %10.1f %10.1f %11.2fx  %s\n", "start-up to first painted frame (ms)", game.ms, bare.ms,
                game.ms / bare.ms, game.ms <= 1.5 * bare.ms ? "ok (target 1.5x)" : "MISSED (target 1.5x)");
    std::printf("  %-46s %10.1f %10.1f %+10.1f MiB  %s\n", "resident memory then (MiB)", game.mib, bare.mib,
                game.mib - bare.mib, game.mib - bare.mib <= 10.0 ? "ok (target +10)" : "MISSED (target +10)");
    std::printf("  %-46s %10.1f %10.1f %11.2fx\n", "  with the self-discipline question (ms)", asked.first.ms,
                asked.second.ms, asked.first.ms / asked.second.ms);
    std::printf("  %-46s %10.1f %10.1f %+10.1f MiB\n", "  with the question, resident memory (MiB)", asked.first.mib,
                asked.second.mib, asked.first.mib - asked.second.mib);
    std::printf("  %-46s %10.1f %10.1f %12s  %s\n", "CPU during a paced deal, sounds off (% of wall)",
                f.at("deal_cpu_percent"), f.at("bare_deal_cpu_percent"), "",
                f.at("deal_cpu_percent") < 10.0 ? "ok (target 10 %)" : "MISSED (target 10 %)");
    std::printf("  %-46s %10.0f %10.0f\n", "  wall time of that deal (ms)", f.at("deal_wall_ms"),
                f.at("bare_deal_wall_ms"));
    std::printf("  %-46s %10.1f %10.1f %11.2fx\n", "one card face at 1x, getCard (us)", f.at("card_us"),
                f.at("bare_card_us"), f.at("card_us") / f.at("bare_card_us"));
    std::printf("  %-46s %10.1f %10.1f %11.2fx\n", "  at 2x (us)", f.at("card_2x_us"), f.at("bare_card_2x_us"),
                f.at("card_2x_us") / f.at("bare_card_2x_us"));
    std::printf("  %-46s %10.2f %10.2f %11.2fx\n", "grow by one card row, fixHeight (ms)", f.at("grow_ms"),
                f.at("bare_grow_ms"), f.at("grow_ms") / f.at("bare_grow_ms"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--measure") {
        std::vector<char*> args{argv[0], const_cast<char*>("-platform"), argv[2]};
        int count = static_cast<int>(args.size());
        return measureInProcess(count, args.data());
    }
    int runs = 11;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));

    QCoreApplication core(argc, argv);
    std::vector<std::string> platforms{"offscreen"};
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms.insert(platforms.begin(), "xcb");
    std::printf("Vesko's Solvary beside a bare Qt %s Widgets window, %ld cores\n", qVersion(),
                sysconf(_SC_NPROCESSORS_ONLN));
    for (const std::string& platform : platforms) {
        const auto quiet = measureStartUps(platform, runs, false);
        const auto asked = measureStartUps(platform, std::max(1, runs / 2), true);
        const Run inside = spawnAndRead(besideMe("vesko_bench"), {"--measure", platform}, {});
        if (inside.status != 0)
            failWithLog("the measurements on " + platform + " failed");
        report(platform, runs, quiet, asked, parse(inside.out));
    }
    return 0;
}
