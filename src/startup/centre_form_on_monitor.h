#pragma once

class QWidget;

// Moves the form so that its centre lies on the centre of monitor number
// `monitor` (only its low 7 bits count). Shows "Invalid monitor" and leaves the
// form where it was when there is no such monitor.
void CentreFormOnMonitor(int monitor, QWidget* form);
