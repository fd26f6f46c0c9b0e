#pragma once
// The unit's end of the serial line: the master of a new pseudo-terminal, or
// an existing device. Raw, 19200 baud, 8 data bits, no parity, 1 stop bit.
#include <string>

namespace pb::unitsim {

class UnitLine {
public:
    // A new pseudo-terminal; serialSide() is the path the program opens.
    static UnitLine PseudoTerminal(std::string& error);
    static UnitLine Device(const std::string& path, std::string& error);

    UnitLine() = default;
    UnitLine(UnitLine&& other) noexcept;
    UnitLine& operator=(UnitLine&& other) noexcept;
    ~UnitLine();

    bool isOpen() const { return fd_ >= 0; }
    bool isPseudoTerminal() const { return pseudoTerminal_; }
    int fd() const { return fd_; }
    const std::string& serialSide() const { return serialSide_; }

    // For a pseudo-terminal: somebody has its serial side open.
    bool peerPresent() const;
    // Hangs the line up.
    void close();

private:
    int fd_ = -1;
    bool pseudoTerminal_ = false;
    std::string serialSide_;
};

// Replaces an earlier link at the path; false when that is not a link.
bool MakeLink(const std::string& target, const std::string& link, std::string& error);

} // namespace pb::unitsim
