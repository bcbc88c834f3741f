#pragma once

#include "platform/shell.h"

namespace pw::platform {

// Records what would have been opened or started.
class FakeShell final : public Shell
{
public:
    QStringList opened;
    QList<QStringList> started; // program first, then its arguments
    bool answer = true;

    bool openDocument(const QString& path) override
    {
        opened.append(path);
        return answer;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.append(QStringList{program} + arguments);
        return answer;
    }
};

} // namespace pw::platform
