#pragma once

#include "errors/exception.h"

#include <QStringList>

// An exception that also says where it was raised and may carry extra lines for the report.
class EZQException : public pw::Exception
{
public:
    EZQException(const QString& message, const QStringList& info, const QString& raisedIn)
        : Exception(message), RaisedIn(raisedIn), Info(info)
    {
    }
    EZQException(const QString& message, const QString& raisedIn) : EZQException(message, {}, raisedIn) {}
    QString className() const override { return QStringLiteral("EZQException"); }

    QString RaisedIn;
    QStringList Info;
};
