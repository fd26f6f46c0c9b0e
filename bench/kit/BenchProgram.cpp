#include "BenchProgram.h"

#include "files/ConfigFile.h"
#include "link/ports/PortName.h"

namespace pb::bench {

bool WriteBenchConfig(const QString& folder, int16_t unitType)
{
    ProgramConfig config;
    config.portIndex = 0;
    config.logging = 2;
    config.unitType = unitType;
    config.language = 0;
    config.hideHousingGuide = 1;
    const QString path = folder + QStringLiteral("/Pagerbench.set");
    return WriteConfig(config, path).ok();
}

BenchProgram::BenchProgram(const QString& device, int16_t unitType)
{
    WriteBenchConfig(folder_.path(), unitType);
    state_.folder.path = folder_.path();
    qputenv(PortEnvironmentVariable(1).toLatin1().constData(), device.toLocal8Bit());
    program_ = std::make_unique<Program>(state_);
    program_->load();
    program_->window.show();
}

} // namespace pb::bench
