#include "startup/program.h"

#include "db/dm_orvo.h"
#include "db/generic_db.h"
#include "errors/exception_handler.h"
#include "errors/guarded_application.h"
#include "kitchen/kitchen_labels.h"
#include "kitchen/main_form.h"
#include "platform/platform.h"
#include "settings/form_settings.h"
#include "settings/orvo_settings.h"
#include "startup/splash_screen.h"
#include "till/till_id.h"
#include "till/till_id_form.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

namespace pw::startup {

TProgram::TProgram() : m_formSettings(std::make_unique<TFormSettingsInstance>()) {}

// Forms first, then what they use, the connection last.
TProgram::~TProgram()
{
    m_frmTillID.reset();
    if (frmSplashScreen == m_frmSplashScreen.get())
        frmSplashScreen = nullptr;
    m_frmSplashScreen.reset();
    if (frmMain == m_frmMain.get())
        frmMain = nullptr;
    m_frmMain.reset();
    if (KitchenLabels == m_kitchenLabels.get())
        KitchenLabels = nullptr;
    m_kitchenLabels.reset();
    if (OrvoSettings == m_orvoSettings.get())
        OrvoSettings = nullptr;
    m_orvoSettings.reset();
    if (GenericDB == m_genericDB.get())
        GenericDB = nullptr;
    m_genericDB.reset();
    if (dmOrvo == m_dmOrvo.get())
        dmOrvo = nullptr;
    m_dmOrvo.reset();
}

StartOutcome TProgram::Start(bool anotherCopyRunning)
{
    m_dmOrvo = std::make_unique<TdmOrvo>();
    dmOrvo = m_dmOrvo.get();
    Steps << QStringLiteral("dmOrvo");

    // Reports its own failure.
    dmOrvo->SetConnected();
    Steps << QStringLiteral("SetConnected");
    if (!dmOrvo->IsConnected())
        return StartOutcome::NotConnected;

    m_genericDB = std::make_unique<TGenericDB>(&dmOrvo->con);
    GenericDB = m_genericDB.get();
    Steps << QStringLiteral("GenericDB");

    TillID = GetTillID();
    Steps << QStringLiteral("GetTillID");
    if (TillID <= 0)
        return StartOutcome::NoTill;

    m_orvoSettings = std::make_unique<TOrvoSettings>();
    OrvoSettings = m_orvoSettings.get();
    OrvoSettings->SetAdoConnection(&dmOrvo->con);
    OrvoSettings->TillID = TillID;
    OrvoSettings->Global->Populate();
    OrvoSettings->Local->Populate(OrvoSettings->TillID);
    Steps << QStringLiteral("OrvoSettings");

    m_kitchenLabels = std::make_unique<TKitchenLabels>();
    KitchenLabels = m_kitchenLabels.get();
    Steps << QStringLiteral("KitchenLabels");

    // The main window's single-instance guard: a second copy looks for the first
    // copy's window by this copy's own (still default) title, and ends.
    if (anotherCopyRunning) {
        platform::singleInstance().activateOther(QGuiApplication::applicationDisplayName());
        Steps << QStringLiteral("AnotherCopyRunning");
        return StartOutcome::AnotherCopyRunning;
    }

    m_frmMain = std::make_unique<TfrmMain>();
    frmMain = m_frmMain.get();
    Steps << QStringLiteral("frmMain");
    m_frmSplashScreen = std::make_unique<TfrmSplashScreen>();
    frmSplashScreen = m_frmSplashScreen.get();
    Steps << QStringLiteral("frmSplashScreen");
    m_frmTillID = std::make_unique<TfrmTillID>();
    m_frmTillID->SetAdoConnection(&dmOrvo->con);
    Steps << QStringLiteral("frmTillID");

    frmSplashScreen->ShowStatus(QStringLiteral("Ready..."), false);
    frmSplashScreen->close();
    Steps << QStringLiteral("Ready");
    return StartOutcome::Ready;
}

int TProgram::Run()
{
    // Kitchen workstations often run without a window manager to maximise the
    // window, so it is first given the whole screen itself.
    if (const QScreen* screen = frmMain->screen())
        frmMain->setGeometry(screen->availableGeometry());
    frmMain->setWindowState(Qt::WindowMaximized);
    frmMain->show();
    return QApplication::exec();
}

QString ProgramFileName(const char* argv0)
{
    return QFileInfo(QString::fromLocal8Bit(argv0 ? argv0 : "platewatch")).fileName();
}

int runProgram(int argc, char** argv)
{
    // As the program's unit initialisation: the one-copy claim comes before anything else.
    const bool anotherCopyRunning =
        !platform::singleInstance().claim(ProgramFileName(argc > 0 ? argv[0] : nullptr));
    errors::GuardedApplication app(argc, argv);
    TProgram program;
    try {
        if (program.Start(anotherCopyRunning) != StartOutcome::Ready)
            return 0;
    } catch (const std::exception& e) {
        // A start that failed half way is reported, and the program ends.
        ExceptionHandler->HandleException(nullptr, e);
        return 1;
    }
    return program.Run();
}

} // namespace pw::startup
