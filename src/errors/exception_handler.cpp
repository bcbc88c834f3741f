#include "errors/exception_handler.h"

#include "errors/ezq_exception.h"
#include "errors/msg_dlg_lst.h"

#include <QtDebug>

namespace {
TZqException handlerInstance;
}

TZqException* ExceptionHandler = &handlerInstance;

TZqException::TZqException()
{
    Reset();
}

void TZqException::Reset()
{
    ExtraMessage.clear();
    Heading = QStringLiteral("An Error Has Occurred");
    RaisedIn = QStringLiteral("Not Set");
    Info.clear();
}

void TZqException::HandleException(QObject*, const std::exception& e)
{
    const QString message = pw::messageOf(e);

    // The report window runs its own event loop. A failure raised in there (by the
    // window itself, another timer or a posted call) would open a report over the
    // report, and a failing window another over that one, without end: while a
    // report is open, further failures go to the error output instead.
    if (m_reporting) {
        qCritical("Failed while an error report was open: %s", qUtf8Printable(message));
        return;
    }

    // The context belongs to this report only, whatever happens while it is shown.
    struct ReportScope
    {
        TZqException& handler;
        explicit ReportScope(TZqException& h) : handler(h) { handler.m_reporting = true; }
        ~ReportScope()
        {
            handler.m_reporting = false;
            handler.Reset();
        }
    } scope(*this);
    if (const auto* zq = dynamic_cast<const EZQException*>(&e)) {
        RaisedIn = zq->RaisedIn;
        Info.append(zq->Info);
    }

    TfrmMsgDlgLst form;
    form.AddLine(Heading, true);
    form.AddLine(QString());
    form.AddLine(QStringLiteral("Error: ") + message, true, Qt::red);
    if (!RaisedIn.isEmpty()) {
        form.AddLine(QString());
        form.AddLine(QStringLiteral("Raised In: ") + RaisedIn, true);
    }
    form.AddLine(QString());
    if (!ExtraMessage.isEmpty())
        form.AddLine(ExtraMessage, true);
    if (!Info.isEmpty()) {
        form.AddLine(QStringLiteral("Additional Information"), true);
        for (const QString& line : std::as_const(Info))
            form.AddLine(line);
    }
    form.ShowReport(mtError);
}
