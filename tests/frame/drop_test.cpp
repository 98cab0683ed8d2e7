// Dropping files from a file manager onto the main window.
#include "docwin/childd.h"
#include "frame/mainform.h"
#include "tests/frame/shellsupport.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

using namespace kb;
using kb::test::WriteDiagram;

namespace {

std::unique_ptr<QMimeData> Urls(const QStringList& files)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& f : files)
        urls.append(QUrl::fromLocalFile(f));
    data->setUrls(urls);
    return data;
}

bool Enter(TMainForm& main, const QMimeData& data)
{
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    return enter.isAccepted();
}

} // namespace

TEST(DropFiles, DiagramsOpenAndOtherFilesAreRefused)
{
    QTemporaryDir dir;
    const QString a = WriteDiagram(dir, "a.bls"), b = WriteDiagram(dir, "B.BLS");
    const QString text = kb::test::WriteFile(dir, "notes.txt", {'h', 'i'});
    TMainForm main;
    main.show();

    EXPECT_FALSE(Enter(main, *Urls({text})));
    EXPECT_FALSE(Enter(main, *Urls({a, text}))) << "a mixed drag is refused whole";
    EXPECT_FALSE(Enter(main, *Urls({dir.filePath("missing.bls")})));

    const auto diagrams = Urls({a, b});
    ASSERT_TRUE(Enter(main, *diagrams));
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, diagrams.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&main, &drop);
    ASSERT_EQ(main.Documents().size(), 2);
    EXPECT_EQ(main.Documents()[0]->FileName(), a);
    EXPECT_EQ(main.Documents()[1]->FileName(), b);
}
