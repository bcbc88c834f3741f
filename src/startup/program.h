#pragma once

namespace pw::startup {

// Brings the program from nothing to its running main window; the exit code.
int runProgram(int argc, char** argv);

} // namespace pw::startup
