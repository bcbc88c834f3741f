#pragma once

#include <QString>
#include <QStringList>

namespace pw::platform {

// Handing work to other programs of the workstation.
class Shell
{
public:
    virtual ~Shell() = default;
    // Opens a document, or a web or mail-to address, with the program the system associates with it.
    virtual bool openDocument(const QString& path) = 0;
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};

} // namespace pw::platform
