// Loading and playing large macros with the portable core.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "core/base/file_store.h"
#include "core/macro/macro_file.h"
#include "core/macro/player.h"

namespace keyreel {
namespace {

constexpr int kLines = 100'000;

// A desktop that does nothing, so only the player's own work is measured.
class NullDesktop final : public Desktop {
  public:
    bool keyEvent(std::uint8_t, bool) override { return true; }
    bool typeCharacter(char32_t) override { return true; }
    bool tapAlt() override { return true; }
    bool moveCursor(int x, int y) override {
        benchmark::DoNotOptimize(x + y);
        return true;
    }
    bool mouseButton(std::uint32_t) override { return true; }
    std::vector<std::string> windowTitles() override { return {}; }
    bool closeWindow(const std::string&) override { return false; }
    bool activateWindow(const std::string&) override { return false; }
    StartResult startProgram(const std::string&) override { return StartResult::Started; }
    bool shellOpen(const std::string&) override { return true; }
    MessageAnswer showMessage(const MessageRequest&) override { return MessageAnswer::Ok; }
    void processPendingMessages() override {}
    // Pays for a clock reading, as the real desktop does.
    void processMessagesWhenDue() override {
        benchmark::DoNotOptimize(std::chrono::steady_clock::now());
    }
    void waitForMessages(std::int64_t) override {}
    void pauseBeforeNextPoll() override {}
    void typingPause() override {}
    void doubleClickGap() override {}
    std::int64_t localTimeMillis() override { return 0; }
};

void playLines(benchmark::State& state, const std::string& line) {
    MacroList list(kLines, line);
    NullDesktop desktop;
    RunState run;
    Player player(list, run, desktop);
    for (auto _ : state) {
        run.macroLineCount = kLines;
        player.runMacro();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_PlayNonCommandLines(benchmark::State& state) {
    playLines(state, "these words are not commands at all");
}
BENCHMARK(BM_PlayNonCommandLines)->Unit(benchmark::kMillisecond);

void BM_PlayMouseMoveLines(benchmark::State& state) {
    playLines(state, "MouseMove >640,480");
}
BENCHMARK(BM_PlayMouseMoveLines)->Unit(benchmark::kMillisecond);

// A block of one click played kLines times: every pass goes through
// End_Repeat, so the cost of a pass shows beside the cost of a line.
void BM_PlayRepeatBlock(benchmark::State& state) {
    MacroList list{"Repeat >" + std::to_string(kLines), "LClick", "End_Repeat"};
    NullDesktop desktop;
    RunState run;
    Player player(list, run, desktop);
    for (auto _ : state) {
        run.macroLineCount = static_cast<std::int32_t>(list.size());
        player.runMacro();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_PlayRepeatBlock)->Unit(benchmark::kMillisecond);

void BM_LoadMacroFile(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "keyreel-bench.kyr";
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < kLines; ++i)
            out << "SendText >line number " << i << "\r\n";
    }
    LocalFileStore store;
    MacroFiles files(store);
    MacroList list;
    for (auto _ : state) {
        files.loadList(path.string(), list);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadMacroFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keyreel

BENCHMARK_MAIN();
