// Drawing speed: the whole 10,000-block diagram to PNG and SVG as for print,
// and the visible part of it into a document window's back buffer.
#include "bench/drawing/flowchart.h"
#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/pictureexport.h"
#include "docwin/drawing/rastercanvas.h"
#include "docwin/drawing/shapedraw.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const kb::TShem& Flowchart()
{
    static kb::TShem shem;
    if (shem.Count() == 0) kbbench::FillFlowchart(shem);
    return shem;
}

void BM_RenderToPng(benchmark::State& state)
{
    const kb::TShem& shem = Flowchart();
    QTemporaryDir dir;
    const QString path = dir.filePath("flowchart.png");
    QString error;
    for (auto _ : state)
        if (!kb::ExportPicture(shem, path, int(state.range(0)), &error))
            state.SkipWithError(error.toUtf8().constData());
    state.counters["blocks"] = 10000;
}
// The PNG is compressed on more threads than the caller's: CPU time is the process's.
BENCHMARK(BM_RenderToPng)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->MinTime(3);

void BM_RenderToSvg(benchmark::State& state)
{
    const kb::TShem& shem = Flowchart();
    QTemporaryDir dir;
    const QString path = dir.filePath("flowchart.svg");
    QString error;
    for (auto _ : state)
        if (!kb::ExportPicture(shem, path, int(state.range(0)), &error))
            state.SkipWithError(error.toUtf8().constData());
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_RenderToSvg)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The same picture through Qt's SVG painter device, as pictures were written
// before: the figure to compare the file size and time with.
void BM_RenderToSvgPainterDevice(benchmark::State& state)
{
    const kb::TShem& shem = Flowchart();
    const int scale = int(state.range(0));
    const kb::TRect area = shem.RenderArea(scale);
    const QSize size(area.Right + 1, area.Bottom + 1);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        {
            kb::TPainterCanvas canvas(&svg);
            shem.Render(scale, kb::PictureFont(scale), canvas);
        }
        bytes = buffer.size();
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_RenderToSvgPainterDevice)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3);

// A repaint as the document window does it: fill with the window colour,
// then every entry touching the visible region, in list order.
void BM_DrawVisible(benchmark::State& state)
{
    const kb::TShem& shem = Flowchart();
    const int scale = int(state.range(0));
    QImage back(1600, 1000, QImage::Format_RGB32);
    const kb::TViewTransform view{{5000, 2000}, scale, 0, 0};
    const kb::TPoint far = view.ToDiagram({1600, 1000});
    const kb::TRect region{view.Origin.x, view.Origin.y, far.x, far.y};
    const kb::TColor window = kb::RGBColor(192, 192, 192);
    for (auto _ : state) {
        kb::TRasterCanvas canvas(back);
        canvas.SetBrushColor(window);
        canvas.FillRect({0, 0, 1600, 1000});
        canvas.SetFont(kb::PictureFont(scale));
        canvas.SetFontColor(kb::clBlack);
        kb::DrawEntries(canvas, shem, region, view, {}, window);
    }
}
BENCHMARK(BM_DrawVisible)->Arg(1)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
