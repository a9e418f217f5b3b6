// program_start.h: the program's entry: it starts the toolkit base library with the start-up
// record, names the program after its own file, runs the main routine inside the library
// and ends the library again.
#pragma once
#include <cstddef>

using MainRoutine = int (*)(int argc, char** argv);

// Fills the start-up record and its hooks, begins and initialises the base library, runs
// mainRoutine with argv[0] replaced by the program's file name, ends the library. Answers
// what mainRoutine answered; 0 when the library did not start (then mainRoutine does not
// run) or did not initialise.
int RunProgram(int argc, char** argv, MainRoutine mainRoutine);

// The running program's file name in buffer, cut to fit and always terminated.
void GetProgramName(char* buffer, std::size_t size);

// The main routine's reading of its arguments: more than the program's name sets the
// command-line flag, and from then on only the name counts.
bool TakeCommandLine(int* argc);
