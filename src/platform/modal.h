#pragma once

#include <QString>
#include <QStringList>

class QDialog;

namespace pw::platform {

// What a modal dialog showed, for the record tests read.
struct ShownDialog
{
    QString kind;       // "Warning", "Error", "Information", "Confirm", "Custom" or the form's class
    QString caption;    // window title
    QString text;       // the message or prompt
    QStringList buttons; // button captions in the order shown
};

// Every modal dialog of the program runs through here, so that tests answer
// them with a scripted result instead of a person.
class ModalRunner
{
public:
    virtual ~ModalRunner() = default;
    virtual int run(QDialog& dialog, const ShownDialog& shown) = 0;
};

} // namespace pw::platform
