#pragma once
// The program as a technician has set it up: English, the unit type chosen,
// port 1 on the given device, the housing guide switched off.
#include "app/Program.h"

#include <QTemporaryDir>
#include <memory>

namespace pb::bench {

// Writes that configuration into a folder, for a program started there.
bool WriteBenchConfig(const QString& folder, int16_t unitType);

// A program in this process with a fresh folder of its own, loaded and shown.
class BenchProgram {
public:
    BenchProgram(const QString& device, int16_t unitType);

    Program& program() { return *program_; }
    MainWindow& window() { return program_->window; }
    bool portOpen() const { return program_->port.isOpen(); }

private:
    QTemporaryDir folder_;
    AppState state_;
    std::unique_ptr<Program> program_;
};

} // namespace pb::bench
