#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace orva::tools {

// A pseudo-terminal pair standing in for a serial cable: ORVA opens the slave side (through
// a symbolic link, such as <data folder>/COM1), the simulator or test drives the master side.
// The slave is set raw and kept open here, so nothing is altered or lost before ORVA opens it.
class PseudoTerminal {
public:
    // Links the slave at linkPath unless it is empty. Throws std::runtime_error on failure.
    explicit PseudoTerminal(std::string linkPath = {});
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Writes every byte, waiting while the far end is slow to read.
    void write(std::string_view bytes) const;

    // Returns what arrives within the timeout: empty when nothing came.
    std::string read(std::chrono::milliseconds timeout) const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

} // namespace orva::tools
