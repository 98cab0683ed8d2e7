<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>kb::TAbout</name>
    <message>
        <source>About ... </source>
        <translation>О программе . . .</translation>
    </message>
    <message>
        <source>Block-diagram editor</source>
        <translation>Редактор блок-схем.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Версия:</translation>
    </message>
</context>
<context>
    <name>kb::TAlignF</name>
    <message>
        <source>Align</source>
        <translation>Выравнивание.</translation>
    </message>
    <message>
        <source>Horizontal:</source>
        <translation>По горизонтали:</translation>
    </message>
    <message>
        <source>No change</source>
        <translation>Без изменений</translation>
    </message>
    <message>
        <source>Left sides</source>
        <translation>По левой стороне</translation>
    </message>
    <message>
        <source>Centers</source>
        <translation>По центру</translation>
    </message>
    <message>
        <source>Right sides</source>
        <translation>По правой стороне</translation>
    </message>
    <message>
        <source>Space equally</source>
        <translation>Равное расстояние</translation>
    </message>
    <message>
        <source>Vertical:</source>
        <translation>По вертикали:</translation>
    </message>
    <message>
        <source>Tops</source>
        <translation>По верху</translation>
    </message>
    <message>
        <source>Bottoms</source>
        <translation>По низу</translation>
    </message>
</context>
<context>
    <name>kb::TAssociation</name>
    <message>
        <source>The .bls file type could not be registered in the registry.</source>
        <translation>Не удалось зарегистрировать тип файлов .bls в реестре.</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>The user data folder is not found.</source>
        <translation>Не найдена папка данных пользователя.</translation>
    </message>
</context>
<context>
    <name>kb::TBlockProp</name>
    <message>
        <source>Properties of block</source>
        <translation>Свойства блока</translation>
    </message>
    <message>
        <source>Filling interior </source>
        <translation>Закрасить внутри</translation>
    </message>
    <message>
        <source>Dotted outline </source>
        <translation>Пунктирная обводка</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Позиция</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Лево</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Верх</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ширина</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
</context>
<context>
    <name>kb::TBrovane</name>
    <message>
        <source>Could not write the picture.</source>
        <translation>Не удалось записать рисунок.</translation>
    </message>
    <message>
        <source>A picture can be exported only from the editor.</source>
        <translation>Экспорт рисунка возможен только из редактора.</translation>
    </message>
    <message>
        <source>The data is not a block diagram.</source>
        <translation>Данные не являются блок-схемой.</translation>
    </message>
    <message>
        <source>The block diagram has no blocks: nothing to draw.</source>
        <translation>В блок-схеме нет блоков: рисовать нечего.</translation>
    </message>
    <message>
        <source>Unknown picture format: choose PNG, BMP, SVG or PDF.</source>
        <translation>Неизвестный формат рисунка: выберите PNG, BMP, SVG или PDF.</translation>
    </message>
    <message>
        <source>The picture is too large for a raster file: save it as SVG or PDF.</source>
        <translation>Рисунок слишком велик для растрового файла: сохраните его в формате SVG или PDF.</translation>
    </message>
    <message>
        <source>Could not write the picture (%1).</source>
        <translation>Не удалось записать рисунок (%1).</translation>
    </message>
    <message>
        <source>No file name is given.</source>
        <translation>Не задано имя файла.</translation>
    </message>
</context>
<context>
    <name>kb::TChildD</name>
    <message>
        <source>A block diagram cannot hold more than %1 objects; the change is not made.</source>
        <translation>Блок-схема не может содержать больше %1 объектов; изменение не сделано.</translation>
    </message>
    <message>
        <source>Save the changes to %1?</source>
        <translation>Сохранить изменения в %1?</translation>
    </message>
    <message>
        <source>The text has characters that Windows-1251 does not have; in the block they are replaced with &quot;?&quot;.</source>
        <translation>Текст содержит символы, которых нет в кодировке Windows-1251; в блоке они заменены знаком &quot;?&quot;.</translation>
    </message>
</context>
<context>
    <name>kb::TDiagramDocument</name>
    <message>
        <source>creating a block</source>
        <translation>создание блока</translation>
    </message>
    <message>
        <source>creating a link</source>
        <translation>создание связи</translation>
    </message>
    <message>
        <source>moving</source>
        <translation>перемещение</translation>
    </message>
    <message>
        <source>resizing</source>
        <translation>изменение размера</translation>
    </message>
    <message>
        <source>text</source>
        <translation>текст</translation>
    </message>
    <message>
        <source>deleting</source>
        <translation>удаление</translation>
    </message>
    <message>
        <source>pasting</source>
        <translation>вставка</translation>
    </message>
    <message>
        <source>duplicating</source>
        <translation>дублирование</translation>
    </message>
    <message>
        <source>aligning</source>
        <translation>выравнивание</translation>
    </message>
    <message>
        <source>replacing</source>
        <translation>замена</translation>
    </message>
    <message>
        <source>properties</source>
        <translation>свойства</translation>
    </message>
    <message>
        <source>joint point</source>
        <translation>точка соединения</translation>
    </message>
    <message>
        <source>moving a link end</source>
        <translation>перенос конца связи</translation>
    </message>
    <message>
        <source>link arrows</source>
        <translation>стрелки связи</translation>
    </message>
    <message>
        <source>text alignment</source>
        <translation>выравнивание текста</translation>
    </message>
    <message>
        <source>changing the block kind</source>
        <translation>смена типа блока</translation>
    </message>
    <message>
        <source>inserting a template</source>
        <translation>вставка шаблона</translation>
    </message>
    <message>
        <source>replacing with a template</source>
        <translation>замена шаблоном</translation>
    </message>
    <message>
        <source>joining blocks</source>
        <translation>объединение блоков</translation>
    </message>
</context>
<context>
    <name>kb::TDialogButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>kb::TDocFile</name>
    <message>
        <source>no permission to read the file.</source>
        <translation>нет прав на чтение файла.</translation>
    </message>
    <message>
        <source>the file does not open.</source>
        <translation>файл не открывается.</translation>
    </message>
    <message>
        <source>the file is not found.</source>
        <translation>файл не найден.</translation>
    </message>
    <message>
        <source>error reading the file.</source>
        <translation>ошибка чтения файла.</translation>
    </message>
    <message>
        <source>not enough space on the disk.</source>
        <translation>не хватает места на диске.</translation>
    </message>
    <message>
        <source>no permission to write.</source>
        <translation>нет прав на запись.</translation>
    </message>
    <message>
        <source>the file cannot be created: there is no such folder.</source>
        <translation>файл не удаётся создать: нет такой папки.</translation>
    </message>
    <message>
        <source>write error (%1).</source>
        <translation>ошибка записи (%1).</translation>
    </message>
    <message>
        <source>this is a folder, not a file.</source>
        <translation>это папка, а не файл.</translation>
    </message>
    <message>
        <source>the block diagram has %1 entries, and a file holds no more than %2.</source>
        <translation>в блок-схеме %1 элементов, а файл вмещает не больше %2.</translation>
    </message>
    <message>
        <source>this is not a block-diagram file (no header %1).</source>
        <translation>это не файл блок-схемы (нет заголовка %1).</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB, and a block diagram never takes that much.</source>
        <translation>файл больше %1 МиБ, а блок-схема столько не занимает.</translation>
    </message>
    <message>
        <source>the file has %1 records, and a block diagram holds no more than %2.</source>
        <translation>в файле %1 записей, а блок-схема вмещает не больше %2.</translation>
    </message>
    <message>
        <source>not enough memory to load the file.</source>
        <translation>не хватает памяти, чтобы загрузить файл.</translation>
    </message>
    <message>
        <source>The file %1 is damaged; what could be read is open.</source>
        <translation>Файл %1 повреждён; открыто то, что удалось прочитать.</translation>
    </message>
    <message>
        <source>
Links removed without an end or closed on each other: %1.</source>
        <translation>
Удалено связей без конца или замкнутых друг на друга: %1.</translation>
    </message>
    <message>
        <source>

Details:</source>
        <translation>

Подробности:</translation>
    </message>
    <message>
        <source>
(and %1 more)</source>
        <translation>
(и ещё %1)</translation>
    </message>
</context>
<context>
    <name>kb::TExpForm</name>
    <message>
        <source>Pascal procedure (function) of block-diagram file</source>
        <translation>Процедура (функция) на паскале из блок-схемы.</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить все</translation>
    </message>
</context>
<context>
    <name>kb::TExportModule</name>
    <message>
        <source>The export module %1 is not found.</source>
        <translation>Модуль экспорта %1 не найден.</translation>
    </message>
    <message>
        <source>The export module is not loaded: %1</source>
        <translation>Модуль экспорта не загружен: %1</translation>
    </message>
    <message>
        <source>The export module has no function %1.</source>
        <translation>В модуле экспорта нет функции %1.</translation>
    </message>
    <message>
        <source>The export module is not loaded.</source>
        <translation>Модуль экспорта не загружен.</translation>
    </message>
</context>
<context>
    <name>kb::TFileDialogs</name>
    <message>
        <source>Block-diagram(*.bls);;All Files(*)</source>
        <translation>Блок-схемы(*.bls);;Все файлы(*)</translation>
    </message>
</context>
<context>
    <name>kb::TFindDialog</name>
    <message>
        <source>Find</source>
        <translation>Поиск</translation>
    </message>
</context>
<context>
    <name>kb::TFullViewForm</name>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>kb::THelp</name>
    <message>
        <source>The help file %1 is not found.</source>
        <translation>Файл справки %1 не найден.</translation>
    </message>
    <message>
        <source>The help %1 could not be opened.</source>
        <translation>Не удалось открыть справку %1.</translation>
    </message>
</context>
<context>
    <name>kb::TInPlaceEditor</name>
    <message>
        <source>The pasted text has characters that Windows-1251 does not have. The text is not pasted.</source>
        <translation>Вставляемый текст содержит символы, которых нет в кодировке Windows-1251. Текст не вставлен.</translation>
    </message>
</context>
<context>
    <name>kb::TLinkPropForm</name>
    <message>
        <source>Properties of link</source>
        <translation>Свойства связи</translation>
    </message>
</context>
<context>
    <name>kb::TMainForm</name>
    <message>
        <source>Standard toolbar.</source>
        <translation>Стандартная панель инструментов.</translation>
    </message>
    <message>
        <source>Toolbar for drawing block diagrams.</source>
        <translation>Панель инструментов для рисования блок-схемы.</translation>
    </message>
    <message>
        <source>Work with block-diagram files.</source>
        <translation>Работа с файлами блок-схем.</translation>
    </message>
    <message>
        <source>New block diagram</source>
        <translation>Создать новую блок-схему.</translation>
    </message>
    <message>
        <source>Open an existing block diagram.</source>
        <translation>Открыть существующую блок-схему.</translation>
    </message>
    <message>
        <source>Close the active block diagram.</source>
        <translation>Закрыть активную блок-схему.</translation>
    </message>
    <message>
        <source>Save the active file under the same name</source>
        <translation>Сохранить активный файл под тем же названием</translation>
    </message>
    <message>
        <source>Save the active file under another name.</source>
        <translation>Сохранить активный файл под другим названием.</translation>
    </message>
    <message>
        <source>Change the sizes of the standard blocks and the background color.</source>
        <translation>Изменить размеры стандартных блоков и цвет фона.</translation>
    </message>
    <message>
        <source>Print active block diagram</source>
        <translation>Напечатать активную блок-схему.</translation>
    </message>
    <message>
        <source>Import using a plug-in</source>
        <translation>Импортировать используя Plug-in</translation>
    </message>
    <message>
        <source>Export the active block diagram.</source>
        <translation>Экспортировать активную блок-схему.</translation>
    </message>
    <message>
        <source>Save the block diagram in a graphic file.</source>
        <translation>Сохранить блок-схему в графическом файле.</translation>
    </message>
    <message>
        <source>Get a Pascal procedure from the block diagram.</source>
        <translation>Получить процедуру на паскале из блок-схемы.</translation>
    </message>
    <message>
        <source>Finish work and close the editor window.</source>
        <translation>Закончить работу и закрыть окно редактора.</translation>
    </message>
    <message>
        <source>Editing of the block diagram.</source>
        <translation>Редактирование блок-схемы.</translation>
    </message>
    <message>
        <source>Delete selected objects</source>
        <translation>Удалить выделенные объекты.</translation>
    </message>
    <message>
        <source>Cut the selected objects to the clipboard.</source>
        <translation>Вырезать выделенные объекты в буфер.</translation>
    </message>
    <message>
        <source>Copy the selected objects to the clipboard.</source>
        <translation>Копировать выделенные объекты в буфер.</translation>
    </message>
    <message>
        <source>Paste objects</source>
        <translation>Вставить объекты из буфера.</translation>
    </message>
    <message>
        <source>Select all objects of the block diagram.</source>
        <translation>Выделить все объекты блок-схемы.</translation>
    </message>
    <message>
        <source>Find text in blocks.</source>
        <translation>Найти текст в блоках.</translation>
    </message>
    <message>
        <source>Replace text in blocks.</source>
        <translation>Заменить текст в блоках.</translation>
    </message>
    <message>
        <source>Join all consecutive rectangles.</source>
        <translation>Объединить все последовательные прямоугольники.</translation>
    </message>
    <message>
        <source>Duplicate selected objects.</source>
        <translation>Дублировать выделенные объекты.</translation>
    </message>
    <message>
        <source>View of the block-diagram window.</source>
        <translation>Вид окна блок-схемы.</translation>
    </message>
    <message>
        <source>Change the scale of the block diagram.</source>
        <translation>Изменить масштаб блок-схемы.</translation>
    </message>
    <message>
        <source>Show the block diagram on the whole screen.</source>
        <translation>Показать блок-схему на весь экран.</translation>
    </message>
    <message>
        <source>Show or hide the grid.</source>
        <translation>Показать или скрыть сетку.</translation>
    </message>
    <message>
        <source>Show or hide the list of objects.</source>
        <translation>Показать или скрыть список объектов.</translation>
    </message>
    <message>
        <source>Show or hide the status bar.</source>
        <translation>Показать или скрыть статус-строку.</translation>
    </message>
    <message>
        <source>Show or hide the toolbars.</source>
        <translation>Показать или скрыть панели инструментов.</translation>
    </message>
    <message>
        <source>Show or hide the standard toolbar.</source>
        <translation>Показать или скрыть стандартную панель.</translation>
    </message>
    <message>
        <source>Show or hide the special toolbar.</source>
        <translation>Показать или скрыть специальную панель.</translation>
    </message>
    <message>
        <source>Show or hide the alignment toolbar.</source>
        <translation>Показать или скрыть панель выравнивания.</translation>
    </message>
    <message>
        <source>Arrangement of the block-diagram windows.</source>
        <translation>Расположение окон блок-схем.</translation>
    </message>
    <message>
        <source>Arrange the windows in a cascade.</source>
        <translation>Расположить окна каскадом.</translation>
    </message>
    <message>
        <source>Arrange the windows side by side.</source>
        <translation>Расположить окна рядом.</translation>
    </message>
    <message>
        <source>Arrange the icons of the minimized windows.</source>
        <translation>Упорядочить значки свернутых окон.</translation>
    </message>
    <message>
        <source>Minimize all windows.</source>
        <translation>Свернуть все окна.</translation>
    </message>
    <message>
        <source>Open the editor&apos;s help.</source>
        <translation>Открыть справку по редактору.</translation>
    </message>
    <message>
        <source>Show information about the program.</source>
        <translation>Показать сведения о программе.</translation>
    </message>
    <message>
        <source>Align the selected blocks to the grid.</source>
        <translation>Выровнять выделенные блоки по сетке.</translation>
    </message>
    <message>
        <source>Align the selected blocks.</source>
        <translation>Выровнять выделенные блоки.</translation>
    </message>
    <message>
        <source>Change the sizes of the selected blocks.</source>
        <translation>Изменить размеры выделенных блоков.</translation>
    </message>
    <message>
        <source>Cut selected objects</source>
        <translation>Вырезать выделенные объекты.</translation>
    </message>
    <message>
        <source>Copy selected objects</source>
        <translation>Копировать выделенные объекты.</translation>
    </message>
    <message>
        <source>Replace the selected objects.</source>
        <translation>Заменить выделенные объекты.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects.</source>
        <translation>Заменить тип выделенных объектов.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to rectangle.</source>
        <translation>Заменить тип выделенных объектов на прямоугольник.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to ellipse.</source>
        <translation>Заменить тип выделенных объектов на эллипс.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to rhomb.</source>
        <translation>Заменить тип выделенных объектов на ромб.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to parallelogram.</source>
        <translation>Заменить тип выделенных объектов на параллелограмм.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to comment.</source>
        <translation>Заменить тип выделенных объектов на комментарий.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to document.</source>
        <translation>Заменить тип выделенных объектов на документ.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to process.</source>
        <translation>Заменить тип выделенных объектов на процесс.</translation>
    </message>
    <message>
        <source>Change the kind of the selected objects to page divider.</source>
        <translation>Заменить тип выделенных объектов на межстраничный соединитель.</translation>
    </message>
    <message>
        <source>Replace the selected block with a template.</source>
        <translation>Заменить выделенный блок шаблоном.</translation>
    </message>
    <message>
        <source>Change the properties of the selected object.</source>
        <translation>Изменить свойства выделенного объекта.</translation>
    </message>
    <message>
        <source>Insert a block of the standard size.</source>
        <translation>Вставить блок стандартного размера.</translation>
    </message>
    <message>
        <source>Insert a block of the chosen kind.</source>
        <translation>Вставить блок выбранного типа.</translation>
    </message>
    <message>
        <source>Insert a rectangle.</source>
        <translation>Вставить прямоугольник.</translation>
    </message>
    <message>
        <source>Insert an ellipse.</source>
        <translation>Вставить эллипс.</translation>
    </message>
    <message>
        <source>Insert a rhomb.</source>
        <translation>Вставить ромб.</translation>
    </message>
    <message>
        <source>Insert a parallelogram.</source>
        <translation>Вставить параллелограмм.</translation>
    </message>
    <message>
        <source>Insert a text block.</source>
        <translation>Вставить текстовый блок.</translation>
    </message>
    <message>
        <source>Insert a comment.</source>
        <translation>Вставить комментарий.</translation>
    </message>
    <message>
        <source>Insert a document.</source>
        <translation>Вставить документ.</translation>
    </message>
    <message>
        <source>Insert a process.</source>
        <translation>Вставить процесс.</translation>
    </message>
    <message>
        <source>Insert a page divider.</source>
        <translation>Вставить межстраничный соединитель.</translation>
    </message>
    <message>
        <source>Insert a block-diagram template.</source>
        <translation>Вставить шаблон блок-схемы.</translation>
    </message>
    <message>
        <source>Help and information about the program.</source>
        <translation>Справка и сведения о программе.</translation>
    </message>
    <message>
        <source>Block-diagram editor</source>
        <translation>Редактор блок-схем</translation>
    </message>
    <message>
        <source>Block-diagram №</source>
        <translation>Блок-схема №</translation>
    </message>
    <message>
        <source>Autosave is unavailable: no access to the folder %1</source>
        <translation>Автосохранение недоступно: нет доступа к папке %1</translation>
    </message>
    <message>
        <source>Cannot recover %1: the copy is damaged.</source>
        <translation>Не могу восстановить %1: копия повреждена.</translation>
    </message>
    <message>
        <source> (recovered)</source>
        <translation> (восстановлено)</translation>
    </message>
    <message>
        <source>Not enough memory to turn the block diagram into Pascal.</source>
        <translation>Не хватает памяти, чтобы перевести блок-схему в Паскаль.</translation>
    </message>
    <message>
        <source>Ctrl+F4</source>
        <translation>Ctrl+F4</translation>
    </message>
    <message>
        <source>Cannot load the file %1:
%2</source>
        <translation>Не могу загрузить файл %1:
%2</translation>
    </message>
    <message>
        <source>Cannot save the file %1:
%2
The changes are not saved.</source>
        <translation>Не могу сохранить файл %1:
%2
Изменения не сохранены.</translation>
    </message>
    <message>
        <source>The file %1 is open in another window. Close that window or choose another name.</source>
        <translation>Файл %1 открыт в другом окне. Закройте то окно или выберите другое имя.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>Созд&amp;ать</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Открыть</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>Save &amp;as . . .</source>
        <translation>Сохранить &amp;как ...</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>О&amp;пции</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>&amp;Печать</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>&amp;Импорт</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>&amp;Экспорт</translation>
    </message>
    <message>
        <source>to graphic file</source>
        <translation>графический файл.</translation>
    </message>
    <message>
        <source>to Pascal</source>
        <translation>в паскаль</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>&amp;Отмена</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>По&amp;втор</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Удаление</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>В&amp;ырезать</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>В&amp;ставить</translation>
    </message>
    <message>
        <source>Se&amp;lect All</source>
        <translation>Выделить в&amp;се</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Поиск</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Join Square</source>
        <translation>Объединить квадарты.</translation>
    </message>
    <message>
        <source>Du&amp;plicate</source>
        <translation>&amp;Дублировать</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>В&amp;ид</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>М&amp;асштаб</translation>
    </message>
    <message>
        <source>Full-screen preview</source>
        <translation>Полный экран</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Сетка</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Список объектов</translation>
    </message>
    <message>
        <source>Statusbar</source>
        <translation>Статус-строка</translation>
    </message>
    <message>
        <source>Toolbars</source>
        <translation>Панели</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Стандартные</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>Специальная</translation>
    </message>
    <message>
        <source>Alignment Palette</source>
        <translation>Выравнивание</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>О&amp;кна</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Каскадом</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>Расположить все</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>Расположить иконки</translation>
    </message>
    <message>
        <source>&amp;Minimize All</source>
        <translation>Свернуть все</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>Вызвать справку</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>О программе ...</translation>
    </message>
    <message>
        <source>Align to Grid</source>
        <translation>По сетке</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Выравнивание</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размеры</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Дублировать</translation>
    </message>
    <message>
        <source>Replace to</source>
        <translation>Заменить на ...</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Блок</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>Rhomb</source>
        <translation>Ромб</translation>
    </message>
    <message>
        <source>Parallelogram</source>
        <translation>Параллелограм</translation>
    </message>
    <message>
        <source>Commentary</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Документ</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Процесс</translation>
    </message>
    <message>
        <source>Divider</source>
        <translation>Cоединитель</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Шаблон</translation>
    </message>
    <message>
        <source>Insert </source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Block </source>
        <translation>Блок</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
    <message>
        <source>Undo: %1</source>
        <translation>Отменить: %1</translation>
    </message>
    <message>
        <source>Undo the last change.</source>
        <translation>Отменить последнее изменение.</translation>
    </message>
    <message>
        <source>Redo: %1</source>
        <translation>Вернуть: %1</translation>
    </message>
    <message>
        <source>Redo the undone change.</source>
        <translation>Вернуть отмененное изменение.</translation>
    </message>
    <message>
        <source>Not enough memory to finish the import.</source>
        <translation>Не хватает памяти, чтобы закончить импорт.</translation>
    </message>
    <message>
        <source>The graphic-export module is not found.</source>
        <translation>Модуль экспорта в графический файл не найден.</translation>
    </message>
    <message>
        <source>Cannot save the picture %1:
%2</source>
        <translation>Не могу сохранить рисунок %1:
%2</translation>
    </message>
    <message>
        <source>Select objects</source>
        <translation>Выделить объекты.</translation>
    </message>
    <message>
        <source>Edit text in objects</source>
        <translation>Редактировать текст в объектах.</translation>
    </message>
    <message>
        <source>Create rectangle</source>
        <translation>Создать прямоугольник.</translation>
    </message>
    <message>
        <source>Create ellipse</source>
        <translation>Создать эллипс.</translation>
    </message>
    <message>
        <source>Create rhomb</source>
        <translation>Создать ромб.</translation>
    </message>
    <message>
        <source>Create parallelogram</source>
        <translation>Создать параллелограмм.</translation>
    </message>
    <message>
        <source>Add delete point into link</source>
        <translation>Добавить или удалить точку на связи.</translation>
    </message>
    <message>
        <source>Create text block</source>
        <translation>Создать текстовый блок.</translation>
    </message>
    <message>
        <source>Create comment</source>
        <translation>Создать комментарий.</translation>
    </message>
    <message>
        <source>Create document</source>
        <translation>Создать документ.</translation>
    </message>
    <message>
        <source>Create predefined process</source>
        <translation>Создать предопределенный процесс.</translation>
    </message>
    <message>
        <source>Create link. Arrowheads: the small arrow beside the button, or hold the button down</source>
        <translation>Создать связь. Стрелки на концах: маленький треугольник у кнопки или долгое нажатие.</translation>
    </message>
    <message>
        <source>Move document.</source>
        <translation>Передвинуть документ.</translation>
    </message>
    <message>
        <source>Create page divider.</source>
        <translation>Создать межстраничный соединитель.</translation>
    </message>
    <message>
        <source>Standard</source>
        <comment>toolbar</comment>
        <translation>Стандартные.</translation>
    </message>
    <message>
        <source>Open block diagram</source>
        <translation>Открыть блок-схему.</translation>
    </message>
    <message>
        <source>Save active block diagram</source>
        <translation>Сохранить активную блок-схему.</translation>
    </message>
    <message>
        <source>Scale</source>
        <comment>hint</comment>
        <translation>Изменить масштаб блок-схемы.</translation>
    </message>
    <message>
        <source>Show list of objects</source>
        <translation>Показать список объектов.</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Показать сетку.</translation>
    </message>
    <message>
        <source>Full-screen preview</source>
        <comment>hint</comment>
        <translation>Показать блок-схему на весь экран.</translation>
    </message>
    <message>
        <source>Select font to all object</source>
        <translation>Выбрать шрифт для всех объектов.</translation>
    </message>
    <message>
        <source>Align text into block to left.</source>
        <translation>Выровнять текст в блоке по левому краю.</translation>
    </message>
    <message>
        <source>Align text into block to center.</source>
        <translation>Выровнять текст в блоке по центру.</translation>
    </message>
    <message>
        <source>Align text into block to right.</source>
        <translation>Выровнять текст в блоке по правому краю.</translation>
    </message>
    <message>
        <source>Special</source>
        <comment>toolbar</comment>
        <translation>Специальная.</translation>
    </message>
    <message>
        <source>Toolbar for aligning blocks.</source>
        <translation>Панель иструментов для выравнивания блоков.</translation>
    </message>
    <message>
        <source>Align left edges</source>
        <translation>Выровнять левые края выделенных блоков.</translation>
    </message>
    <message>
        <source>Align horizontal centers</source>
        <translation>Выровнять центры выделенных блоков по горизонтали.</translation>
    </message>
    <message>
        <source>Align right edges</source>
        <translation>Выровнять правые края выделенных блоков.</translation>
    </message>
    <message>
        <source>Space equally, horizontally</source>
        <translation>Расставить выделенные блоки на равном расстоянии по горизонтали.</translation>
    </message>
    <message>
        <source>Align tops</source>
        <translation>Выровнять верхние края выделенных блоков.</translation>
    </message>
    <message>
        <source>Align vertical centers</source>
        <translation>Выровнять центры выделенных блоков по вертикали.</translation>
    </message>
    <message>
        <source>Align bottoms</source>
        <translation>Выровнять нижние края выделенных блоков.</translation>
    </message>
    <message>
        <source>Space equally, vertically</source>
        <translation>Расставить выделенные блоки на равном расстоянии по вертикали.</translation>
    </message>
</context>
<context>
    <name>kb::TMenuF</name>
    <message>
        <source>No arrows</source>
        <translation>Без стрелок</translation>
    </message>
    <message>
        <source>Arrow at the end</source>
        <translation>Стрелка в конце</translation>
    </message>
    <message>
        <source>Arrow at the start</source>
        <translation>Стрелка в начале</translation>
    </message>
    <message>
        <source>Arrows at both ends</source>
        <translation>Стрелки на обоих концах</translation>
    </message>
</context>
<context>
    <name>kb::TMessageBox</name>
    <message>
        <source>Block-diagram editor.</source>
        <translation>Редактор блок-схем.</translation>
    </message>
</context>
<context>
    <name>kb::TObjectListModel</name>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Позиция</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размеры</translation>
    </message>
</context>
<context>
    <name>kb::TOptionsForm</name>
    <message>
        <source>Square</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>Rhomb</source>
        <translation>Ромб</translation>
    </message>
    <message>
        <source>Parallelogram</source>
        <translation>Параллелограм</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Документ</translation>
    </message>
    <message>
        <source>Predefined process</source>
        <translation>Процесс</translation>
    </message>
    <message>
        <source>Page divider</source>
        <translation>Соединитель</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Options</source>
        <translation> </translation>
    </message>
    <message>
        <source>Size of standard block.</source>
        <translation>Размер стандартного блока</translation>
    </message>
    <message>
        <source>Type of block</source>
        <translation>Тип блока:</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ширина</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Цвет фона:</translation>
    </message>
    <message>
        <source>Autosave, s</source>
        <translation>Автосохранение, с</translation>
    </message>
    <message>
        <source>Interface language</source>
        <translation>Язык интерфейса</translation>
    </message>
</context>
<context>
    <name>kb::TPlugInHost</name>
    <message>
        <source>The module %1 is not loaded: %2</source>
        <translation>Модуль %1 не загружен: %2</translation>
    </message>
    <message>
        <source>The module %1 is skipped: it has no function %2.</source>
        <translation>Модуль %1 пропущен: нет функции %2.</translation>
    </message>
</context>
<context>
    <name>kb::TPrinting</name>
    <message>
        <source>Printing could not be started.</source>
        <translation>Не удалось начать печать.</translation>
    </message>
    <message>
        <source>The block diagram will take %1 sheets when printed. Print?</source>
        <translation>Блок-схема займёт при печати листов: %1. Печатать?</translation>
    </message>
    <message>
        <source>Printing the block diagram...</source>
        <translation>Печать блок-схемы...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The block diagram has no blocks: nothing to print.</source>
        <translation>В блок-схеме нет блоков: печатать нечего.</translation>
    </message>
</context>
<context>
    <name>kb::TRecoverDialog</name>
    <message>
        <source>Recovering documents</source>
        <translation>Восстановление документов</translation>
    </message>
    <message>
        <source>The editor was closed without saving the changes in these documents.
The checked documents will be recovered, the others deleted.</source>
        <translation>Редактор был закрыт, не сохранив изменения в этих документах.
Отмеченные документы будут восстановлены, остальные удалены.</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Документ</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Сохранён</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>kb::TReplaceDialog</name>
    <message>
        <source>Replace</source>
        <translation>Замена</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>За&amp;менить на:</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>Заменить &amp;все</translation>
    </message>
</context>
<context>
    <name>kb::TSearchCommands</name>
    <message>
        <source>Text not found.</source>
        <translation>Текст не найден.</translation>
    </message>
    <message>
        <source>The replacement could loop; nothing is replaced</source>
        <translation>Возможно зацикливание замена не осуществлена</translation>
    </message>
    <message>
        <source>The replacement text has characters a block diagram cannot keep.</source>
        <translation>Текст замены содержит символы, которые нельзя сохранить в блок-схеме.</translation>
    </message>
</context>
<context>
    <name>kb::TSearchDialog</name>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Найти:</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>С учетом &amp;регистра</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>Найти &amp;далее</translation>
    </message>
</context>
<context>
    <name>kb::TSizeF</name>
    <message>
        <source>Not change</source>
        <translation>Без изменений</translation>
    </message>
    <message>
        <source>Grow to largest</source>
        <translation>Увеличить до большего</translation>
    </message>
    <message>
        <source>Shrink to smallest</source>
        <translation>Уменьшить до меньшего</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размеры</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Высота:</translation>
    </message>
</context>
<context>
    <name>kb::TTemplates</name>
    <message>
        <source>Could not read the template file %1.</source>
        <translation>Не удалось прочитать файл шаблона %1.</translation>
    </message>
    <message>
        <source>The template file %1 is not a block diagram.</source>
        <translation>Файл шаблона %1 не является блок-схемой.</translation>
    </message>
    <message>
        <source>The template %1 has no block.</source>
        <translation>Шаблон %1 не содержит ни одного блока.</translation>
    </message>
</context>
</TS>
