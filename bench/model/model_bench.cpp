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

// The hit tests of one hovering mouse move with the select tool: the hint's
// ObjectAt and the cursor's HandleAt, LinkEndAt and LinkTargetAt, at points
// spread over the loaded 65,536-entry diagram. Argument 1 uses the spatial
// index, 0 walks the list.
void BM_HoverHitTests65536(benchmark::State& state)
{
    kb::TShem shem;
    shem.LoadFromStream(BigFile());
    shem.UseSpatialIndex(state.range(0) != 0);
    std::vector<kb::TPoint> points;
    for (int i = 0; i < 1024; ++i)
        points.push_back({(i * 7919) % 64000, (i * 104729) % 11000});
    size_t next = 0;
    for (auto _ : state) {
        const kb::TPoint p = points[next++ % points.size()];
        int handle = 0, end = 0;
        kb::TPoint snapped;
        benchmark::DoNotOptimize(shem.ObjectAt(p));
        benchmark::DoNotOptimize(shem.HandleAt(p, handle));
        benchmark::DoNotOptimize(shem.LinkEndAt(p, end));
        benchmark::DoNotOptimize(shem.LinkTargetAt(p, snapped));
    }
}
BENCHMARK(BM_HoverHitTests65536)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Building the index after a change, what the first hovering after an edit pays.
void BM_BuildSpatialIndex65536(benchmark::State& state)
{
    kb::TShem shem;
    shem.LoadFromStream(BigFile());
    for (auto _ : state) {
        shem.NoteChanged();
        for (int i = 0; i < 4; ++i) // three walks, then the build
            benchmark::DoNotOptimize(shem.ObjectAt({-100, -100}));
    }
}
BENCHMARK(BM_BuildSpatialIndex65536)->Unit(benchmark::kMillisecond);

// A rubber band of 2,000 x 1,000 units, every entry it touches.
void BM_RubberBand65536(benchmark::State& state)
{
    kb::TShem shem;
    shem.LoadFromStream(BigFile());
    shem.UseSpatialIndex(state.range(0) != 0);
    int x = 0;
    for (auto _ : state) {
        x = (x + 3001) % 60000;
        const kb::TRect r{x, 3000, x + 2000, 4000};
        int found = 0;
        for (int i = shem.NextInRectIndex(-1, r); i >= 0; i = shem.NextInRectIndex(i, r))
            ++found;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_RubberBand65536)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
