#include "frame/objectlist.h"

#include "model/cp1251.h"

#include <QHeaderView>
#include <QStyle>
#include <QTimer>

namespace kb {

void TObjectListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_pending.clear();
    endResetModel();
}

void TObjectListModel::Append(const TListRow& row)
{
    m_pending.push_back(row);
    if (!m_flushQueued) {
        m_flushQueued = true;
        QTimer::singleShot(0, this, &TObjectListModel::Flush);
    }
}

void TObjectListModel::Flush()
{
    m_flushQueued = false;
    if (m_pending.empty()) return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(m_pending.size()) - 1);
    m_rows.insert(m_rows.end(), m_pending.begin(), m_pending.end());
    m_pending.clear();
    endInsertRows();
}

const TListRow* TObjectListModel::Row(int index) const
{
    return index >= 0 && index < int(m_rows.size()) ? &m_rows[size_t(index)] : nullptr;
}

int TObjectListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TObjectListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant TObjectListModel::data(const QModelIndex& index, int role) const
{
    const TListRow* row = Row(index.row());
    if (!row || role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0:
        return QString::fromStdString(Cp1251ToUtf8(row->Caption));
    case 1:
        return QString::fromStdString(row->Position);
    default:
        return QString::fromStdString(row->Size);
    }
}

QVariant TObjectListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= Headers.size())
        return {};
    return Headers[section];
}

TObjectList::TObjectList(QWidget* parent) : QTreeView(parent), m_model(this)
{
    setObjectName(QStringLiteral("ListView1"));
    setModel(&m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true); // keeps tens of thousands of rows cheap
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->resizeSection(0, 150);
    FitColumns();
    connect(&m_model, &QAbstractItemModel::headerDataChanged, this, &TObjectList::FitColumns);
}

void TObjectList::FitColumns()
{
    // Position and size are both "(x, y)" of coordinates up to 65535: wide
    // enough for that and for the column's caption, whatever the language.
    const QFontMetrics rows(font());
    const QFontMetrics captions(header()->font());
    const int cellPadding =
        2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    const int widest = rows.horizontalAdvance(QStringLiteral("(65535, 65535)"));
    for (int column = 1; column < 3; ++column) {
        const QString caption = m_model.Headers.value(column);
        const int width = std::max(widest, captions.horizontalAdvance(caption) + 16) + cellPadding;
        header()->resizeSection(column, width);
    }
}

int TObjectList::FittingWidth() const
{
    int width = frameWidth() * 2;
    for (int column = 0; column < 3; ++column)
        width += header()->sectionSize(column);
    return width;
}

TShemObj* TObjectList::EntryAt(const QModelIndex& index) const
{
    const TListRow* row = m_model.Row(index.row());
    return row ? row->Entry : nullptr;
}

void TObjectList::BeginUpdate()
{
    ++m_updating;
}

void TObjectList::EndUpdate()
{
    if (m_updating > 0 && --m_updating == 0) m_model.Flush();
}

void TObjectList::ClearRows()
{
    m_model.Clear();
}

void TObjectList::AppendRow(const TListRow& row)
{
    // A hidden list is rebuilt when it is shown; collecting rows for it
    // would only slow down loading.
    if (IsVisible()) m_model.Append(row);
}

} // namespace kb
