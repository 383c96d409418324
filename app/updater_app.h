// The process: command line, single instance, device backend, and the main window
// run modally until it closes.
#pragma once

namespace kestrova {

class CUpdaterApp {
public:
    // Returns the process exit status.
    int Run(int argc, char** argv);
};

}  // namespace kestrova
