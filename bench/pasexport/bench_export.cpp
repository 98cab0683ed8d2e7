// The whole export (reading the diagram, the eight passes, indenting) on a
// long chain of statements and on the flowchart of a long routine.
#include "bench/model/chaindiagram.h"
#include "pasexport/expunit.h"
#include "tests/pasexport/support/flowgen.h"
#include "tests/pasexport/support/literal_export.h"

#include <benchmark/benchmark.h>

namespace {

using TExport = std::vector<std::string> (*)(std::span<const uint8_t>, std::vector<std::string>&);

void Run(benchmark::State& state, const std::vector<uint8_t>& diagram,
         TExport run = kb::ExportPascal)
{
    size_t lines = 0;
    for (auto _ : state) {
        std::vector<std::string> text;
        const auto messages = run(diagram, text);
        if (!messages.empty()) state.SkipWithError(messages.front().c_str());
        lines = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["lines"] = double(lines);
    state.counters["bytes"] = double(diagram.size());
}

void StatementChain(benchmark::State& state)
{
    const auto n = int(state.range(0));
    Run(state, kbtest::ProgramDiagram(kbtest::StatementChain(n), kbtest::TDrawing::Arrows));
}

// The same chain with its blocks in list order from the last to the first:
// every merge then puts a short statement in front of a long sequence.
void StatementChainBackwards(benchmark::State& state)
{
    const auto n = int(state.range(0));
    kbtest::TFlowBuilder b;
    std::vector<kb::TShemObj*> r(static_cast<size_t>(n));
    for (int i = n - 1; i >= 0; --i)
        r[size_t(i)] = b.Rect("s" + std::to_string(i) + " := " + std::to_string(i),
                              200 + (i / 2000) * 120, 40 + (i % 2000) * 30);
    b.Flow(b.Ellipse("begin", 200, 0), r.front());
    for (int i = n - 2; i >= 0; --i)
        b.Flow(r[size_t(i)], r[size_t(i) + 1]);
    b.Flow(r.back(), b.Ellipse("end", 200, 65000));
    Run(state, b.Bytes());
}

// A routine of nested if, if-else, while and repeat statements, drawn with
// joint points and links on links as the unit import draws routines.
void Routine(benchmark::State& state)
{
    std::mt19937 rng(2024);
    const auto p = kbtest::RandomProgram(rng, int(state.range(0)), 4);
    Run(state, kbtest::ProgramDiagram(p, kbtest::TDrawing::Joints));
}

// The passes read literally, restarting every walk from the front, for scale.
void LiteralStatementChain(benchmark::State& state)
{
    const auto n = int(state.range(0));
    Run(state, kbtest::ProgramDiagram(kbtest::StatementChain(n), kbtest::TDrawing::Arrows),
        kbtest::LiteralExport);
}

// A chain of links on links that all reach one wide block, every arrow
// pointing back along the chain. The export ends at "No outgoing link" on
// it, after the passes that take the links off links and joint points; those
// are what is timed.
void HubChainPointingBack(benchmark::State& state)
{
    kb::TShem shem;
    kbbench::FillChain(shem, int(state.range(0)), true);
    std::vector<kb::TLink> links;
    kb::TShem back;
    for (int i = 0; i < shem.Count(); ++i) {
        const kb::TShemObj* e = shem.Get(i);
        if (e->IsBlock()) {
            back.AddBlock(e->block());
            continue;
        }
        kb::TLink l = e->link();
        l.EndA = back.Get(shem.IndexOf(l.EndA));
        l.EndB = back.Get(shem.IndexOf(l.EndB));
        l.Style = 2;
        back.AddLink(l);
    }
    const std::vector<uint8_t> diagram = back.SaveToBytes();
    std::string first;
    for (auto _ : state) {
        std::vector<std::string> text;
        const auto messages = kb::ExportPascal(diagram, text);
        first = messages.empty() ? "" : messages.front();
    }
    state.SetLabel(first);
}

void LiteralRoutine(benchmark::State& state)
{
    std::mt19937 rng(2024);
    const auto p = kbtest::RandomProgram(rng, int(state.range(0)), 4);
    Run(state, kbtest::ProgramDiagram(p, kbtest::TDrawing::Joints), kbtest::LiteralExport);
}

} // namespace

// 30,000 statements and their links come near the format's 65,536 entries.
BENCHMARK(StatementChain)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(StatementChainBackwards)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(Routine)->Arg(200)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(HubChainPointingBack)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(LiteralStatementChain)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(LiteralRoutine)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
