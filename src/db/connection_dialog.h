#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Edits a connection string: the provider, server (or data source, or database
// file), catalog, user and password, with the resulting text shown as it is made
// and a test of the connection that leaves the dialog open.
class TConnectionDialog : public QDialog
{
    Q_OBJECT

public:
    // The providers offered, in the order of cbProvider.
    enum Provider
    {
        SqlServer = 0,
        Odbc = 1,
        SqliteFile = 2
    };

    explicit TConnectionDialog(const QString& connectionString, QWidget* parent = nullptr);

    // The text the fields make; the given text itself while nothing was changed.
    QString ConnectionString() const;
    const QString& InitialConnectionString() const { return m_initial; }
    Provider SelectedProvider() const;
    void SetProvider(Provider provider);

    // Opens a connection with the current text and says how it went.
    void btnTestClick();
    void btnBrowseClick();

    QComboBox* cbProvider;
    QLabel* lblServer;
    QLineEdit* edServer;
    QPushButton* btnBrowse;
    QLineEdit* edCatalog;
    QLineEdit* edUser;
    QLineEdit* edPassword;
    QPlainTextEdit* memConnectionString;
    QPushButton* btnTest;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void fieldsChanged();
    void showProvider();
    QString buildConnectionString() const;

    QString m_initial;
    QList<QPair<QString, QString>> m_pieces; // the given string, when it could be read
    bool m_readable = true;
    Provider m_initialProvider = SqlServer;
    bool m_loading = false;
    bool m_changed = false;
};

// Shows the connection dialog modally with the given text; the edited text, or
// the given text when the dialog is cancelled.
QString EditConnectionString(const QString& connectionString);
