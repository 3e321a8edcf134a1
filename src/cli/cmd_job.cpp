// vantorctl job: the desktop program's own command line, run without a window.

#include "cli/commands.h"
#include "cli/module_session.h"
#include "document/command_line_job.h"

namespace vantor::cli {

extern const char kJobUsage[] =
    "usage: vantorctl job ARGUMENTS...\n"
    "Runs the configurator's command line as the desktop program would, without a\n"
    "window: options after \"/\" or \"-\", several joined by \"/\" (read, write, close,\n"
    "aply, test, silent, port:N (COMn), bps:N, prty:even|odd|no, addr:A, len:N,\n"
    "sbit:S, alen:N, rs485:auto|off|on, autoread:on|off, elog:PATH, exitevent:NAME),\n"
    "and the configuration file; \"--\" ends the options. For example\n"
    "  vantorctl job /read/port:3/bps:19200/close /srv/cfg/line4.vantor\n"
    "The status is the program's exit code: 0, or 200 + the lowest result bit (200 no\n"
    "file to write, 201 port, 202 no answer, 203 transmission or a parameter failed,\n"
    "204 module error, 205 cancelled or ended by the exit event, SIGTERM or Ctrl+C, 206\n"
    "not recognised, 207 file not saved). A read that did not end leaves the file as\n"
    "it was and goes to FILE.incomplete.vantor beside it.\n";

int runJob(const Arguments& args) {
    ModuleUserInterface ui;
    TerminalFrontEnd frontEnd(ui);
    return RunCommandLineJob(args, ui, frontEnd);
}

}  // namespace vantor::cli
