// Appending to a long recording. A recording grows one line per key event
// and pointer sample for as long as it runs, so one append must cost the
// same at line 10,000 as at line 1; the rewrite benchmark shows what
// replacing the whole text on every line would cost instead.

#include <benchmark/benchmark.h>

#include "core/base/key_codes.h"
#include "core/base/memory_file_store.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/recorder.h"

namespace keyreel {
namespace {

constexpr int kRecordedLines = 10'000;

class StillPointer final : public PointerSampler {
  public:
    std::optional<ScreenPoint> cursorPosition() override { return ScreenPoint{}; }
    bool ownWindowAt(ScreenPoint) override { return false; }
};

// A recording of 10,000 lines of the kind a recording is made of.
std::string longRecording() {
    std::string text;
    for (int line = 0; line < kRecordedLines; ++line)
        text +=
            line % 3 == 0 ? "MouseMove >" + std::to_string(line) + ",480\r\n" : "SendText >k\r\n";
    return text;
}

// Counts what reaches the window, as the recorder window will show it.
class AppendCounter final : public RecordingBufferObserver {
  public:
    std::size_t bytes = 0;
    void textAppended(std::string_view added) override { bytes += added.size(); }
    void textCleared() override {}
};

void BM_RecordKeyIntoLongRecording(benchmark::State& state) {
    StillPointer pointer;
    MemoryFileStore store;
    MacroFiles files(store);
    SimulatedDesktop desktop;
    Recorder recorder({pointer, desktop, files, {}, {}, {}});
    AppendCounter window;
    recorder.buffer().setObserver(&window);
    recorder.toggleRecording();
    const std::string start = longRecording();
    recorder.buffer().takeEditedText(start);
    int appended = 0;
    for (auto _ : state) {
        recorder.keyDown(key::letter('K'), 0);
        // Back to 10,000 lines now and then, so every append lands on a
        // recording of 10,000 to 20,000 lines.
        if (++appended == kRecordedLines) {
            state.PauseTiming();
            recorder.buffer().takeEditedText(start);
            appended = 0;
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(window.bytes);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RecordKeyIntoLongRecording);

void BM_AppendByRewritingTheText(benchmark::State& state) {
    const std::string start = longRecording();
    std::string text = start;
    for (auto _ : state) {
        text = text + "SendText >k" + "\r\n";
        benchmark::DoNotOptimize(text.data());
        state.PauseTiming();
        text = start;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendByRewritingTheText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keyreel

BENCHMARK_MAIN();
