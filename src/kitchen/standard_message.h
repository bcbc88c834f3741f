#pragma once

#include <QString>

namespace pw::kitchen {

// The window system's own message box with the error icon and an OK button,
// run through the platform's modal seam. "\r" in the text breaks the line.
void ShowStandardError(const QString& text);

} // namespace pw::kitchen
