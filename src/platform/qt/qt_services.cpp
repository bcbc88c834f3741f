#include "platform/real_services.h"

#include "platform/qt/settings_registry.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace pw::platform::real {
namespace {

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class ScreenMonitors final : public Monitors
{
public:
    QList<QRect> monitors() const override
    {
        QList<QRect> result;
        for (const QScreen* screen : QGuiApplication::screens())
            result.append(screen->geometry());
        return result;
    }
};

class DesktopShell final : public Shell
{
public:
    // A web address or a mail-to address opens as itself, as the Windows shell does;
    // anything else is a file (a one-letter "scheme" is a drive letter).
    bool openDocument(const QString& path) override
    {
        const QUrl address(path);
        if (address.scheme().size() > 1)
            return QDesktopServices::openUrl(address);
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
};

class QtFileDialogs final : public FileDialogs
{
public:
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QString chooseFolder(QWidget* parent, const QString& caption, const QString& startFolder) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, startFolder);
    }
};

class ExecModalRunner final : public ModalRunner
{
public:
    int run(QDialog& dialog, const ShownDialog&) override { return dialog.exec(); }
};

// Workstations without a reader: every call answers "nothing there".
class NoFingerprintReader final : public FingerprintReader
{
public:
    bool isInstalled() const override { return false; }
    bool Initialise() override { return false; }
    void ClearBuffer() override {}
    QString Capture() override { return {}; }
    bool Verify() override { return false; }
    void SetSample(const QString&) override {}
    void SetReference(const QString&) override {}
    void StopCapture() override {}
    bool IsConnected() override { return false; }
};

} // namespace

Clock& clock()
{
    static SystemClock instance;
    return instance;
}
Registry& registry()
{
    static SettingsRegistry instance;
    return instance;
}
Monitors& monitors()
{
    static ScreenMonitors instance;
    return instance;
}
Shell& shell()
{
    static DesktopShell instance;
    return instance;
}
FileDialogs& fileDialogs()
{
    static QtFileDialogs instance;
    return instance;
}
ModalRunner& modalRunner()
{
    static ExecModalRunner instance;
    return instance;
}
FingerprintReader& fingerprintReader()
{
    static NoFingerprintReader instance;
    return instance;
}

} // namespace pw::platform::real
