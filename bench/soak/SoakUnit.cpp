#include "SoakUnit.h"

#include <array>

namespace pb::bench {

namespace {

using unitsim::Fault;

// The faults any reply can show, in the order they take turns.
constexpr std::array kFaults{Fault::Silent, Fault::BadCheckSum, Fault::Noise,
                             Fault::Stall,  Fault::TooLong,     Fault::Late};

Fault FaultOfFrame(long long frame)
{
    if (frame % kFaultEvery != kFaultEvery - 1)
        return Fault::None;
    return kFaults[std::size_t(frame / kFaultEvery) % kFaults.size()];
}

unitsim::UnitOptions OptionsOf(int16_t unitType)
{
    unitsim::UnitOptions options;
    options.unitType = unitType;
    return options;
}

// Datacom's device: the bytes go straight to the unit and back.
class UnitDevice : public LineDevice {
public:
    explicit UnitDevice(SoakUnit& unit) : unit_(unit) {}

    DeviceError open(const LineSettings&) override
    {
        open_ = true;
        return {};
    }
    bool isOpen() const override { return open_; }
    void close() override { open_ = false; }
    QByteArray readWaiting() override { return unit_.transmit(); }
    bool write(const QByteArray& bytes) override
    {
        unit_.receive(bytes);
        return true;
    }
    void clearInput() override { unit_.discardOutput(); }
    void setModemLines(bool, bool) override {}

private:
    SoakUnit& unit_;
    bool open_ = false;
};

} // namespace

SoakUnit::SoakUnit(int16_t unitType, const TickClock& clock)
    : clock_(clock), unit_(OptionsOf(unitType), clock.now())
{
}

// The fault is chosen before the bytes go in: the unit shapes its reply as
// the frame's last byte arrives.
void SoakUnit::receive(const QByteArray& bytes)
{
    const long long before = frames();
    const Fault fault = FaultOfFrame(before);
    unit_.setFault(fault);
    unit_.receive(unitsim::Bytes(bytes.constData(), std::size_t(bytes.size())), clock_.now());
    if (fault != Fault::None && frames() > before)
        ++faulted_;
}

QByteArray SoakUnit::transmit()
{
    const unitsim::Bytes due = unit_.transmit(clock_.now());
    return QByteArray(due.data(), qsizetype(due.size()));
}

// The engine flushes before each request, so the exchange before is over.
void SoakUnit::discardOutput()
{
    unit_.transmit(clock_.now());
}

std::unique_ptr<LineDevice> SoakUnit::makeDevice()
{
    return std::make_unique<UnitDevice>(*this);
}

} // namespace pb::bench
