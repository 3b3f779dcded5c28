// SPDX-License-Identifier: MIT
// Qt ends the process with abort() and a core when it cannot reach a display,
// and prints several lines of plugin detail first. A person starting the
// assistant from a terminal or a session script needs one line that names
// the display, and a plain exit status of 1.
#pragma once

namespace platform::qt {

class DisplayProblems {
public:
    // Installs the message handler; from here until startupDone(), Qt's
    // messages are held back, and a fatal one becomes our one line on
    // standard error and exit status 1.
    DisplayProblems();
    ~DisplayProblems();
    DisplayProblems(const DisplayProblems&) = delete;
    DisplayProblems& operator=(const DisplayProblems&) = delete;

    // The application object exists: what was held back is printed as Qt
    // would have printed it, and later messages pass through, but for the
    // display going away, which is named in one line before Qt exits.
    void startupDone();
};

} // namespace platform::qt
