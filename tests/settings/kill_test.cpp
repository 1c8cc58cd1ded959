#include "scratch.h"
#include "settings/profile.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::pair<const char*, const char*> keys[] = {
    {"lastsize", "textx"}, {"lastsize", "textz"}, {"lastsize", "wallx"},
    {"lastsize", "wallz"}, {"position", "top"},   {"position", "left"}};

// Values of changing length, so a torn write would show as a short file.
void WriteAll(const fs::path& ini, int round) {
    for (const auto& [section, key] : keys)
        settings::WriteSetting(ini, section, key,
                               std::to_string(round) +
                                   std::string(static_cast<std::size_t>(round % 40), ' '));
}

// A child writes all six keys over and over and is killed at random moments,
// mostly in the middle of a write: the file must always be whole.
TEST_F(Scratch, AKillDuringWritingLeavesAWholeFile) {
    WriteAll(ini, 0);
    const auto start = Clock::now();
    WriteAll(ini, 1);
    // Kills spread over about two rounds of writing, capped so a slow disk
    // cannot stretch the test.
    const auto span =
        std::min<Clock::duration>(2 * (Clock::now() - start), std::chrono::milliseconds(10));
    std::mt19937 random(7);
    std::uniform_int_distribution<Clock::rep> delay(0, span.count());

    int changed = 0;
    std::string last = Slurp(ini);
    for (int round = 0; round < 150; ++round) {
        const pid_t child = fork();
        if (child == 0)
            for (int i = 2;; ++i)
                WriteAll(ini, i);
        // The first round waits for a change, so the child surely got to write.
        const auto until =
            Clock::now() + (round == 0 ? std::chrono::seconds(20) : Clock::duration(delay(random)));
        while (Clock::now() < until && (round != 0 || Slurp(ini) == last))
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        kill(child, SIGKILL);
        ASSERT_EQ(waitpid(child, nullptr, 0), child);
        const std::string now = Slurp(ini);
        for (const auto& [section, key] : keys)
            ASSERT_GE(settings::ReadSetting(ini, section, key, -1), 0)
                << "round " << round << ": " << now;
        changed += now != last;
        last = now;
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    std::cout << "150 kills in " << took.count() << " s, file changed in " << changed
              << ", temporary files left by the kills: " << Names(dir).size() - 1 << "\n";
    EXPECT_GT(changed, 0);
}

} // namespace
