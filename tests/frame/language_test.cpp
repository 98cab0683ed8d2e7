// The Russian interface through the catalogue: the windows as they are made
// with it installed, what a user meets first after start-up, the windows the
// main window makes later, Qt's own texts, and the language setting.
#include "docwin/childd.h"
#include "docwin/fullview/fullview.h"
#include "frame/about.h"
#include "frame/dialogs/alignform.h"
#include "frame/dialogs/blockprop.h"
#include "frame/dialogs/linkprop.h"
#include "frame/dialogs/optionsform.h"
#include "frame/dialogs/radiogroup.h"
#include "frame/dialogs/sizeform.h"
#include "frame/filedialogs.h"
#include "frame/language/language.h"
#include "frame/language/mainhints.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "frame/services/searchdialogs.h"
#include "pasexport/ui/expform.h"
#include "tests/frame/shellsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

// Failures show the texts, not their bytes.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace kb;

namespace {

std::string Join(const QStringList& names)
{
    return names.join(QStringLiteral(", ")).toStdString();
}

template <typename T> QString TextOf(const QWidget& window, const char* name)
{
    const T* control = window.findChild<T*>(QLatin1String(name));
    return control ? control->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

QStringList RadioItems(const QWidget& window, const char* name)
{
    QStringList items;
    for (const QRadioButton* b : window.findChild<TRadioGroup*>(QLatin1String(name))->Items())
        items.append(b->text());
    return items;
}

// Runs check on the modal dialog that trigger opens, then closes it.
void WithModalDialog(const std::function<void()>& trigger,
                     const std::function<void(QDialog&)>& check)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        check(*dialog);
        dialog->reject();
    });
    trigger();
    EXPECT_TRUE(seen) << "no modal dialog";
}

class RussianInterface : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
    void TearDown() override
    {
        FileDialogs() = m_savedDialogs;
        for (TChildD* doc : main.Documents())
            doc->Document().MarkSaved(); // as if saved: nothing may stop the window going
    }

    // Every window takes its texts as it is made: the catalogue comes first,
    // as at start-up.
    test::TRussianInterface russian;
    TMainForm main;

private:
    TFileDialogs m_savedDialogs = FileDialogs();
};

TEST_F(RussianInterface, EveryWindowTakesItsTextsAndLeavesTheRestAlone)
{
    TAbout& about = main.AboutBox();
    auto* align = new TAlignF(&main);
    auto* size = new TSizeF(&main);
    auto* view = new TFullViewForm(&main);
    auto* exp = new TExpForm(&main);
    auto* options = new TOptionsForm(&main);
    auto* link = new TLinkPropForm(&main);
    auto* block = new TBlockProp(&main);
    TSearchDialogs& search = main.SearchDialogs();
    search.Find();
    search.Replace();

    // Every hint the window definition lacks found its command.
    EXPECT_TRUE(SetMainWindowHints(main).isEmpty()) << Join(SetMainWindowHints(main));

    // Look-alike captions: a Latin C in the menus, a Cyrillic one in Options.
    EXPECT_EQ(main.Command(TCommandId::ReplaceWithDivider)->text(), QStringLiteral("Cоединитель"));
    EXPECT_EQ(main.Command(TCommandId::ReplaceWithDivider)->text().front(), QChar(0x43));
    EXPECT_EQ(main.Command(TCommandId::InsertDivider)->text().front(), QChar(0x43));
    const auto* kinds = options->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    ASSERT_EQ(kinds->count(), 9);
    EXPECT_EQ(kinds->itemText(8), QStringLiteral("Соединитель"));
    EXPECT_EQ(kinds->itemText(8).front(), QChar(0x0421));
    EXPECT_EQ(kinds->itemText(0), QStringLiteral("Прямоугольник"));
    EXPECT_EQ(options->windowTitle(), QString());

    // Entries are replaced in place; their number stays.
    EXPECT_EQ(
        RadioItems(*align, "RadioGroup2"),
        QStringList({"Без изменений", "По верху", "По центру", "По низу", "Равное расстояние"}));
    EXPECT_EQ(RadioItems(*size, "RadioGroup1"),
              QStringList(
                  {"Без изменений", "Увеличить до большего", "Уменьшить до меньшего", "Ширина:"}));
    EXPECT_EQ(size->findChild<TRadioGroup*>(QStringLiteral("RadioGroup2"))->title(),
              QStringLiteral("Высота:"));

    // Texts the tables do not touch keep their design values.
    for (const QDialog* d : {static_cast<QDialog*>(align), static_cast<QDialog*>(size),
                             static_cast<QDialog*>(options)}) {
        EXPECT_EQ(TextOf<QPushButton>(*d, "Button1"), QStringLiteral("OK"));
        EXPECT_EQ(TextOf<QPushButton>(*d, "Button2"), QStringLiteral("Отмена"));
    }
    EXPECT_EQ(view->findChild<QAction*>(QStringLiteral("Zoom4"))->text(), QStringLiteral("x 4"));
    EXPECT_EQ(view->findChild<QAction*>(QStringLiteral("Exit1"))->text(), QStringLiteral("Выход"));
    const QMenu* scale = main.Command(TCommandId::Scale)->menu();
    EXPECT_EQ(scale->actions().front()->text(), QStringLiteral("x1"));

    // The same names in different windows get each window's own text.
    EXPECT_EQ(main.Command(TCommandId::ContextDelete)->statusTip(),
              QStringLiteral("Удалить выделенные объекты."));
    EXPECT_EQ(exp->findChild<QAction*>(QStringLiteral("Delete1"))->statusTip(), QString());
    EXPECT_EQ(TextOf<QLabel>(*block, "StaticText1"), QStringLiteral("Позиция"));
    EXPECT_EQ(TextOf<QLabel>(about, "Label1"), QStringLiteral("Редактор блок-схем."));
    EXPECT_EQ(link->windowTitle(), QStringLiteral("Свойства связи"));
    EXPECT_EQ(search.Replace()->windowTitle(), QStringLiteral("Замена"));
    EXPECT_EQ(TextOf<QPushButton>(*search.Replace(), "ReplaceAllButton"),
              QStringLiteral("Заменить &все"));

    // The version is appended to the translated label whenever the box shows.
    about.show();
    EXPECT_EQ(about.VersionText(), QStringLiteral("Версия: ") + ProgramVersion());
    about.hide();
}

TEST_F(RussianInterface, AfterStartUpTheMainWindowSpeaksRussian)
{
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Редактор блок-схем"));
    EXPECT_EQ(main.FileMenu()->title(), QStringLiteral("&Файл"));
    EXPECT_EQ(main.ImportMenu()->title(), QStringLiteral("&Импорт"));
    EXPECT_EQ(main.Command(TCommandId::FileSaveAs)->text(), QStringLiteral("Сохранить &как ..."));
    EXPECT_EQ(main.AlignBar()->windowTitle(), QStringLiteral("Выравнивание"));
    EXPECT_EQ(main.StandardBar()->toggleViewAction()->text(), QStringLiteral("Стандартные."));
    EXPECT_EQ(main.ObjectList()->Model().headerData(2, Qt::Horizontal, Qt::DisplayRole),
              QStringLiteral("Размеры"));

    QString filter;
    FileDialogs().AskOpenFiles = [&](QWidget*, const QString&, const QString& f) {
        filter = f;
        return QStringList();
    };
    main.Command(TCommandId::FileOpen)->trigger();
    EXPECT_EQ(filter, QStringLiteral("Блок-схемы(*.bls);;Все файлы(*)"));

    TChildD* doc = main.NewDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->windowTitle(), QStringLiteral("Блок-схема №1"));

    // A toolbar button shows its action's hint; the status bar shows a menu item's.
    QAction* newButton = main.Command(TCommandId::FileNew);
    EXPECT_EQ(newButton->toolTip(), QStringLiteral("Создать новую блок-схему."));
    EXPECT_EQ(main.StandardBar()->widgetForAction(newButton)->toolTip(), newButton->toolTip());
    main.Command(TCommandId::Exit)->showStatusText(&main);
    EXPECT_EQ(main.statusBar()->currentMessage(),
              QStringLiteral("Закончить работу и закрыть окно редактора."));
    EXPECT_EQ(main.FileMenu()->menuAction()->statusTip(),
              QStringLiteral("Работа с файлами блок-схем."));
    EXPECT_EQ(main.findChild<QComboBox*>(QStringLiteral("FontCombo"))->statusTip(),
              QStringLiteral("Выбрать шрифт для всех объектов."));
}

TEST_F(RussianInterface, WindowsMadeLaterSpeakRussianWhenFirstShown)
{
    WithModalDialog([&] { main.Command(TCommandId::Options)->trigger(); },
                    [](QDialog& d) {
                        EXPECT_EQ(d.objectName(), QStringLiteral("OptionsForm"));
                        EXPECT_EQ(d.windowTitle(), QString());
                        EXPECT_EQ(TextOf<QLabel>(d, "StaticText5"), QStringLiteral("Цвет фона:"));
                        EXPECT_EQ(TextOf<QLabel>(d, "StaticText6"),
                                  QStringLiteral("Автосохранение, с"));
                        EXPECT_EQ(TextOf<QPushButton>(d, "Panel1"), QStringLiteral("Изменить"));
                    });
    WithModalDialog([&] { main.Command(TCommandId::About)->trigger(); },
                    [](QDialog& d) {
                        EXPECT_EQ(d.windowTitle(), QStringLiteral("О программе . . ."));
                        EXPECT_EQ(static_cast<TAbout&>(d).VersionText(),
                                  QStringLiteral("Версия: ") + ProgramVersion());
                    });

    main.NewDocument();
    main.SearchDialogs().ShowFind();
    const TFindDialog& find = *main.SearchDialogs().Find();
    EXPECT_EQ(find.windowTitle(), QStringLiteral("Поиск"));
    const QLabel* label = nullptr;
    for (const QLabel* l : find.findChildren<QLabel*>())
        if (l->buddy() && l->buddy()->objectName() == QLatin1String("FindText")) label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("&Найти:"));
    main.SearchDialogs().CloseAll();
}

TEST_F(RussianInterface, QtStandardTextsFollow)
{
    const QString catalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(catalogue + QStringLiteral("/qtbase_ru.qm")))
        GTEST_SKIP() << "Qt's Russian catalogue is not installed";
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Нет"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    // Qt fills a document window's menu as it makes the window.
    main.NewDocument();
    const QMdiSubWindow* sub = main.MdiArea()->subWindowList().front();
    EXPECT_EQ(sub->systemMenu()->actions().back()->text(), QStringLiteral("&Закрыть"));
}

// --- the setting

TEST(InterfaceLanguage, OnlyEnglishIsEnglish)
{
    EXPECT_EQ(LanguageOfSetting(QStringLiteral("en")), TLanguage::English);
    for (const char* other : {"ru", "", "EN", "de", "en "})
        EXPECT_EQ(LanguageOfSetting(QLatin1String(other)), TLanguage::Russian) << other;
}

TEST(InterfaceLanguage, SwitchingBackLeavesNoRussianBehind)
{
    ASSERT_TRUE(SetInterfaceLanguage(TLanguage::Russian));
    ASSERT_TRUE(SetInterfaceLanguage(TLanguage::Russian)); // again: replaces, never stacks
    EXPECT_EQ(TMainForm().FileMenu()->title(), QStringLiteral("&Файл"));
    ASSERT_TRUE(SetInterfaceLanguage(TLanguage::English));
    TMainForm english;
    EXPECT_EQ(english.FileMenu()->title(), QStringLiteral("&File"));
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
}

} // namespace
