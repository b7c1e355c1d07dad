// velmora-soak: many transfers in one process against the virtual radio on a pseudo-terminal,
// through the real serial layer, each with a fault drawn from a seed. Every transfer must end
// exactly as its fault dictates, and the process must not grow while it goes on.
#include "SoakGrowth.h"
#include "SoakRun.h"

#include <QCoreApplication>

#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>

using namespace velmora;
using namespace velmora::soak;
using namespace std::chrono_literals;

namespace {

// A run that takes longer has hung: the slowest ending (a silent radio, with one Retry) takes
// about 37 s, a paced read about 20 s.
constexpr auto kRunLimit = 120s;

static_assert(GrowthWindow == 20 && RssToleranceKiB == 256, "the help text states both");
constexpr const char* kHelp =
    "Usage: velmora-soak [--seed S] [--runs N] [--paced]\n"
    "\n"
    "Runs N transfers (default 200) in this one process, reads and writes in turn, each against\n"
    "a new virtual radio on a pseudo-terminal through the serial port adapter the programs use.\n"
    "Each transfer gets a fault mode drawn from the seed S (default 1), or none:\n"
    "  silent, one-stray, two-stray, no-confirmation, nak:K, short-reply:K,\n"
    "  no-block-confirm:K, hangup:K, corrupt:K, slow-reply:K   (see velmora-radio-sim --help)\n"
    "A fault of the other direction (nak on a read, short-reply on a write, ...) never fires.\n"
    "The Communication Error prompt is answered Retry once in one run of four (drawn from the\n"
    "seed), Cancel otherwise.\n"
    "\n"
    "Each transfer must end as its fault dictates: the outcome, the wake-up attempts, prompts,\n"
    "acknowledged blocks, the messages shown and the last progress position; after a read the\n"
    "document holds all 8192 bytes of the radio, after a failed read exactly what it held;\n"
    "after a write the radio holds exactly what the blocks that went through carried.\n"
    "\n"
    "Growth: the largest resident memory (RSS) of the last 20 runs may exceed the largest of\n"
    "the first 20 by at most 256 KiB; the open file descriptors may not grow at all. With\n"
    "fewer than 40 runs the windows are the first and the last half. A run that takes over\n"
    "120 s counts as hung and ends the soak.\n"
    "\n"
    "  --seed S   the seed (a number); the same seed gives the same runs\n"
    "  --runs N   the number of transfers\n"
    "  --paced    the radio keeps 9600-baud timing (about 20 s a transfer); unpaced by default\n"
    "\n"
    "One line per run, a summary at the end. Exit 0 when every run ended as it must and\n"
    "nothing grew, 1 otherwise, 2 on a usage error.\n";

int Usage(const std::string& message) {
    std::fprintf(stderr, "velmora-soak: %s\nTry 'velmora-soak --help'.\n", message.c_str());
    return 2;
}

template <typename Number> bool ParseNumber(const std::string& text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Ends the process when a run does not end in time: a hung transfer would otherwise hang the
// soak with it, and say nothing.
class Watchdog {
public:
    Watchdog() : thread_([this] { Watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    void Arm(int run) {
        {
            std::lock_guard lock(mutex_);
            run_ = run;
            deadline_ = std::chrono::steady_clock::now() + kRunLimit;
        }
        changed_.notify_all();
    }
    void Disarm() { Arm(0); }

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        while (!quit_) {
            if (run_ == 0) {
                changed_.wait(lock);
            } else if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout &&
                       run_ != 0 && std::chrono::steady_clock::now() >= deadline_) {
                std::printf("run %d: no end after %lld s: hung\nFAIL\n", run_,
                            static_cast<long long>(kRunLimit.count()));
                std::fflush(stdout);
                std::_Exit(1);
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    int run_ = 0;
    bool quit_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

} // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1;
    int runs = 200;
    bool paced = false;
    for (int at = 1; at < argc; ++at) {
        const std::string arg = argv[at];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (arg == "--paced") {
            paced = true;
        } else if (arg == "--seed" || arg == "--runs") {
            if (at + 1 >= argc) {
                return Usage(arg + " needs a value");
            }
            const std::string value = argv[++at];
            if (arg == "--seed" ? !ParseNumber(value, seed)
                                : !ParseNumber(value, runs) || runs < 1) {
                return Usage(arg + " takes a number" + (arg == "--runs" ? " of 1 or more" : "") +
                             ", not '" + value + "'");
            }
        } else {
            return Usage("unknown argument '" + arg + "'");
        }
    }

    // The port adapter's notifiers want an application thread.
    QCoreApplication app(argc, argv);
    Watchdog watchdog;
    std::vector<UsageSample> samples;
    std::map<std::string, int> outcomes;
    int failed = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int run = 1; run <= runs; ++run) {
        const RunPlan plan = DrawRun(seed, run);
        watchdog.Arm(run);
        const RunRecord record = RunOnce(plan, paced);
        watchdog.Disarm();
        std::vector<std::string> problems = record.problems;
        if (problems.empty()) {
            problems = Compare(ExpectedEnding(plan), record.ending);
        }
        samples.push_back({ResidentKiB(), OpenDescriptors()});
        ++outcomes[OutcomeName(record.ending.outcome)];
        std::printf("run %4d  %-5s  %-22s %-17s %6lld ms  rss %6ld KiB  fds %d  %s\n", run,
                    plan.direction == TransferDirection::Read ? "read" : "write",
                    plan.fault.c_str(), OutcomeName(record.ending.outcome),
                    static_cast<long long>(record.took.count()), samples.back().rssKiB,
                    samples.back().fds, problems.empty() ? "ok" : "MISMATCH");
        for (const std::string& problem : problems) {
            std::printf("          %s\n", problem.c_str());
        }
        std::fflush(stdout);
        failed += problems.empty() ? 0 : 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const Growth growth = JudgeGrowth(samples);

    std::printf("summary: %d runs, seed %llu, %s: %d ended as they must, %d did not; %.1f s\n",
                runs, static_cast<unsigned long long>(seed), paced ? "paced" : "unpaced",
                runs - failed, failed, seconds);
    std::string tally;
    for (const auto& [name, n] : outcomes) {
        tally += (tally.empty() ? "" : ", ") + name + " " + std::to_string(n);
    }
    std::printf("outcomes: %s\n", tally.c_str());
    const std::size_t w = growth.window;
    std::printf("rss: first %zu runs max %ld KiB, last %zu runs max %ld KiB (%+ld KiB, allowed "
                "+%ld KiB)%s\n",
                w, growth.rssFirst, w, growth.rssLast, growth.rssLast - growth.rssFirst,
                RssToleranceKiB, growth.rssGrew ? " GREW" : "");
    std::printf("fds: first %zu runs max %d, last %zu runs max %d (%+d, allowed +0)%s\n", w,
                growth.fdsFirst, w, growth.fdsLast, growth.fdsLast - growth.fdsFirst,
                growth.fdsGrew ? " GREW" : "");
    const bool pass = failed == 0 && !growth.rssGrew && !growth.fdsGrew;
    std::printf("%s\n", pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}
