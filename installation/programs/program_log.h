// What the server's configuration programs share: the record of the command lines they ran.
#pragma once

namespace pw::programs {

// Appends `name`, then each word of the command line (argv[0] included) after a blank, as one line
// to "programs.log" in the folder that holds the running program (the server folder); answers the
// program's exit status: 0, or 1 when the record cannot be written.
int RecordCommandLine(const char* name, int argc, char** argv);

}  // namespace pw::programs
