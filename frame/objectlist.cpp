#include "frame/objectlist.h"

#include "docwin/document.h"
#include "model/cp1251.h"
#include "model/shem.h"

#include <QHeaderView>
#include <QStyle>

namespace kb {

void TObjectListModel::Clear()
{
    Reset({});
}

void TObjectListModel::Reset(std::vector<TListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_rowOf.clear();
    m_rowOf.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_rowOf.emplace(m_rows[i].Entry, int(i));
    endResetModel();
}

bool TObjectListModel::Update(const TListRow& row)
{
    const auto it = m_rowOf.find(row.Entry);
    if (it == m_rowOf.end()) return false;
    m_rows[size_t(it->second)] = row;
    emit dataChanged(index(it->second, 0), index(it->second, 2));
    return true;
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

void TObjectList::ShowDiagram(const TShem* shem)
{
    std::vector<TListRow> rows;
    if (shem && IsVisible()) {
        for (int i = 0; i < shem->Count(); ++i)
            if (TShemObj* e = shem->Get(i); HasListRow(e)) rows.push_back(ListRowOf(e));
    }
    m_model.Reset(std::move(rows));
}

void TObjectList::Follow(const TShem& shem, const TChange& change)
{
    if (!IsVisible() || !change.Diagram()) return;
    if (change.All || !change.Added.empty() || !change.Removed.empty()) {
        ShowDiagram(&shem);
        return;
    }
    for (TShemObj* e : change.Changed)
        if (HasListRow(e)) m_model.Update(ListRowOf(e));
}

} // namespace kb
