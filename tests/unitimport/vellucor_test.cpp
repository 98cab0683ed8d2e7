// The Vellucor plug-in loaded as the editor loads it: the built library from
// bin/plugin/, bound by name, with this test program as the host that
// exports LoadFile. The modal dialogs are driven with QTest on the
// offscreen platform.
#include "tests/unitimport/support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLibrary>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <deque>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using kbtest::Crlf;

namespace {

std::vector<std::string> g_loaded;

} // namespace

// The editor's export, found by the plug-in through dlopen(nullptr).
extern "C" __attribute__((visibility("default"))) void LoadFile(const char* fileName)
{
    g_loaded.emplace_back(fileName);
}

namespace {

// Runs actions on modal widgets as they come up: each step waits until the
// active modal widget is of its kind (and not the one the last step had),
// then acts on it. A script that stalls fails the test after a while and
// closes what is open, so that nothing hangs.
class ModalScript
{
public:
    ModalScript()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(10);
        m_idle.start();
    }
    ~ModalScript() { EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " step(s) never came"; }

    template <class W> ModalScript& Then(std::function<void(W*)> act)
    {
        Add([](QWidget* w) { return w->metaObject() == &W::staticMetaObject; },
            [act](QWidget* w) { act(static_cast<W*>(w)); });
        return *this;
    }
    ModalScript& ThenListProc(std::function<void(QDialog*)> act)
    {
        Add([](QWidget* w) { return w->objectName() == "ListProc"; },
            [act](QWidget* w) { act(static_cast<QDialog*>(w)); });
        return *this;
    }

private:
    struct Step
    {
        std::function<bool(QWidget*)> Matches;
        std::function<void(QWidget*)> Act;
    };

    void Add(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> act)
    {
        m_steps.push_back({std::move(matches), std::move(act)});
    }

    void Poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        if (m_steps.empty() || m_idle.elapsed() > 10000) {
            if (m_idle.elapsed() > 10000) {
                ADD_FAILURE() << "the script stalled at " << w->metaObject()->className();
                if (auto* d = qobject_cast<QDialog*>(w)) d->done(0);
            }
            return;
        }
        if (w == m_last || !m_steps.front().Matches(w)) return;
        m_last = w;
        m_idle.restart();
        // Acted on from a fresh event: Qt does not fire this timer again
        // while its handler runs, and an action may open a nested dialog.
        QTimer::singleShot(0, [act = std::move(m_steps.front().Act), target = QPointer(w)] {
            if (target) act(target);
        });
        m_steps.pop_front();
    }

    QTimer m_timer;
    QElapsedTimer m_idle;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
};

using Init = void (*)(void*);
using GetText = const char* (*)();
using Import = int (*)();

class Vellucor : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The plug-in keeps its unit folder in the editor's settings store;
        // each test process keeps its own, away from the user's and from the
        // tests running beside it.
        s_settings = new QTemporaryDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, s_settings->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, s_settings->path());
        s_lib = new QLibrary(QString(KB_BIN_DIR) + "/plugin/vellucor.so");
        ASSERT_TRUE(s_lib->load()) << s_lib->errorString().toStdString();
        auto init = reinterpret_cast<Init>(s_lib->resolve("Init"));
        ASSERT_TRUE(init);
        init(dlopen(nullptr, RTLD_NOW));
    }

    void SetUp() override { g_loaded.clear(); }

    int ImportFiles() { return reinterpret_cast<Import>(s_lib->resolve("ImportFiles"))(); }

    std::string WriteUnit(const std::string& body)
    {
        const fs::path p = m_dir.Path() / "unit.pas";
        kbtest::WriteBytes(p, Crlf("unit U;\ninterface\nimplementation\n" + body + "end.\n"));
        return p.string();
    }

    // Types a path into a file dialog's name field and accepts it. (The
    // dialog's own selectFile is unreliable while the folder still loads.)
    static void Type(QFileDialog* d, const std::string& path)
    {
        d->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
        static_cast<QDialog*>(d)->accept(); // public in QDialog
    }
    static std::function<void(QFileDialog*)> Choose(const std::string& path)
    {
        return [path](QFileDialog* d) { Type(d, path); };
    }

    static QListWidget* List(QDialog* d) { return d->findChild<QListWidget*>("ProcedureList"); }
    static QLineEdit* Folder(QDialog* d) { return d->findChild<QLineEdit*>("FolderName"); }
    static void Click(QDialog* d, const char* button)
    {
        QTest::mouseClick(d->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    static std::vector<std::string> Items(QDialog* d)
    {
        std::vector<std::string> items;
        for (int i = 0; i < List(d)->count(); ++i)
            items.push_back(List(d)->item(i)->text().toStdString());
        return items;
    }

    static QLibrary* s_lib;
    static QTemporaryDir* s_settings;
    kbtest::TTempDir m_dir;
};

QLibrary* Vellucor::s_lib = nullptr;
QTemporaryDir* Vellucor::s_settings = nullptr;

TEST_F(Vellucor, NamesItself)
{
    auto name = reinterpret_cast<GetText>(s_lib->resolve("GetName"));
    auto hint = reinterpret_cast<GetText>(s_lib->resolve("GetHint"));
    ASSERT_TRUE(name && hint);
    EXPECT_STREQ(name(), "Delphi unit");
    EXPECT_STREQ(hint(), "Import Delphi Unit and convert it into block-diagram.");
    EXPECT_EQ(name(), name());
}

TEST_F(Vellucor, CancelledOpenDoesNothing)
{
    ModalScript script;
    script.Then<QFileDialog>([](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Import Delphi Unit and convert it into block-diagram.");
        EXPECT_EQ(d->nameFilters(),
                  (QStringList{"Delphi unit (*.pas)", "Free Pascal unit (*.pp)", "All files (*)"}));
        EXPECT_EQ(d->selectedNameFilter(), "Delphi unit (*.pas)");
        d->reject();
    });
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_TRUE(g_loaded.empty());
}

TEST_F(Vellucor, ConvertsTheSelectionInListOrderIntoANewFolder)
{
    const std::string unit = WriteUnit("procedure Zeta; begin z; end;\n"
                                       "function alpha(x: integer): integer; begin a; end;\n"
                                       "procedure Beta; begin b; end;\n"
                                       "function Gamma: integer; begin g; end;\n");
    const std::string out = (m_dir.Path() / "made" / "for" / "us").string();
    ModalScript script;
    script.Then(Choose(unit)).ThenListProc([&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Please, select procedure and function which you want convert");
        EXPECT_EQ(Items(d),
                  (std::vector<std::string>{"function alpha(x: integer):", "function Gamma:",
                                            "procedure Beta", "procedure Zeta"}));
        EXPECT_EQ(Folder(d)->text().toStdString(), m_dir.Str() + "/");
        // Chosen bottom first; converted top first.
        List(d)->item(3)->setSelected(true);
        List(d)->item(0)->setSelected(true);
        List(d)->item(2)->setSelected(true);
        Folder(d)->setText(QString::fromStdString(out));
        Click(d, "OK");
    });
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_EQ(g_loaded,
              (std::vector<std::string>{out + "/alpha.bls", out + "/Beta.bls", out + "/Zeta.bls"}));
    for (const std::string& p : g_loaded)
        EXPECT_EQ(kbtest::DumpBlsFile(p).size(), 6u) << p;
}

TEST_F(Vellucor, OnlyOkAndCancelClose)
{
    const std::string unit = WriteUnit("procedure A; begin a; end;\n");
    ModalScript script;
    script.Then(Choose(unit)).ThenListProc([&](QDialog* d) {
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        d->close();
        EXPECT_TRUE(d->isVisible());
        List(d)->item(0)->setSelected(true);
        Click(d, "Cancel");
    });
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_TRUE(g_loaded.empty());
    EXPECT_FALSE(fs::exists(m_dir.Path() / "A.bls"));
}

TEST_F(Vellucor, BrowseFillsTheFolderUnlessCancelled)
{
    const std::string unit = WriteUnit("procedure A; begin a; end;\n");
    const fs::path picked = m_dir.Path() / "picked";
    fs::create_directories(picked);
    QDialog* dialog = nullptr;
    ModalScript script;
    script.Then(Choose(unit))
        .ThenListProc([&](QDialog* d) {
            dialog = d;
            Folder(d)->setText("kept as typed");
            Click(d, "Browse");
        })
        .Then<QFileDialog>([&](QFileDialog* b) {
            EXPECT_EQ(b->windowTitle(), "Select folder for block-diagram files");
            EXPECT_EQ(b->fileMode(), QFileDialog::Directory);
            b->reject();
            QTimer::singleShot(0, [&] {
                EXPECT_EQ(Folder(dialog)->text(), "kept as typed");
                Click(dialog, "Browse");
            });
        })
        .Then<QFileDialog>([&](QFileDialog* b) {
            Type(b, picked.string());
            QTimer::singleShot(0, [&] {
                EXPECT_EQ(Folder(dialog)->text().toStdString(), picked.string());
                Click(dialog, "Cancel");
            });
        });
    EXPECT_EQ(ImportFiles(), 0);
}

std::string ManyRoutines(int n)
{
    std::string body;
    for (int i = 0; i < n; ++i)
        body += "procedure P" + std::to_string(100 + i) + "; begin x; end;\n";
    return body;
}

TEST_F(Vellucor, OpensAtMostFortyFiles)
{
    for (const int n : {40, 41}) {
        g_loaded.clear();
        const std::string unit = WriteUnit(ManyRoutines(n));
        bool warned = false;
        ModalScript script;
        script.Then(Choose(unit)).ThenListProc([&](QDialog* d) {
            List(d)->selectAll();
            Click(d, "OK");
        });
        if (n > 40)
            script.Then<QMessageBox>([&](QMessageBox* m) {
                warned = true;
                EXPECT_EQ(m->text(), "Too many files to open. Load only first 40 files");
                EXPECT_EQ(m->windowTitle(), "Delphi unit");
                EXPECT_EQ(m->icon(), QMessageBox::Warning);
                m->accept();
            });
        EXPECT_EQ(ImportFiles(), 0);
        EXPECT_EQ(g_loaded.size(), 40u);
        EXPECT_EQ(g_loaded.back(), m_dir.Str() + "/P139.bls");
        EXPECT_EQ(warned, n > 40);
        EXPECT_EQ(fs::exists(m_dir.Path() / "P140.bls"), n > 40); // written, not opened
    }
}

TEST_F(Vellucor, SameHeadersConvertTheFirstRoutine)
{
    const std::string unit = WriteUnit("procedure A; begin first; end;\n"
                                       "procedure A; begin second; end;\n");
    ModalScript script;
    script.Then(Choose(unit)).ThenListProc([&](QDialog* d) {
        List(d)->selectAll();
        Click(d, "OK");
    });
    ImportFiles();
    ASSERT_EQ(g_loaded.size(), 2u);
    EXPECT_EQ(g_loaded[1], m_dir.Str() + "/A~2.bls");
    EXPECT_EQ(kbtest::DumpBlsFile(g_loaded[0]), kbtest::DumpBlsFile(g_loaded[1]));
    EXPECT_NE(kbtest::DumpBlsFile(g_loaded[0])[0].find("text=first"), std::string::npos);
}

TEST_F(Vellucor, ReportsWhatItCouldNotDo)
{
    const std::string unit = WriteUnit("procedure Good; begin x; end;\n"
                                       "procedure Bad; begin until x; end;\n");
    ModalScript script;
    script.Then(Choose(unit))
        .ThenListProc([&](QDialog* d) {
            Folder(d)->setText("");
            Click(d, "OK");
        })
        .Then<QMessageBox>([&](QMessageBox* m) {
            EXPECT_EQ(m->text(), "Please enter the folder for the block-diagram files.");
            m->accept();
        })
        .ThenListProc([&](QDialog* d) { // the dialog again, still open
            Folder(d)->setText(QString::fromStdString(m_dir.Str()));
            List(d)->selectAll();
            Click(d, "OK");
        })
        .Then<QMessageBox>([&](QMessageBox* m) {
            EXPECT_EQ(m->text(), "Some routines were not converted:\n"
                                 "procedure Bad: skipped, repeat and until do not match");
            m->accept();
        });
    ImportFiles();
    EXPECT_EQ(g_loaded, (std::vector<std::string>{m_dir.Str() + "/Good.bls"}));
}

TEST_F(Vellucor, UnreadableUnitIsReported)
{
    ModalScript script;
    script.Then(Choose((m_dir.Path() / "missing.pas").string()))
        .Then<QMessageBox>([&](QMessageBox* m) {
            EXPECT_NE(m->text().indexOf("Cannot read"), -1);
            m->accept();
        });
    EXPECT_EQ(ImportFiles(), 0);
}

TEST_F(Vellucor, TheUnitDialogStartsWhereTheLastUnitWas)
{
    const fs::path units = m_dir.Path() / "units";
    fs::create_directories(units);
    kbtest::WriteBytes(units / "u.pp", Crlf("unit U;\ninterface\nimplementation\nend.\n"));
    ModalScript first;
    first.Then(Choose((units / "u.pp").string())).ThenListProc([&](QDialog* d) {
        Click(d, "Cancel");
    });
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_EQ(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Marlowen")
                  .value("UnitPath")
                  .toString()
                  .toStdString(),
              units.string());

    ModalScript second;
    second.Then<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->directory().absolutePath().toStdString(), units.string());
        d->reject();
    });
    EXPECT_EQ(ImportFiles(), 0);
}

TEST_F(Vellucor, AFolderThatCannotBeWrittenIsSaidBeforeConverting)
{
    const std::string unit = WriteUnit("procedure A; begin a; end;\n");
    kbtest::WriteBytes(m_dir.Path() / "blocker", "a file, not a folder");
    const std::string out = (m_dir.Path() / "blocker" / "out").string();
    ModalScript script;
    script.Then(Choose(unit))
        .ThenListProc([&](QDialog* d) {
            QTest::mouseClick(List(d)->viewport(), Qt::LeftButton, {},
                              List(d)->visualItemRect(List(d)->item(0)).center());
            Folder(d)->setText(QString::fromStdString(out));
            Click(d, "OK");
        })
        .Then<QMessageBox>([&](QMessageBox* m) {
            EXPECT_NE(m->text().indexOf("cannot be created"), -1) << m->text().toStdString();
            EXPECT_NE(m->text().indexOf(QString::fromStdString(out)), -1);
            m->accept();
        })
        .ThenListProc([&](QDialog* d) { Click(d, "Cancel"); }); // still open
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_TRUE(g_loaded.empty());
    EXPECT_FALSE(fs::exists(m_dir.Path() / "A.bls"));
}

TEST_F(Vellucor, RoutinesThatLoseCompilerDirectivesAreNamed)
{
    const std::string unit =
        WriteUnit("procedure Plain; begin a; end;\n"
                  "procedure Tuned; begin {$push}{$Q-} a := b * c; {$pop} end;\n");
    ModalScript script;
    script.Then(Choose(unit))
        .ThenListProc([&](QDialog* d) {
            QTest::keyClick(List(d), Qt::Key_A, Qt::ControlModifier);
            Click(d, "OK");
        })
        .Then<QMessageBox>([&](QMessageBox* m) {
            EXPECT_TRUE(m->text().startsWith("Compiler directives ({$...}) in these routines"));
            EXPECT_TRUE(m->text().endsWith("\nprocedure Tuned")) << m->text().toStdString();
            EXPECT_EQ(m->icon(), QMessageBox::Warning);
            m->accept();
        });
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_EQ(g_loaded.size(), 2u);
}

TEST_F(Vellucor, ALongConversionShowsProgressAndCanBeCancelled)
{
    constexpr int kRoutines = 20000;
    std::string body;
    for (int i = 0; i < kRoutines; ++i)
        body += "procedure P" + std::to_string(10000 + i) +
                "; begin a := 1; while a < 9 do begin b; if c then d else e; end; f; g; end;\n";
    const std::string unit = WriteUnit(body);
    // Whatever message ends the run ("Too many files to open") is answered.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) m->accept();
    });
    answer.start(20);
    bool shown = false;
    ModalScript script;
    script.Then(Choose(unit))
        .ThenListProc([&](QDialog* d) {
            QTest::keyClick(List(d), Qt::Key_A, Qt::ControlModifier);
            Click(d, "OK");
        })
        .Then<QProgressDialog>([&](QProgressDialog* p) {
            shown = true;
            EXPECT_EQ(p->windowTitle(), "Delphi unit");
            QTest::mouseClick(p->findChild<QPushButton*>(), Qt::LeftButton);
        });
    EXPECT_EQ(ImportFiles(), 0);
    EXPECT_TRUE(shown);

    std::vector<fs::path> written;
    for (const auto& e : fs::directory_iterator(m_dir.Path()))
        if (e.path().extension() == ".bls") written.push_back(e.path());
    EXPECT_GT(written.size(), 0u);
    EXPECT_LT(written.size(), size_t(kRoutines)); // stopped early
    EXPECT_EQ(g_loaded.size(), std::min<size_t>(written.size(), 40));
    for (const fs::path& p : written) { // each one whole, its title the last record
        const std::string title =
            " block kind=5 rect=0,0,160,40 text=procedure " + p.stem().string();
        const std::string last = kbtest::DumpBlsFile(p).back();
        ASSERT_TRUE(last.size() > title.size() && last.ends_with(title)) << p << ": " << last;
    }
}

} // namespace
