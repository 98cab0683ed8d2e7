// The whole interface in each language: the main window started as the
// program starts it, with the language its settings name, and every window,
// dialog, menu, context menu, toolbar, hint, status text and message a user
// meets walked for a text of the other language. Then the choice itself:
// English picked in Options, kept across a restart.
#include "docwin/childd.h"
#include "frame/autosave/recoverdialog.h"
#include "frame/dialogs/optionsform.h"
#include "frame/language/language.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "frame/services/searchdialogs.h"
#include "frame/services/settings.h"
#include "frame/startup.h"
#include "tests/frame/shellsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace kb;

namespace {

// Latin words the Russian interface keeps: the OK buttons, the zoom items
// "x1" to "x8" and "x 1" to "x 8", the picture formats and the encoding the
// messages name, "Plug-in" of the Import hint, as it has always read, and
// the language list's "English", named in itself.
const QStringList kLatinKeptInRussian = {"OK",           "x",       "x1",     "x2",  "x4",
                                         "x8",           "PNG",     "BMP",    "SVG", "PDF",
                                         "Windows-1251", "Plug-in", "English"};
// The Russian entry of the language list names the language in itself.
const QStringList kCyrillicKeptInEnglish = {"Русский"};

bool HasCyrillic(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) return true;
    return false;
}

// Words written in Latin letters only. File patterns and suffixes,
// placeholders and the names of keys are no words of a language.
QStringList LatinWords(QString text)
{
    if (QKeySequence::fromString(text).toString() == text) return {};
    static const QRegularExpression patterns(QStringLiteral(R"(\*?\.\w+|\*|%\d)"));
    static const QRegularExpression words(QStringLiteral(R"(\p{L}[\p{L}\p{N}-]*)"));
    text.remove(patterns);
    QStringList latin;
    for (auto it = words.globalMatch(text); it.hasNext();) {
        const QString word = it.next().captured();
        if (!HasCyrillic(word) && !kLatinKeptInRussian.contains(word)) latin.append(word);
    }
    return latin;
}

// What a user reads, and where; the user's own data (file names, font
// names, block texts) is left out before a text is judged.
class TSurface
{
public:
    TSurface(TLanguage language, QStringList data) : m_language(language), m_data(std::move(data))
    {
    }

    void Text(const QString& where, QString text)
    {
        for (const QString& d : m_data)
            text.remove(d);
        text = text.trimmed();
        if (text.isEmpty()) return;
        ++m_count;
        const bool foreign = m_language == TLanguage::Russian
                                 ? !LatinWords(text).isEmpty()
                                 : HasCyrillic(text) && !kCyrillicKeptInEnglish.contains(text);
        if (foreign) m_foreign.append(where + QStringLiteral(": \"") + text + QLatin1Char('"'));
    }

    // The window, every widget in it and every action they carry.
    void Window(QWidget& root, const QString& where)
    {
        QList<QWidget*> widgets = root.findChildren<QWidget*>();
        widgets.prepend(&root);
        for (QWidget* w : widgets) {
            const QString at =
                where + QLatin1Char('/') +
                (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                           : w->objectName());
            Widget(*w, at);
            for (QAction* a : w->actions())
                Action(*a, at);
        }
    }

    void Action(const QAction& a, const QString& where)
    {
        const QString at = where + QLatin1Char('>') + a.text();
        Text(at, a.text());
        Text(at + QStringLiteral(" tooltip"), a.toolTip());
        Text(at + QStringLiteral(" status tip"), a.statusTip());
    }

    int Count() const { return m_count; }
    const QStringList& Foreign() const { return m_foreign; }

private:
    void Widget(QWidget& w, const QString& at)
    {
        Text(at + QStringLiteral(" title"), w.windowTitle());
        Text(at + QStringLiteral(" tooltip"), w.toolTip());
        Text(at + QStringLiteral(" status tip"), w.statusTip());
        if (auto* l = qobject_cast<QLabel*>(&w)) Text(at, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(&w)) Text(at, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(&w)) Text(at, g->title());
        if (auto* e = qobject_cast<QLineEdit*>(&w)) Text(at, e->placeholderText());
        if (auto* m = qobject_cast<QMenu*>(&w)) Text(at, m->title());
        // The font box lists the system's fonts by their own names.
        if (auto* c = qobject_cast<QComboBox*>(&w); c && w.objectName() != "FontCombo")
            for (int i = 0; i < c->count(); ++i)
                Text(at + QStringLiteral("[%1]").arg(i), c->itemText(i));
        if (auto* v = qobject_cast<QTreeView*>(&w); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i)
                Text(at + QStringLiteral(" column %1").arg(i),
                     v->model()->headerData(i, Qt::Horizontal).toString());
    }

    TLanguage m_language;
    QStringList m_data;
    QStringList m_foreign;
    int m_count = 0;
};

// Runs trigger, and act on each modal window that shows meanwhile (looked
// for every 5 ms) until act says it is done; true when it did.
bool WhileModal(const std::function<void()>& trigger, const std::function<bool(QWidget&)>& act)
{
    bool done = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !act(*modal)) return;
        poll.stop();
        done = true;
    });
    poll.start();
    trigger(); // modal windows run their own loop: this returns once they are closed
    return done;
}

// Walks the dialog that trigger shows (the one of that object name, when
// one is given), then closes it as a user would, with Escape; true when one
// showed. A message box it raises on the way is read and answered too.
bool WalkWhenShown(TSurface& surface, const QString& where, const std::function<void()>& trigger,
                   const QString& name = {})
{
    return WhileModal(trigger, [&](QWidget& w) {
        if (auto* box = qobject_cast<QMessageBox*>(&w)) {
            // The Pascal export's messages are its fixed English texts.
            if (name != QLatin1String("ExpForm"))
                surface.Window(*box, where + QStringLiteral(" message"));
            box->buttons().front()->click();
            return false;
        }
        auto* dialog = qobject_cast<QDialog*>(&w);
        if (!dialog || (!name.isEmpty() && dialog->objectName() != name)) return false;
        surface.Window(*dialog, where);
        QTest::keyClick(dialog, Qt::Key_Escape);
        if (dialog->isVisible()) {
            ADD_FAILURE() << where.toStdString() << ": Escape left the dialog open";
            dialog->reject();
        }
        return true;
    });
}

// The message box that trigger raises, read as the user sees it and
// answered with `answer`.
void ReadMessageBox(TSurface& surface, const QString& where, const std::function<void()>& trigger,
                    QMessageBox::StandardButton answer = QMessageBox::Ok)
{
    const bool seen = WhileModal(trigger, [&](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        if (!box) return false;
        surface.Window(*box, where);
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
        return true;
    });
    EXPECT_TRUE(seen) << where.toStdString();
}

// Two rectangles joined by a link, at scale 2 (the view's first):
// A (10, 10)-(90, 30) is pixels (20, 20)-(180, 60).
std::vector<uint8_t> TwoBlocks()
{
    TShem s;
    auto block = [&](TRect r, const char* text) {
        Block b;
        b.SetRect(r);
        b.Text = text;
        return s.Get(s.AddBlock(b));
    };
    TShemObj* a = block({10, 10, 90, 30}, "1");
    TShemObj* b = block({10, 60, 90, 80}, "2");
    s.AddLink({1, a, b, {32767, 65535}, {32767, 0}});
    return s.SaveToBytes();
}
const QPoint kOnA{100, 40};
const QPoint kOnB{100, 140};
const QPoint kOnLink{100, 90};
const QPoint kEmpty{600, 300};

class InterfaceLanguage : public ::testing::Test
{
protected:
    // The autosave folder and the file association go into a home of the
    // test's own, so that nothing another test left there is recovered.
    static void SetUpTestSuite()
    {
        s_home = new QTemporaryDir;
        qputenv("HOME", s_home->path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
    }
    static void TearDownTestSuite() { delete s_home; }
    void TearDown() override { SetInterfaceLanguage(TLanguage::English); }

    std::unique_ptr<QSettings> Store() const
    {
        return std::make_unique<QSettings>(dir.filePath("Marlowen.conf"), QSettings::IniFormat);
    }

    // As the program starts: the language of the stored settings, then the
    // main window with the command line's files.
    std::unique_ptr<TMainForm> Start(const QStringList& files = {})
    {
        auto main = StartMainWindow(*Store(), files);
        QApplication::setActiveWindow(main.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        return main;
    }

    // As the program quits: the window closes, the settings are written.
    void Quit(std::unique_ptr<TMainForm> main)
    {
        for (TChildD* doc : main->Documents())
            doc->Document().MarkSaved();
        main->Command(TCommandId::Exit)->trigger();
        EXPECT_FALSE(main->isVisible());
        SaveSettings(*Store(), main->CollectSettings());
    }

    void WalkEverything(TLanguage language);

    static QTemporaryDir* s_home;
    QTemporaryDir dir;
};

QTemporaryDir* InterfaceLanguage::s_home = nullptr;

void InterfaceLanguage::WalkEverything(TLanguage language)
{
    Store()->setValue("Language", SettingOfLanguage(language));
    const QString file = test::WriteFile(dir, QStringLiteral("1.bls"), TwoBlocks());
    std::unique_ptr<TMainForm> main = Start({file});
    TMainForm& m = *main;
    TSurface surface(language, {QDir::toNativeSeparators(file), dir.path(), "1.bls", "gone.bls"});
    TChildD* doc = m.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    doc->SetScale(2);

    // The main window with its bars, list and status bar; every menu of the
    // menu bar as it opens, its items updated for the open document.
    m.Command(TCommandId::ShowAlignBar)->trigger(); // the alignment bar shows
    m.Command(TCommandId::Listing)->trigger();
    for (QAction* top : m.menuBar()->actions()) {
        QTest::mouseClick(m.menuBar(), Qt::LeftButton, {},
                          m.menuBar()->actionGeometry(top).center());
        ASSERT_TRUE(top->menu()->isVisible()) << top->text().toStdString();
        surface.Window(*top->menu(), QStringLiteral("menu"));
        QTest::keyClick(top->menu(), Qt::Key_Escape);
    }
    surface.Window(m, QStringLiteral("main"));
    m.Command(TCommandId::Exit)->showStatusText(&m);
    surface.Text(QStringLiteral("status bar"), m.statusBar()->currentMessage());

    // The document's context menu, raised with the right button on what the
    // left one selected; the dialogs it opens are picked from it.
    auto* popup = m.findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(popup, nullptr);
    auto contextMenu = [&](QPoint at) {
        QTest::mouseClick(doc, Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, doc->mapToGlobal(at));
        QApplication::sendEvent(doc, &event); // what the platform sends after the click
        EXPECT_TRUE(popup->isVisible());
    };
    auto pick = [&](const char* name) {
        return [&, name] {
            auto* item = m.findChild<QAction*>(QLatin1String(name));
            ASSERT_TRUE(item && item->isEnabled()) << name;
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
        };
    };
    QTest::mouseClick(doc, Qt::LeftButton, {}, kOnA);
    contextMenu(kOnA);
    surface.Window(*popup, QStringLiteral("context menu"));
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("properties"), pick("Properties1")));
    QTest::mouseClick(doc, Qt::LeftButton, {}, kOnLink);
    contextMenu(kOnLink);
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("link"), pick("Properties1")));
    QTest::mouseClick(doc, Qt::LeftButton, {}, kOnA);
    QTest::mouseClick(doc, Qt::LeftButton, Qt::ShiftModifier, kOnB);
    contextMenu(kOnA);
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("align"), pick("MenuItem1")));
    contextMenu(kOnA);
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("size"), pick("MenuItem2")));

    // The dialogs of the main menu's commands.
    auto trigger = [&](TCommandId id) { return [&m, id] { m.Command(id)->trigger(); }; };
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("options"), trigger(TCommandId::Options)));
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("about"), trigger(TCommandId::About)));
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("export"), trigger(TCommandId::ExportPascal),
                              QStringLiteral("ExpForm")));
    EXPECT_TRUE(WalkWhenShown(surface, QStringLiteral("full screen"),
                              trigger(TCommandId::FullScreen), QStringLiteral("FullViewForm")));
    m.Command(TCommandId::Replace)->trigger();
    ASSERT_NE(m.SearchDialogs().Replace(), nullptr);
    surface.Window(*m.SearchDialogs().Replace(), QStringLiteral("replace"));
    m.SearchDialogs().CloseAll();
    m.Command(TCommandId::Find)->trigger();
    TFindDialog* find = m.SearchDialogs().Find();
    ASSERT_NE(find, nullptr);
    surface.Window(*find, QStringLiteral("find"));

    // The common messages, raised for real.
    auto* what = find->findChild<QLineEdit*>(QStringLiteral("FindText"));
    QTest::keyClicks(what, QStringLiteral("no such text"));
    ReadMessageBox(surface, QStringLiteral("not found"), [&] {
        QTest::mouseClick(find->findChild<QPushButton*>(QStringLiteral("FindNextButton")),
                          Qt::LeftButton);
    });
    m.SearchDialogs().CloseAll();
    ReadMessageBox(surface, QStringLiteral("cannot load"),
                   [&] { m.OpenDocument(dir.filePath(QStringLiteral("gone.bls"))); });
    QTest::mouseClick(doc, Qt::LeftButton, {}, kEmpty);
    m.Command(TCommandId::SelectAll)->trigger();
    m.Command(TCommandId::Delete)->trigger();
    ReadMessageBox(
        surface, QStringLiteral("save prompt"),
        [&] { m.Command(TCommandId::FileClose)->trigger(); }, QMessageBox::No);
    EXPECT_FALSE(m.Documents().contains(doc));

    // A new document's title, and the dialog of recovered documents, which
    // only a lost session shows.
    const QString caption = m.NewDocument()->windowTitle();
    surface.Text(QStringLiteral("new document"), caption);
    TAutosaveRecord lost{QString(), caption, QDateTime::currentDateTime(), {}};
    TRecoverDialog recover({{QStringLiteral("x.kbautosave"), lost}});
    recover.show();
    surface.Window(recover, QStringLiteral("recover"));
    recover.close();

    // Every text of the catalogue, messages included: the translations in
    // Russian, the source texts in English.
    QFile ts(QStringLiteral(KB_SOURCE_DIR "/translations/kestrabin_ru.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    const QString element =
        language == TLanguage::Russian ? QStringLiteral("translation") : QStringLiteral("source");
    for (QXmlStreamReader xml(&ts); !xml.atEnd();)
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element)
            surface.Text(QStringLiteral("catalogue"), xml.readElementText());

    EXPECT_GT(surface.Count(), 600);
    EXPECT_TRUE(surface.Foreign().isEmpty())
        << surface.Foreign().size() << " texts of the other language:\n"
        << surface.Foreign().join(QLatin1Char('\n')).toStdString();
    Quit(std::move(main));
}

TEST_F(InterfaceLanguage, TheRussianInterfaceHasNoEnglishBeyondWhatItKeeps)
{
    WalkEverything(TLanguage::Russian);
}

TEST_F(InterfaceLanguage, TheEnglishInterfaceHasNoRussian)
{
    WalkEverything(TLanguage::English);
}

TEST_F(InterfaceLanguage, EnglishChosenInOptionsHoldsFromTheNextStart)
{
    std::unique_ptr<TMainForm> main = Start();
    EXPECT_EQ(main->FileMenu()->title(), QStringLiteral("&Файл")) << "Russian by default";

    const bool chosen = WhileModal(
        [&] { main->Command(TCommandId::Options)->trigger(); },
        [](QWidget& w) {
            auto* options = qobject_cast<TOptionsForm*>(&w);
            if (!options) return false;
            QComboBox* list = options->LanguageList();
            EXPECT_EQ(list->currentText(), QStringLiteral("Русский"));
            QTest::keyClick(list, Qt::Key_Down);
            EXPECT_EQ(list->currentText(), QStringLiteral("English"));
            QTest::mouseClick(options->findChild<QPushButton*>(QStringLiteral("Button1")),
                              Qt::LeftButton);
            return true;
        });
    ASSERT_TRUE(chosen);
    // The running window stays as it started.
    EXPECT_EQ(main->FileMenu()->title(), QStringLiteral("&Файл"));
    Quit(std::move(main));
    EXPECT_EQ(Store()->value("Language").toString(), QStringLiteral("en"));

    main = Start();
    EXPECT_EQ(main->FileMenu()->title(), QStringLiteral("&File"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Block-diagram editor"));
    EXPECT_EQ(main->Command(TCommandId::FileNew)->statusTip(), QStringLiteral("New block diagram"));
    Quit(std::move(main));

    // A value the editor does not know starts it in Russian.
    Store()->setValue("Language", "fr");
    main = Start();
    EXPECT_EQ(main->FileMenu()->title(), QStringLiteral("&Файл"));
    Quit(std::move(main));
}

} // namespace
