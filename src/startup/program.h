#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class TdmOrvo;
class TGenericDB;
class TOrvoSettings;
class TKitchenLabels;
class TfrmMain;
class TfrmSplashScreen;
class TfrmTillID;
class TFormSettingsInstance;

namespace pw::startup {

// How a start ended.
enum class StartOutcome
{
    NotConnected,       // the connection failed and was reported
    NoTill,             // this computer is not a till: ended without a word
    AnotherCopyRunning, // a copy already runs on this computer: this one ends
    Ready,              // the main window is there, ready for the message loop
};

// The start of the program in its fixed order, and the process-wide objects it
// makes (dmOrvo, GenericDB, OrvoSettings, KitchenLabels and the forms). They
// live as long as this object, which frees them and clears the globals.
class TProgram
{
public:
    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    // Steps 2 to 10, after the application object exists. `anotherCopyRunning`
    // is what the single-instance claim found when the process began.
    StartOutcome Start(bool anotherCopyRunning);
    // Step 11: shows the main window and runs the message loop until it closes.
    int Run();

    // The steps taken, by the name of what they made or called.
    QStringList Steps;
    int TillID = 0;

private:
    // Made first, as the form look every dialog of the start already uses.
    std::unique_ptr<TFormSettingsInstance> m_formSettings;
    std::unique_ptr<TdmOrvo> m_dmOrvo;
    std::unique_ptr<TGenericDB> m_genericDB;
    std::unique_ptr<TOrvoSettings> m_orvoSettings;
    std::unique_ptr<TKitchenLabels> m_kitchenLabels;
    std::unique_ptr<TfrmMain> m_frmMain;
    std::unique_ptr<TfrmSplashScreen> m_frmSplashScreen;
    std::unique_ptr<TfrmTillID> m_frmTillID;
};

// The name the single-instance claim goes by: the program file's name with its
// extension, without its folder.
QString ProgramFileName(const char* argv0);

// Brings the program from nothing to its running main window; the exit code.
int runProgram(int argc, char** argv);

} // namespace pw::startup
