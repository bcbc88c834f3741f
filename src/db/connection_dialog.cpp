#include "db/connection_dialog.h"

#include "db/connection.h"
#include "db/connection_string.h"
#include "errors/exception.h"
#include "errors/message_dialog.h"
#include "platform/platform.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kProvider = QStringLiteral("Provider");
const QString kDataSource = QStringLiteral("Data Source");
const QString kCatalog = QStringLiteral("Initial Catalog");
const QString kUser = QStringLiteral("User ID");
const QString kPassword = QStringLiteral("Password");

using Pieces = QList<QPair<QString, QString>>;

// Replaces the value where the string has it; adds it at the end when it is new and not empty.
void setValue(Pieces& pieces, const QString& key, const QString& value)
{
    for (auto& piece : pieces) {
        if (piece.first.compare(key, Qt::CaseInsensitive) == 0) {
            piece.second = value;
            return;
        }
    }
    if (!value.isEmpty())
        pieces.append({key, value});
}

// Values that would end early or lose blanks go inside double quotes.
QString quoted(const QString& value)
{
    const bool needsQuotes = value.contains(QLatin1Char(';')) || value.startsWith(QLatin1Char('"')) ||
                             value.startsWith(QLatin1Char('\'')) || value != value.trimmed();
    if (!needsQuotes)
        return value;
    QString inner = value;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString joined(const Pieces& pieces)
{
    QString text;
    for (const auto& piece : pieces)
        text += piece.first + QLatin1Char('=') + quoted(piece.second) + QLatin1Char(';');
    return text;
}

TConnectionDialog::Provider providerOf(const QString& provider)
{
    const QString name = provider.trimmed().section(QLatin1Char('.'), 0, 0).toUpper();
    if (name == QLatin1String("MSDASQL"))
        return TConnectionDialog::Odbc;
    if (name == QLatin1String("SQLITE"))
        return TConnectionDialog::SqliteFile;
    return TConnectionDialog::SqlServer;
}

} // namespace

TConnectionDialog::TConnectionDialog(const QString& connectionString, QWidget* parent)
    : QDialog(parent), cbProvider(new QComboBox(this)), lblServer(new QLabel(this)),
      edServer(new QLineEdit(this)), btnBrowse(new QPushButton(QStringLiteral("..."), this)),
      edCatalog(new QLineEdit(this)), edUser(new QLineEdit(this)), edPassword(new QLineEdit(this)),
      memConnectionString(new QPlainTextEdit(this)),
      btnTest(new QPushButton(QStringLiteral("Test Connection"), this)),
      btnOK(new QPushButton(QStringLiteral("OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("Cancel"), this)), m_initial(connectionString)
{
    setObjectName(QStringLiteral("frmConnection"));
    setWindowTitle(QStringLiteral("Connection Properties"));
    cbProvider->setObjectName(QStringLiteral("cbProvider"));
    cbProvider->addItems(
        {QStringLiteral("SQL Server"), QStringLiteral("ODBC"), QStringLiteral("SQLite file")});
    edServer->setObjectName(QStringLiteral("edServer"));
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    edCatalog->setObjectName(QStringLiteral("edCatalog"));
    edUser->setObjectName(QStringLiteral("edUser"));
    edPassword->setObjectName(QStringLiteral("edPassword"));
    edPassword->setEchoMode(QLineEdit::Password);
    memConnectionString->setObjectName(QStringLiteral("memConnectionString"));
    memConnectionString->setReadOnly(true);
    btnTest->setObjectName(QStringLiteral("btnTest"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Provider"), cbProvider);
    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(edServer);
    serverRow->addWidget(btnBrowse);
    form->addRow(lblServer, serverRow);
    form->addRow(QStringLiteral("Catalog"), edCatalog);
    form->addRow(QStringLiteral("User name"), edUser);
    form->addRow(QStringLiteral("Password"), edPassword);
    form->addRow(QStringLiteral("Connection string"), memConnectionString);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnTest);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    try {
        m_pieces = pw::db::parseConnectionString(connectionString);
    } catch (const pw::Exception&) {
        // A string we cannot read is shown as it is and replaced only when edited.
        m_readable = false;
    }
    m_initialProvider = providerOf(pw::db::pieceValue(m_pieces, kProvider));

    m_loading = true;
    cbProvider->setCurrentIndex(m_initialProvider);
    edServer->setText(pw::db::pieceValue(m_pieces, kDataSource));
    edCatalog->setText(pw::db::pieceValue(m_pieces, kCatalog));
    edUser->setText(pw::db::pieceValue(m_pieces, kUser));
    edPassword->setText(pw::db::pieceValue(m_pieces, kPassword));
    m_loading = false;
    showProvider();

    connect(cbProvider, &QComboBox::currentIndexChanged, this, &TConnectionDialog::fieldsChanged);
    for (QLineEdit* edit : {edServer, edCatalog, edUser, edPassword})
        connect(edit, &QLineEdit::textChanged, this, &TConnectionDialog::fieldsChanged);
    connect(btnBrowse, &QPushButton::clicked, this, &TConnectionDialog::btnBrowseClick);
    connect(btnTest, &QPushButton::clicked, this, &TConnectionDialog::btnTestClick);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TConnectionDialog::Provider TConnectionDialog::SelectedProvider() const
{
    return static_cast<Provider>(qBound(0, cbProvider->currentIndex(), 2));
}

void TConnectionDialog::SetProvider(Provider provider)
{
    cbProvider->setCurrentIndex(provider);
}

void TConnectionDialog::fieldsChanged()
{
    if (m_loading)
        return;
    m_changed = true;
    showProvider();
}

void TConnectionDialog::showProvider()
{
    const Provider provider = SelectedProvider();
    const bool file = provider == SqliteFile;
    lblServer->setText(file               ? QStringLiteral("Database file")
                       : provider == Odbc ? QStringLiteral("Data source")
                                          : QStringLiteral("Server"));
    btnBrowse->setVisible(file);
    edCatalog->setEnabled(!file);
    edUser->setEnabled(!file);
    edPassword->setEnabled(!file);
    // The text on screen never shows the password itself.
    memConnectionString->setPlainText(pw::db::maskPassword(ConnectionString()));
}

QString TConnectionDialog::ConnectionString() const
{
    return m_changed ? buildConnectionString() : m_initial;
}

QString TConnectionDialog::buildConnectionString() const
{
    const Provider provider = SelectedProvider();
    Pieces pieces;
    if (m_readable && provider == m_initialProvider && !m_pieces.isEmpty()) {
        pieces = m_pieces;
    } else if (provider == SqliteFile) {
        pieces = {{kProvider, QStringLiteral("SQLite")}};
    } else {
        pieces = {{kProvider, provider == Odbc ? QStringLiteral("MSDASQL.1") : QStringLiteral("SQLOLEDB.1")},
                  {QStringLiteral("Persist Security Info"), QStringLiteral("True")},
                  {kUser, QString()},
                  {kPassword, QString()},
                  {kCatalog, QString()}};
    }
    if (provider != SqliteFile) {
        setValue(pieces, kUser, edUser->text());
        setValue(pieces, kPassword, edPassword->text());
        setValue(pieces, kCatalog, edCatalog->text());
    }
    setValue(pieces, kDataSource, edServer->text());
    return joined(pieces);
}

void TConnectionDialog::btnTestClick()
{
    pw::db::Connection probe;
    probe.setConnectionString(ConnectionString());
    try {
        probe.open();
        probe.close();
    } catch (const pw::Exception& e) {
        ShowErrorMsg(QStringLiteral("Test connection failed.\rReason: ") + e.message());
        return;
    }
    ShowInfoMsg(QStringLiteral("Test connection succeeded."));
}

void TConnectionDialog::btnBrowseClick()
{
    const QString file = pw::platform::fileDialogs().openFileName(
        this, QStringLiteral("Database file"), QFileInfo(edServer->text()).absolutePath(),
        QStringLiteral("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)"));
    if (!file.isEmpty())
        edServer->setText(file);
}

QString EditConnectionString(const QString& connectionString)
{
    TConnectionDialog dialog(connectionString);
    const int result = pw::platform::modalRunner().run(
        dialog, {QStringLiteral("TConnectionDialog"),
                 dialog.windowTitle(),
                 pw::db::maskPassword(connectionString),
                 {dialog.btnTest->text(), dialog.btnOK->text(), dialog.btnCancel->text()}});
    return result == QDialog::Accepted ? dialog.ConnectionString() : connectionString;
}
