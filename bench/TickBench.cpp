// Cost of one full simulation tick with the headless runtime.
#include <benchmark/benchmark.h>

#include "CarrierModel.h"
#include "HeadlessRuntime.h"

namespace {

using carriers::CarrierModel;
using carriers::HeadlessRuntime;
using carriers::TextBoxId;

void RunTicks(benchmark::State& state, const char* fermiLevel, bool fullBands) {
    HeadlessRuntime rt;
    CarrierModel model(rt);
    model.Form_Load();
    rt.SetText(TextBoxId::Text2, fermiLevel);
    model.Command1_Click();
    for (int i = 0; i < 100; ++i) model.Timer1_Timer();  // leave the initial state
    std::int64_t carriers = 0;
    for (auto _ : state) {
        if (fullBands) {
            // Recombination is certain at 100 and 100; refill so every tick
            // moves 200 carriers. Marker 100, just parked, comes back into
            // its band within the tick.
            model.ElectronCount = 100;
            model.HoleCount = 100;
        }
        model.Timer1_Timer();
        carriers += model.ElectronCount.value() + model.HoleCount.value();
    }
    state.counters["carriers/tick"] =
        benchmark::Counter(static_cast<double>(carriers), benchmark::Counter::kAvgIterations);
}

void BM_TickDefaultRun(benchmark::State& state) { RunTicks(state, "0.5", false); }
void BM_TickFullBands(benchmark::State& state) { RunTicks(state, "0.5", true); }

}  // namespace

BENCHMARK(BM_TickDefaultRun);
BENCHMARK(BM_TickFullBands);
BENCHMARK_MAIN();
