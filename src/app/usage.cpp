// The help and version texts, with the command-line write's exit statuses spelled out
// so that a script knows what each one means.
#include "app/usage.h"

#include "app/identity.h"

namespace app {

std::string usageText() {
    return "Usage: fltamp [-c CODE] [--console]\n"
           "       fltamp [--timeout MS] --script FILE.vbs [ARGS...]\n"
           "Bench panel for the Brinmor XFL2090 filter chip on the parallel port.\n"
           "\n"
           "  -c CODE     write the frequency code CODE (0..29 for 1..30 MHz) to the chip,\n"
           "              read it back and end without showing the window (-C works too)\n"
           "  --console   open the script console beside the panel; after -c CODE it is\n"
           "              ignored, as the code is written and the program ends\n"
           "  --script FILE [ARGS...]\n"
           "              run the VBScript file FILE against the panel and end, never\n"
           "              showing a window (with or without a display): the panel starts\n"
           "              as usual, then FILE runs on the script console's engine with its\n"
           "              names (MForm, SForm, ...) and WScript; ARGS are its arguments.\n"
           "              Boxes print their text on stdout and take the default answer\n"
           "  --timeout MS  stop the script once its own code has run MS milliseconds\n"
           "              (default: no limit)\n"
           "  --help      show this text and end\n"
           "  --version   show the version and end\n"
           "\n"
           "Exit status of -c: 0 written and read back the same; 2 parallel port not\n"
           "available (nothing written); 3 the chip reads back another code; 4 the chip\n"
           "reads back a code out of range; 5 the port failed during the transfer.\n"
           "Exit status of --script: 0 the script ended; the code it gave WScript.Quit\n"
           "(255 for one outside 0..255); 1 a script error (FILE(LINE, COLUMN) ... on\n"
           "stderr), an error the console reports (fltamp: Error: ...), or FILE cannot be\n"
           "opened; 2 port setup ended the program (Abort, No): FILE not run.\n"
           "\n"
           "Environment:\n"
           "  FLTAMP_PORT=NAME         the port: ppdev (default, the real port), sim (the\n"
           "                           simulated board), ftdi (an FTDI USB bridge in\n"
           "                           bit-bang mode) or gpio (GPIO lines of a board computer)\n"
           "  FLTAMP_TRACE=FILE        append every port access to FILE\n"
           "  FLTAMP_SCRIPT_DIR=FOLDER where the console's script files are found (default:\n"
           "                           the program's own folder; installed under /usr, the\n"
           "                           current folder, which is also where Save starts)\n"
           "  FLTAMP_SIM_CODE=N        the simulated chip's code at power-up (default 11)\n"
           "  FLTAMP_SIM_REFUSE=N      the simulated board refuses N claims, or always\n"
           "  FLTAMP_SIM_STATUS=LEVEL  high or low: the simulated answer line stuck there\n"
           "  FLTAMP_FTDI=DEVICE       the bridge to use when several FTDI devices are\n"
           "                           plugged in: d:BUS/ADDRESS, i:VID:PID[:INDEX] or\n"
           "                           s:VID:PID:SERIAL\n"
           "  FLTAMP_FTDI_RATE=N       level changes per second on its pins (default 10000)\n"
           "  FLTAMP_GPIO_CHIP=NAME    the GPIO chip in /dev (default gpiochip0)\n"
           "  FLTAMP_GPIO_LINES=L,D,C,A  line offsets of latch, data, clock and the chip's\n"
           "                           answer (default 17,27,22,23)\n"
           "  QT_QPA_PLATFORM, WAYLAND_DISPLAY, DISPLAY  the display, checked before Qt\n"
           "                           starts (a Wayland socket in XDG_RUNTIME_DIR, Qt's\n"
           "                           plugins also in QT_QPA_PLATFORM_PLUGIN_PATH)\n"
           "\n"
           "Without a display the panel runs headless: -c and --script work, port-setup\n"
           "questions are asked on the terminal, and without one the safe answer (Abort,\n"
           "No) is taken.\n";
}

std::string versionText() {
    return "fltamp " FLTAMP_VERSION "\n";
}

} // namespace app
