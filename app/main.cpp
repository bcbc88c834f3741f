#include "startup/program.h"

int main(int argc, char** argv) { return pw::startup::runProgram(argc, argv); }
