// The undo history of a document on the 65,536-entry diagram. Each step is
// timed on the document object itself: the step applied or reverted, the
// selection fixed, one notification delivered to a counting subscriber; no
// window. The "with list" variants add the object list, shown, following
// the notifications (it updates only the rows that changed).
#include "bench/model/bigdiagram.h"
#include "docwin/document.h"
#include "frame/objectlist.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kb;

struct TSubject
{
    TDiagramDocument doc;
    std::unique_ptr<TObjectList> list;
    int64_t notices = 0;
    TShemObj* block = nullptr;

    explicit TSubject(bool withList)
    {
        TShem shem;
        kbbench::FillBigDiagram(shem, kMaxEntries);
        doc.Load(shem.SaveToBytes());
        QObject::connect(&doc, &TDiagramDocument::Changed, [this](const TChange&) { ++notices; });
        if (withList) {
            list = std::make_unique<TObjectList>();
            list->resize(300, 600);
            list->show();
            list->ShowDiagram(&doc.Shem());
            QObject::connect(&doc, &TDiagramDocument::Changed,
                             [this](const TChange& c) { list->Follow(doc.Shem(), c); });
        }
        for (int i = 0; i < doc.Shem().Count() && !block; ++i)
            if (TShemObj* e = doc.Shem().Get(i); e->IsBlock() && !e->IsJoint()) block = e;
        doc.SetSelection({block});
    }

    // One block moved by one unit: what dragging it records.
    void Move(int dx)
    {
        doc.Edit(TAction::Move, [&](TEdit& edit) {
            edit.Touch(block);
            Block& b = block->block();
            b.SetRect({b.Left + dx, b.Top, b.Right + dx, b.Bottom});
            return true;
        });
    }
};

void BM_MoveRecords(benchmark::State& state)
{
    TSubject s(state.range(0) != 0);
    int dx = 1;
    for (auto _ : state) {
        s.Move(dx);
        dx = -dx;
    }
    state.counters["bytes_per_move"] =
        double(s.doc.HistoryBytes()) / double(std::max(s.doc.HistorySteps(), 1));
    state.counters["steps_kept"] = s.doc.HistorySteps();
}

void BM_UndoRedoOneMove(benchmark::State& state)
{
    TSubject s(state.range(0) != 0);
    s.Move(1);
    for (auto _ : state) {
        s.doc.Undo();
        s.doc.Redo();
    }
    state.counters["notices"] = double(s.notices);
    state.SetItemsProcessed(int64_t(state.iterations()) * 2); // one undo and one redo each
}

void BM_UndoThousandMoves(benchmark::State& state)
{
    TSubject s(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i)
            s.Move(i % 2 ? -1 : 1);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            s.doc.Undo();
        state.PauseTiming();
        s.doc.Load(s.doc.Shem().SaveToBytes()); // a fresh history for the next round
        s.block = nullptr;
        for (int i = 0; i < s.doc.Shem().Count() && !s.block; ++i)
            if (TShemObj* e = s.doc.Shem().Get(i); e->IsBlock() && !e->IsJoint()) s.block = e;
        if (s.list) s.list->ShowDiagram(&s.doc.Shem());
        state.ResumeTiming();
    }
}

BENCHMARK(BM_MoveRecords)->ArgName("list")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoOneMove)->ArgName("list")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoThousandMoves)
    ->ArgName("list")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
