#pragma once

#include "till/editable_query.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QTableView>

namespace pw::till {

// A grid column: the field it shows, its width in characters and its title.
struct GridColumn
{
    QString field;
    int width = 10;
    QString title;
};

// The rows of an editable query as a snapshot for a view. Edits go through the
// query, which writes them to its table.
class QueryTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit QueryTableModel(QObject* parent = nullptr);

    void setDataSet(EditableQuery* data);
    EditableQuery* dataSet() const { return m_data; }
    // Without columns every field of the query is shown.
    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool readOnly() const { return m_readOnly; }
    QString fieldOf(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    void resetRows();

    QPointer<EditableQuery> m_data;
    QList<GridColumn> m_columns;
    bool m_readOnly = false;
};

// A grid over an editable query: whole rows selected, its current row the query's.
class DbGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DbGrid(QWidget* parent = nullptr);

    void setDataSet(EditableQuery* data);
    EditableQuery* dataSet() const { return m_model.dataSet(); }
    QueryTableModel& tableModel() { return m_model; }
    void setColumns(const QList<GridColumn>& columns);
    void setReadOnly(bool on);
    bool readOnly() const { return m_model.readOnly(); }
    // Ctrl+Delete asks before the row goes.
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    bool confirmDelete() const { return m_confirmDelete; }
    // A grid in the middle of editing a cell.
    bool editingCell() const { return state() == QAbstractItemView::EditingState; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void followDataSet(int row);
    void applyColumnWidths();

    QueryTableModel m_model;
    bool m_confirmDelete = true;
    bool m_following = false;
};

// The suite's confirmation before a row is deleted from a grid or navigator.
bool ConfirmDeleteRecord();

// Runs a data-control action; a failure is shown, as the application's handler would.
void RunDataAction(const std::function<void()>& action);

} // namespace pw::till
