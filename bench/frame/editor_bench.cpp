// Opening a 65,536-entry diagram in the editor: the time from the Open
// command to the document's first paint, then repaints and hovering on it.
// Runs offscreen; prints the median of several runs for each figure.
#include "bench/model/bigdiagram.h"
#include "bench/model/chaindiagram.h"
#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int kEntries = 65536;
constexpr int kRuns = 7;

// Notices the first paint of any document window.
class TPaintWatch : public QObject
{
public:
    bool Painted = false;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && qobject_cast<kb::TChildD*>(o)) Painted = true;
        return false;
    }
};

// The machine is shared: the process's own CPU time shows what the editor
// costs, the wall time what the user waits.
double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Report(const char* what, const std::function<double()>& run)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        const double c0 = CpuMs();
        wall.push_back(run());
        cpu.push_back(CpuMs() - c0);
    }
    std::printf("%-56s wall %7.1f ms, cpu %7.1f ms (medians of %d)\n", what, Median(wall),
                Median(cpu), kRuns);
}

double OpenToFirstPaint(kb::TMainForm& main, const QString& file)
{
    TPaintWatch watch;
    qApp->installEventFilter(&watch);
    QElapsedTimer t;
    t.start();
    main.OpenDocument(file);
    while (!watch.Painted && t.elapsed() < 10000)
        QApplication::processEvents();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    qApp->removeEventFilter(&watch);
    for (kb::TChildD* doc : main.Documents())
        doc->parentWidget()->close();
    QApplication::processEvents();
    return ms;
}

double Timed(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kb::SetMessageBoxHook([](QWidget*, QMessageBox::Icon, const QString&,
                             QMessageBox::StandardButtons) { return QMessageBox::Ok; });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("big.bls"));
    {
        kb::TShem shem;
        kbbench::FillBigDiagram(shem, kEntries);
        const auto bytes = shem.SaveToBytes();
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }

    kb::TMainForm main;
    main.resize(1280, 800);
    main.show();
    QApplication::processEvents();

    Report("open 65,536 entries to first paint", [&] { return OpenToFirstPaint(main, file); });
    if (argc > 1 && QByteArray(argv[1]) == "--open-only") return 0;
    main.Command(kb::TCommandId::Listing)->trigger();
    Report("open 65,536 entries to first paint, object list shown",
           [&] { return OpenToFirstPaint(main, file); });
    main.Command(kb::TCommandId::Listing)->trigger();

    kb::TChildD* doc = main.OpenDocument(file);
    QApplication::processEvents();
    const kb::TRect view = doc->ViewRect();
    std::printf("document view %d x %d pixels\n", view.Right - view.Left, view.Bottom - view.Top);
    for (int scale : {2, 1}) {
        doc->SetScale(scale);
        const QByteArray what = QByteArrayLiteral("repaint at scale ") + QByteArray::number(scale);
        Report(what.constData(), [&] { return Timed([&] { doc->Repaint(); }); });
    }
    Report("select all, then repaint", [&] {
        doc->SetSelection({});
        return Timed([&] { doc->SelectAll(); });
    });
    doc->SetSelection({});
    Report("100 hit tests under the mouse (the hover hint's share)", [&] {
        return Timed([&] {
            for (int i = 0; i < 100; ++i)
                doc->Shem().ObjectAt(doc->ToDiagram({5 + i * 3, 5 + i * 2}));
        });
    });
    // Every question a hovering move with the select tool may ask: the
    // hint's, and the cursor's handle, link end and link target.
    Report("the hit tests of 100 hovering moves (four questions each)", [&] {
        return Timed([&] {
            for (int i = 0; i < 100; ++i) {
                const kb::TPoint p = doc->ToDiagram({5 + i * 3, 5 + i * 2});
                int handle = 0, end = 0;
                kb::TPoint snapped;
                doc->Shem().ObjectAt(p);
                doc->Shem().HandleAt(p, handle);
                doc->Shem().LinkEndAt(p, end);
                doc->Shem().LinkTargetAt(p, snapped);
            }
        });
    });
    Report("100 hovering mouse moves", [&] {
        return Timed([&] {
            for (int i = 0; i < 100; ++i) {
                const QPointF p(5 + i * 3, 5 + i * 2);
                QMouseEvent move(QEvent::MouseMove, p, doc->mapToGlobal(p), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(doc, &move);
            }
        });
    });
    doc->parentWidget()->close();
    QApplication::processEvents();

    // One chain of 40,000 links on links: every link's ends hang on the one
    // before, so link ends solved afresh for each link cost the square.
    const QString chain = dir.filePath(QStringLiteral("chain.bls"));
    {
        kb::TShem shem;
        kbbench::FillChain(shem, 40000);
        const auto bytes = shem.SaveToBytes();
        QFile f(chain);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    Report("open a 40,000-link chain to first paint",
           [&] { return OpenToFirstPaint(main, chain); });
    doc = main.OpenDocument(chain);
    QApplication::processEvents();
    Report("chain: repaint at scale 2", [&] { return Timed([&] { doc->Repaint(); }); });
    Report("chain: 100 hovering mouse moves", [&] {
        return Timed([&] {
            for (int i = 0; i < 100; ++i) {
                const QPointF p(5 + i * 3, 5 + i * 2);
                QMouseEvent move(QEvent::MouseMove, p, doc->mapToGlobal(p), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(doc, &move);
            }
        });
    });
    return 0;
}
