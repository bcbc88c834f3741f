#pragma once

#include <QApplication>

namespace pw::errors {

// The application object of the suite's programs. Every event of the user-interface
// thread passes through notify(), which makes it the one place where an exception
// that escaped an event handler is caught and handed to ExceptionHandler; the
// program then carries on.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace pw::errors
