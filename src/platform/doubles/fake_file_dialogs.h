#pragma once

#include "platform/file_dialogs.h"

#include <QStringList>

namespace pw::platform {

// Answers file and folder choosers from a queue; an empty queue answers "cancelled".
class FakeFileDialogs final : public FileDialogs
{
public:
    QStringList answers;
    QStringList asked; // captions, in order

    QString openFileName(QWidget*, const QString& caption, const QString&, const QString&) override
    {
        return next(caption);
    }
    QString chooseFolder(QWidget*, const QString& caption, const QString&) override { return next(caption); }

private:
    QString next(const QString& caption)
    {
        asked.append(caption);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

} // namespace pw::platform
