// pwgwconf.exe: the server's configuration program. It takes the console's command lines
// (-close, -serverrestart, -pages:NAME with -notaskbaricon -mmc -mul, -remote:"NAME") and
// records each in the server folder's program log; it shows no window of its own.
#include "installation/programs/program_log.h"

int main(int argc, char** argv) {
  return pw::programs::RecordCommandLine("pwgwconf.exe", argc, argv);
}
