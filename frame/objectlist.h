// The object list ("Listing"): the blocks of the active diagram with their
// text, position and size. The diagram mirrors itself into it through
// TListSink; rows appended one by one are shown in one batch, so loading a
// large diagram does not redraw the list per row.
#pragma once

#include "model/listsink.h"

#include <QAbstractTableModel>
#include <QTreeView>

#include <vector>

namespace kb {

class TObjectListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void Clear();
    void Append(const TListRow& row);
    // Shows the rows appended since the last flush.
    void Flush();
    const TListRow* Row(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "Text", "Position", "Size"; replaced by the Russian texts.
    QStringList Headers{QStringLiteral("Text"), QStringLiteral("Position"), QStringLiteral("Size")};

private:
    std::vector<TListRow> m_rows;
    std::vector<TListRow> m_pending;
    bool m_flushQueued = false;
};

class TObjectList : public QTreeView, public TListSink
{
    Q_OBJECT

public:
    explicit TObjectList(QWidget* parent = nullptr);

    TObjectListModel& Model() { return m_model; }
    // The entry of a row; it may belong to a diagram that changed since, so
    // callers look it up in their diagram before using it.
    TShemObj* EntryAt(const QModelIndex& index) const;

    bool IsVisible() const override { return !isHidden(); }
    void BeginUpdate() override;
    void EndUpdate() override;
    void ClearRows() override;
    void AppendRow(const TListRow& row) override;

    // The width that shows every column whole, without a scroll bar.
    int FittingWidth() const;

private:
    // Position and Size take the width of their widest possible text.
    void FitColumns();

    TObjectListModel m_model;
    int m_updating = 0;
};

} // namespace kb
