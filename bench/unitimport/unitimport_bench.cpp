// Micro-benchmarks of the unit import: scanning a unit, converting one
// routine of typical shape, and converting deeply nested statements.
#include "unitimport/converter.h"
#include "unitimport/routinediagram.h"
#include "unitimport/scanner.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace kb::unitimport;

namespace {

// A routine of the shape real code has: assignments, a loop, nested ifs and
// a case, about 40 statements.
std::string TypicalRoutine(int n)
{
    std::string s = "procedure TWorker.Step" + std::to_string(n) +
                    "(Sender: TObject);\r\n"
                    "var i, j: integer; // counters\r\nbegin\r\n";
    for (int k = 0; k < 4; ++k) {
        s += "  i := 0; j := Count * 2 + k;\r\n"
             "  while i < j do\r\n  begin\r\n    Inc(i);\r\n"
             "    if Items[i] = nil then Continue else Items[i].Update(i, 'x');\r\n"
             "  end;\r\n"
             "  for i := 1 to 10 do Total := Total + i;\r\n"
             "  case Mode of\r\n    0: Reset;\r\n    1, 2: begin Load; Save; end;\r\n"
             "  else Beep;\r\n  end;\r\n"
             "  repeat Dec(j) until j <= 0;\r\n";
    }
    return s + "end;\r\n";
}

std::string TypicalUnit(int routines)
{
    std::string s = "unit Worker;\r\ninterface\r\nimplementation\r\n";
    for (int n = 0; n < routines; ++n)
        s += TypicalRoutine(n);
    return s + "end.\r\n";
}

void BM_ScanUnit(benchmark::State& state)
{
    const std::string unit = TypicalUnit(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanText(unit));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(unit.size()));
}
BENCHMARK(BM_ScanUnit)->Arg(1)->Arg(100);

void BM_ConvertRoutine(benchmark::State& state)
{
    const TUnit unit = ScanText(TypicalUnit(1));
    for (auto _ : state) {
        kb::TShem shem;
        BuildRoutineDiagram(unit.Routines.at(0), shem);
        benchmark::DoNotOptimize(shem.SaveToBytes());
    }
}
BENCHMARK(BM_ConvertRoutine);

// Statements nested `depth` deep, as the scanner gives them: nested ifs,
// compounds that each hold a statement before the inner one, while loops
// and repeat loops. Past the converter's nesting limit, or past the layout's
// 65535 units for the wide shapes, the conversion is refused; the time is
// then what it takes to refuse.
TLines Nested(int kind, int depth)
{
    TLines lines;
    for (int i = 0; i < depth; ++i) {
        if (kind == 0) lines.insert(lines.end(), {"if", "c", "then"});
        if (kind == 1) lines.insert(lines.end(), {"begin", "x;"});
        if (kind == 2) lines.insert(lines.end(), {"while", "c", "do"});
        if (kind == 3) lines.push_back("repeat");
    }
    lines.push_back("x");
    for (int i = 0; i < depth; ++i) {
        if (kind == 1) lines.push_back("end;");
        if (kind == 3) lines.insert(lines.end(), {"until", "c;"});
    }
    return lines;
}

void BM_ConvertNested(benchmark::State& state)
{
    static const char* const kKinds[] = {"if", "begin", "while", "repeat"};
    const TLines lines = Nested(int(state.range(0)), int(state.range(1)));
    bool refused = false;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(Convert(lines));
        } catch (const TConvertError&) {
            refused = true;
        }
    }
    state.SetLabel(std::string(kKinds[state.range(0)]) + (refused ? ", refused" : ""));
}
BENCHMARK(BM_ConvertNested)
    ->ArgsProduct({{0, 1, 2, 3}, {500, 2000}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
