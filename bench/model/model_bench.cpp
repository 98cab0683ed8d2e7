// Diagram model timings: whole-file load and save at the format's maximum
// size, and the delete cascade on a heavily linked block.
#include "bench/model/bigdiagram.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<uint8_t> BigFile()
{
    kb::TShem shem;
    kbbench::FillBigDiagram(shem, 65536);
    return shem.SaveToBytes();
}

void BM_LoadAndSave65536(benchmark::State& state)
{
    const auto file = BigFile();
    for (auto _ : state) {
        kb::TShem shem;
        shem.LoadFromStream(file);
        auto again = shem.SaveToBytes();
        benchmark::DoNotOptimize(again.data());
    }
    state.SetLabel(std::to_string(file.size()) + " bytes");
}
BENCHMARK(BM_LoadAndSave65536)->Unit(benchmark::kMillisecond);

void BM_DeleteBlockWith10000Links(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        kb::TShem shem;
        kb::Block hub;
        hub.Right = hub.Bottom = 100;
        shem.AddBlock(hub);
        for (int i = 0; i < 10000; ++i) {
            kb::Block b;
            b.Left = 200 + i % 100 * 150;
            b.Top = i / 100 * 80;
            b.Right = b.Left + 100;
            b.Bottom = b.Top + 50;
            shem.AddBlock(b);
        }
        for (int i = 0; i < 10000; ++i) {
            kb::TLink l;
            l.EndA = shem.Get(0);
            l.EndB = shem.Get(1 + i);
            shem.AddLink(l);
        }
        state.ResumeTiming();
        shem.Delete(0);
        benchmark::DoNotOptimize(shem.Count());
    }
}
BENCHMARK(BM_DeleteBlockWith10000Links)->Unit(benchmark::kMillisecond);

void BM_SortShuffled65536(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        kb::TShem shem;
        kbbench::FillBigDiagram(shem, 65536);
        state.ResumeTiming();
        shem.SortEntries();
    }
}
BENCHMARK(BM_SortShuffled65536)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
