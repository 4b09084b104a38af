// pwgwinet.exe: the server's gateway configuration program. It takes the console's command
// lines (-setup:close, -setup:NAME, -remote:"NAME") and records each in the server folder's
// program log; it shows no window of its own.
#include "installation/programs/program_log.h"

int main(int argc, char** argv) {
  return pw::programs::RecordCommandLine("pwgwinet.exe", argc, argv);
}
