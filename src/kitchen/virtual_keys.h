#pragma once

#include <Qt>

class QKeyEvent;

namespace pw::kitchen {

// The Windows virtual-key code of a key, whatever system the program runs on:
// the kitchen's keypad layout and the code in the status bar are those of the
// suite's Windows tills (keypad 4 is 100, Enter is 13). 0 for a key Windows has no code for.
int WindowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
int WindowsVirtualKey(const QKeyEvent& event);

} // namespace pw::kitchen
