#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace pw {

// The base of every exception the program raises: a message a person can read
// and the class name the error reports show.
class Exception : public std::exception
{
public:
    explicit Exception(QString message) : m_message(std::move(message)), m_what(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    virtual QString className() const { return QStringLiteral("Exception"); }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    QByteArray m_what;
};

// A value could not be converted (a text that is not a number or a time).
class EConvertError : public Exception
{
public:
    using Exception::Exception;
    QString className() const override { return QStringLiteral("EConvertError"); }
};

// The text a report shows for any exception: our own message, or what a library said.
inline QString messageOf(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->message();
    return QString::fromUtf8(e.what());
}

} // namespace pw
