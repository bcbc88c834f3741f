#include "errors/guarded_application.h"

#include "errors/exception.h"
#include "errors/exception_handler.h"

#include <QtDebug>

namespace pw::errors {
namespace {

void handle(QObject* receiver, const std::exception& e)
{
    // A failure while reporting must not take the program down with it.
    try {
        ExceptionHandler->HandleException(receiver, e);
    } catch (const std::exception& again) {
        qCritical("The error report itself failed: %s (while reporting: %s)", again.what(), e.what());
    } catch (...) {
        qCritical("The error report itself failed (while reporting: %s)", e.what());
    }
}

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        handle(receiver, e);
    } catch (...) {
        handle(receiver, pw::Exception(QStringLiteral("An exception of an unknown kind was raised")));
    }
    // The failure has been dealt with: nothing else should act on this event.
    return true;
}

} // namespace pw::errors
