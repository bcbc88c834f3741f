#include "errors/exception_handler.h"

#include "errors/ezq_exception.h"
#include "errors/msg_dlg_lst.h"

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
    // The context belongs to this report only, whatever happens while it is shown.
    struct ResetAfter
    {
        TZqException& handler;
        ~ResetAfter() { handler.Reset(); }
    } resetAfter{*this};

    QString message;
    if (const auto* own = dynamic_cast<const pw::Exception*>(&e))
        message = own->message();
    else
        message = QString::fromLocal8Bit(e.what());
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
