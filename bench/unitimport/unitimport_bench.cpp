// Micro-benchmarks of the unit import: scanning a unit and converting one
// routine of typical shape.
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

} // namespace

BENCHMARK_MAIN();
