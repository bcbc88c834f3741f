#pragma once

#include <QStringList>

#include <exception>

class QObject;

// The application-wide handler: any exception no code caught on the user-interface
// thread is shown in the report window and saved as a log. Code that wants its
// context in the report sets Heading and RaisedIn before letting an exception go.
class TZqException
{
public:
    TZqException();

    // Back to no context: "An Error Has Occurred", raised in "Not Set".
    void Reset();
    void HandleException(QObject* sender, const std::exception& e);

    QString ExtraMessage;
    QString Heading;
    QString RaisedIn;
    QStringList Info;

private:
    // True while a report is being made or is on screen.
    bool m_reporting = false;
};

// The one handler, there before the program starts.
extern TZqException* ExceptionHandler;
