// The real (non-native) file dialogs as the user meets them: where Open and
// Save As start and what they remember across a restart, the diagram filter
// in Russian, and picture export taking the format chosen in its filter.
#include "docwin/childd.h"
#include "frame/filedialogs.h"
#include "frame/mainform.h"
#include "tests/frame/shellsupport.h"
#include "tests/frame/user/whenshown.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::TypeName;
using kb::test::WhenShown;
using kb::test::WriteDiagram;

namespace {

QString Folder(const QString& path)
{
    return QDir(path).absolutePath();
}

class RealFileDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("store"));
        QDir(dir.path()).mkdir(QStringLiteral("work"));
        QDir(dir.path()).mkdir(QStringLiteral("pictures"));
    }

    std::unique_ptr<QSettings> Store()
    {
        return std::make_unique<QSettings>(dir.filePath(QStringLiteral("store/Marlowen.conf")),
                                           QSettings::IniFormat);
    }

    // One run of the editor on the store: start, use, quit, settings written.
    void RunSession(const std::function<void(TMainForm&)>& use)
    {
        auto store = Store();
        TMainForm main;
        main.ApplySettings(LoadSettings(*store));
        main.LoadExportModule(QStringLiteral(KB_BIN_DIR));
        main.show();
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        use(main);
        for (TChildD* doc : main.Documents())
            doc->Document().MarkSaved(); // nothing may stop the window going
        main.close();
        SaveSettings(*store, main.CollectSettings());
    }

    QTemporaryDir dir;
    TMessageRecorder messages;
};

} // namespace

TEST_F(RealFileDialogs, OpenStartsInDocumentsThenWhereTheUserLastOpened)
{
    const QString file = WriteDiagram(dir, QStringLiteral("work/plan.bls"), "plan");
    RunSession([&](TMainForm& main) {
        QString startedIn;
        auto ran = WhenShown<QFileDialog>([&](QFileDialog* d) {
            startedIn = d->directory().absolutePath();
            TypeName(d, file);
        });
        QTest::keyClick(&main, Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(*ran);
        EXPECT_EQ(startedIn, Folder(DocumentsFolder()));
        EXPECT_NE(startedIn, Folder(ProgramFolder())) << "never the installation";
        ASSERT_EQ(main.Documents().size(), 1);
        EXPECT_EQ(main.ActiveDocument()->FileName(), file);
    });
    RunSession([&](TMainForm& main) {
        QString startedIn;
        auto ran = WhenShown<QFileDialog>([&](QFileDialog* d) {
            startedIn = d->directory().absolutePath();
            d->reject();
        });
        main.Command(TCommandId::FileOpen)->trigger();
        ASSERT_TRUE(*ran);
        EXPECT_EQ(startedIn, Folder(dir.filePath(QStringLiteral("work"))));
    });
}

TEST_F(RealFileDialogs, SaveAsOffersDiagramsInRussianAndAddsBls)
{
    RunSession([&](TMainForm& main) {
        main.NewDocument();
        QString startedIn, filter;
        auto ran = WhenShown<QFileDialog>([&](QFileDialog* d) {
            startedIn = d->directory().absolutePath();
            filter = d->selectedNameFilter();
            TypeName(d, dir.filePath(QStringLiteral("work/chart")));
        });
        QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(*ran);
        EXPECT_EQ(startedIn, Folder(DocumentsFolder()));
        EXPECT_EQ(filter, QStringLiteral("Блок-схемы(*.bls)"));
        const QString saved = dir.filePath(QStringLiteral("work/chart.bls"));
        EXPECT_TRUE(QFileInfo::exists(saved));
        EXPECT_EQ(main.ActiveDocument()->FileName(), saved);
    });
    // Save As remembers its folder for the next start too.
    RunSession([&](TMainForm& main) {
        main.NewDocument();
        QString startedIn;
        auto ran = WhenShown<QFileDialog>([&](QFileDialog* d) {
            startedIn = d->directory().absolutePath();
            d->reject();
        });
        main.Command(TCommandId::FileSaveAs)->trigger();
        ASSERT_TRUE(*ran);
        EXPECT_EQ(startedIn, Folder(dir.filePath(QStringLiteral("work"))));
    });
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
}

TEST_F(RealFileDialogs, PictureTakesTheChosenFormatAndRemembersItsFolder)
{
    const QString file = WriteDiagram(dir, QStringLiteral("work/plan.bls"), "plan");
    RunSession([&](TMainForm& main) {
        ASSERT_TRUE(main.OpenDocument(file));
        QString suggested;
        auto ran = WhenShown<QFileDialog>([&](QFileDialog* d) {
            suggested = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            // PNG, BMP, SVG: two steps down the list of formats.
            auto* formats = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_TRUE(formats);
            formats->setFocus();
            QTest::keyClick(formats, Qt::Key_Down);
            QTest::keyClick(formats, Qt::Key_Down);
            EXPECT_TRUE(d->selectedNameFilter().startsWith(QStringLiteral("SVG")));
            TypeName(d, dir.filePath(QStringLiteral("pictures/plan")));
        });
        main.Command(TCommandId::ExportPicture)->trigger();
        ASSERT_TRUE(*ran);
        EXPECT_EQ(suggested, QStringLiteral("plan"));
        QFile svg(dir.filePath(QStringLiteral("pictures/plan.svg")));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << messages.Texts.join('\n').toStdString();
        EXPECT_TRUE(svg.readAll().contains("<svg"));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("pictures/plan.bls"))));
        EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();
    });
    EXPECT_EQ(Folder(Store()->value(QStringLiteral("PicturePath")).toString()),
              Folder(dir.filePath(QStringLiteral("pictures"))));
    EXPECT_EQ(Folder(Store()->value(QStringLiteral("Path")).toString()), Folder(DocumentsFolder()))
        << "the picture's folder is not the diagrams' folder";
    RunSession([&](TMainForm& main) {
        ASSERT_TRUE(main.OpenDocument(file));
        QString startedIn;
        auto ran = WhenShown<QFileDialog>([&](QFileDialog* d) {
            startedIn = d->directory().absolutePath();
            d->reject();
        });
        main.Command(TCommandId::ExportPicture)->trigger();
        ASSERT_TRUE(*ran);
        EXPECT_EQ(startedIn, Folder(dir.filePath(QStringLiteral("pictures"))));
    });
}

TEST(FilterSuffix, IsTheExtensionOfTheFirstPattern)
{
    EXPECT_EQ(FilterSuffix(QStringLiteral("PNG (*.png)")), QStringLiteral("png"));
    EXPECT_EQ(FilterSuffix(QStringLiteral("Блок-схемы(*.bls)")), QStringLiteral("bls"));
    EXPECT_EQ(FilterSuffix(QStringLiteral("All files (*)")), QString());
}
