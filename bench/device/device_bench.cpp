// Speed of the device link on the simulated board: each chip command with a display
// that does nothing, the busy-wait per pass, and the port layer's cost per write.
#include <benchmark/benchmark.h>

#include "device/UseParPort.h"
#include "platform/parllio/parllio.h"
#include "platform/parllio/sim/sim_board.h"

namespace {

void onSimulatedBoard() {
    parllio::useBackend(std::make_unique<parllio::SimBoard>(parllio::SimSettings{}));
    device::resetProgramState();
    device::portAddress = 888;
    device::setPhaseDisplay([](std::string_view phase) { benchmark::DoNotOptimize(phase.data()); });
}

void BM_writeFreqCode(benchmark::State& state) {
    onSimulatedBoard();
    const device::Integer code = 17;
    for (auto _ : state)
        device::writeFreqCode(code, 0);
}
BENCHMARK(BM_writeFreqCode);

void BM_readFreqCode(benchmark::State& state) {
    onSimulatedBoard();
    for (auto _ : state)
        device::readFreqCode(0, 0);
}
BENCHMARK(BM_readFreqCode);

void BM_readBackCode(benchmark::State& state) {
    onSimulatedBoard();
    for (auto _ : state)
        device::readBackCode(0);
}
BENCHMARK(BM_readBackCode);

void BM_readFreqCodeAtLoad(benchmark::State& state) {
    onSimulatedBoard();
    for (auto _ : state)
        device::readFreqCodeAtLoad();
}
BENCHMARK(BM_readFreqCodeAtLoad);

// Items are wait passes, so the rate reads as passes per second.
void BM_waitLoop(benchmark::State& state) {
    const auto count = static_cast<device::Long>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(device::waitLoop(count));
    state.SetItemsProcessed(state.iterations() * (count + 1));
}
BENCHMARK(BM_waitLoop)->Arg(0)->Arg(1000)->Arg(1000000);

void BM_OutByteThroughLayer(benchmark::State& state) {
    onSimulatedBoard();
    std::uint8_t value = 0;
    for (auto _ : state)
        parllio::OutByte(888, value++ & 7);
}
BENCHMARK(BM_OutByteThroughLayer);

void BM_OutByteDirectToBackend(benchmark::State& state) {
    parllio::SimBoard board(parllio::SimSettings{});
    parllio::Backend& backend = board;
    std::uint8_t value = 0;
    for (auto _ : state)
        backend.outByte(888, value++ & 7);
}
BENCHMARK(BM_OutByteDirectToBackend);

} // namespace

BENCHMARK_MAIN();
