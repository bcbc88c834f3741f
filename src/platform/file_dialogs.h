#pragma once

#include <QString>

class QWidget;

namespace pw::platform {

// The platform's file and folder choosers; an empty answer means cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString chooseFolder(QWidget* parent, const QString& caption, const QString& startFolder) = 0;
};

} // namespace pw::platform
