#pragma once

#include <chrono>
#include <string>

namespace orva::tools {

// Walks a simulator's command line, one argument at a time.
class CommandLine {
public:
    CommandLine(int argc, char** argv);

    // Moves to the next argument; false when there is none.
    bool next();
    const std::string& argument() const { return argument_; }
    // The value that follows the current option. Throws std::runtime_error when it is missing.
    std::string value();
    std::chrono::milliseconds milliseconds();

private:
    int argc_;
    char** argv_;
    int index_ = 0;
    std::string argument_;
};

// Makes SIGTERM and SIGINT end the simulator's loop, so that it removes its link on the way out.
void stopOnTerminationSignals();
bool stopRequested();

} // namespace orva::tools
