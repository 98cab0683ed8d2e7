// The close prompt of a document window: which answers close it, and that a
// save that fails keeps the window and its changes.
#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "tests/docwin/fakehost.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TFakeHost;

namespace {

class ChildDClose : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxHook([this](QWidget*, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons) {
            prompts.push_back(text);
            lastIcon = icon;
            lastButtons = buttons;
            return answer;
        });
        doc.setWindowTitle(QStringLiteral("/tmp/a.bls"));
    }
    // A real change: a block drawn with the rectangle tool.
    void Change()
    {
        doc.show();
        doc.resize(400, 300);
        host.Tool = tcRectangle;
        QTest::mousePress(&doc, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(&doc, QPoint(100, 60));
        QTest::mouseRelease(&doc, Qt::LeftButton, {}, QPoint(100, 60));
        ASSERT_TRUE(doc.Modified());
    }
    void TearDown() override { SetMessageBoxHook({}); }

    TFakeHost host;
    TChildD doc{host};
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QStringList prompts;
    QMessageBox::Icon lastIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons lastButtons;
};

} // namespace

TEST_F(ChildDClose, UnmodifiedDocumentClosesWithoutAsking)
{
    doc.show();
    EXPECT_TRUE(doc.close());
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ChildDClose, ModifiedDocumentAsksWithItsCaption)
{
    doc.show();
    Change();
    EXPECT_FALSE(doc.close());
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].startsWith(QStringLiteral("Сохранить изменения в /tmp/a.bls")));
    EXPECT_EQ(lastIcon, QMessageBox::Warning);
    EXPECT_EQ(lastButtons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(doc.isVisible());
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(host.SaveCalls, 0);
}

TEST_F(ChildDClose, NoClosesWithoutSaving)
{
    Change();
    answer = QMessageBox::No;
    EXPECT_TRUE(doc.close());
    EXPECT_EQ(host.SaveCalls, 0);
}

TEST_F(ChildDClose, YesSavesAndCloses)
{
    Change();
    answer = QMessageBox::Yes;
    EXPECT_TRUE(doc.close());
    EXPECT_EQ(host.SaveCalls, 1);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(ChildDClose, FailedOrCancelledSaveKeepsTheWindowOpen)
{
    doc.show();
    Change();
    answer = QMessageBox::Yes;
    host.Save = [](TChildD&) { return false; }; // the document stays modified
    EXPECT_FALSE(doc.close());
    EXPECT_TRUE(doc.isVisible());
    EXPECT_TRUE(doc.Modified());
    // A save that reports success but leaves changes behind does not close either.
    host.Save = [](TChildD&) { return true; };
    EXPECT_FALSE(doc.close());
}

TEST_F(ChildDClose, UndoingEverythingLeavesNothingToAsk)
{
    Change();
    doc.Undo();
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.close());
    EXPECT_TRUE(prompts.isEmpty());
}
