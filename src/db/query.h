#pragma once

#include "db/field.h"
#include "db/parameters.h"
#include "db/statement.h"

#include <QStringList>

namespace pw::db {

class Connection;

// Where a row was, to come back to it after the result was read again.
struct Bookmark
{
    int row = -1;
    QVector<QVariant> values;
    bool isValid() const { return row >= 0; }
};

// A query over the shared connection with a static result: the rows are read in
// full when it opens, so moving through them never goes back to the server.
class Query
{
public:
    enum CursorLocation
    {
        ServerSide = 0,
        ClientSide = 1
    };

    explicit Query(Connection* connection = nullptr) : m_connection(connection) {}

    Connection* connection() const { return m_connection; }
    void setConnection(Connection* connection);

    // The SQL as lines; changing it closes the query and derives the parameters.
    const QStringList& sql() const { return m_sql; }
    void setSql(const QStringList& lines);
    void setSql(const QString& text) { setSql(QStringList{text}); }
    QString sqlText() const { return m_sql.join(QLatin1Char('\n')); }

    Parameters& parameters() { return m_params; }
    const Parameters& parameters() const { return m_params; }

    int cursorLocation() const { return m_cursorLocation; }
    void setCursorLocation(int location) { m_cursorLocation = location; }

    // Runs the SELECT and keeps its rows; throws DbError with the driver's reason.
    void open();
    void close();
    bool active() const { return m_active; }
    // Runs a statement that returns no rows; the number of rows affected.
    int execSql();

    bool isEmpty() const { return m_result.rows.isEmpty(); }
    int recordCount() const { return static_cast<int>(m_result.rows.size()); }
    // Position of the current row from 1; 0 when there is none.
    int recNo() const { return isEmpty() ? 0 : m_row + 1; }
    void setRecNo(int recNo);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }

    QStringList fieldNames() const { return m_result.columns; }
    int fieldCount() const { return static_cast<int>(m_result.columns.size()); }
    // Column index by name without regard to case; "Employee.EmpNum" finds "EmpNum". -1 when absent.
    int findField(const QString& name) const;
    Field fieldByName(const QString& name) const; // throws DbError when there is no such column
    Field field(int index) const;

    Bookmark bookmark() const;
    bool gotoBookmark(const Bookmark& mark);
    // Moves to the first row whose column equals the value; false (and no move) when none does.
    bool locate(const QString& fieldName, const QVariant& value,
                Qt::CaseSensitivity cs = Qt::CaseInsensitive);

    // The whole result, for snapshot models.
    const ResultSet& result() const { return m_result; }

private:
    Connection& requireConnection() const;
    QVariant currentValue(int column) const;

    Connection* m_connection = nullptr;
    QStringList m_sql;
    Parameters m_params;
    int m_cursorLocation = ClientSide;
    ResultSet m_result;
    bool m_active = false;
    int m_row = 0;
    bool m_eof = true;
    bool m_bof = true;
};

} // namespace pw::db
