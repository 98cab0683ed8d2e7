// The object list ("Listing"): the blocks of the active diagram with their
// text, position and size. It follows the active document's change
// notifications: a change of some blocks updates just their rows, entries
// added or removed rebuild the rows in one batch.
#pragma once

#include "model/listsink.h"

#include <QAbstractTableModel>
#include <QTreeView>

#include <unordered_map>
#include <vector>

namespace kb {

class TShem;
struct TChange;

class TObjectListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void Clear();
    void Reset(std::vector<TListRow> rows);
    // Replaces the row of row.Entry, if it has one; false when it has none.
    bool Update(const TListRow& row);
    const TListRow* Row(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "Text", "Position", "Size"; replaced by the Russian texts.
    QStringList Headers{tr("Text"), tr("Position"), tr("Size")};

private:
    std::vector<TListRow> m_rows;
    std::unordered_map<const TShemObj*, int> m_rowOf;
};

class TObjectList : public QTreeView
{
    Q_OBJECT

public:
    explicit TObjectList(QWidget* parent = nullptr);

    TObjectListModel& Model() { return m_model; }
    // The entry of a row; callers look it up in their diagram before using it.
    TShemObj* EntryAt(const QModelIndex& index) const;

    bool IsVisible() const { return !isHidden(); }
    // Shows the rows of shem (none for null). A hidden list keeps no rows;
    // it is filled when it is shown.
    void ShowDiagram(const TShem* shem);
    // Brings the rows up to date after a change of shem.
    void Follow(const TShem& shem, const TChange& change);

    // The width that shows every column whole, without a scroll bar.
    int FittingWidth() const;

private:
    // Position and Size take the width of their widest possible text.
    void FitColumns();

    TObjectListModel m_model;
};

} // namespace kb
