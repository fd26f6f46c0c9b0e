#include "link/devices/Datacom.h"

#include "link/devices/DatacomSettings.h"
#include "link/ports/PortName.h"

#include <QElapsedTimer>
#include <utility>

namespace pb {

Datacom::Clock Datacom::SteadyClock()
{
    return [] {
        QElapsedTimer now;
        now.start();
        return now.msecsSinceReference();
    };
}

Datacom::Datacom(LogSink& log, PortWords words, LampFlags& lamps, Clock clock)
    : log_(log), words_(std::move(words)), lamps_(lamps), clock_(std::move(clock))
{
}

// The device goes before the context its queued calls run in.
Datacom::~Datacom()
{
    sendGathered();
    device_.reset();
}

int16_t Datacom::OpenComPort(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                             int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode)
{
    const std::optional<PendingOpen> pending =
        beginOpen(portIndex, speedCode, parityCode, dataBitsCode, stopBitsCode, handshakeCode);
    if (!pending)
        return -1;
    lastError_ = device_ ? device_->open(pending->settings) : DeviceError{DeviceErrorKind::Missing, {}};
    return endOpen(*pending);
}

void Datacom::OpenComPortInBackground(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                                      int16_t dataBitsCode, int16_t stopBitsCode, int16_t handshakeCode,
                                      std::function<void(int16_t result)> ended)
{
    const std::optional<PendingOpen> pending =
        beginOpen(portIndex, speedCode, parityCode, dataBitsCode, stopBitsCode, handshakeCode);
    if (!pending || !device_) {
        if (pending)
            lastError_ = {DeviceErrorKind::Missing, {}};
        const int16_t result = pending ? endOpen(*pending) : -1;
        // Told from the event loop, as a device server's open is.
        QMetaObject::invokeMethod(&context_, [ended = std::move(ended), result] { ended(result); },
                                  Qt::QueuedConnection);
        return;
    }
    pendingOpen_ = *pending;
    openEnded_ = std::move(ended);
    device_->openInBackground(pending->settings);
}

// Leaves the device to open made, or nothing when no open may start.
std::optional<Datacom::PendingOpen> Datacom::beginOpen(int16_t portIndex, int16_t speedCode, int16_t parityCode,
                                                       int16_t dataBitsCode, int16_t stopBitsCode,
                                                       int16_t handshakeCode)
{
    dropIfLost();
    const int portNumber = portIndex + 1;
    if (active() && active()->isOpen()) {
        // A port is changed only while it is closed.
        say({PortEvent::OpenFailed, portNumber, {}});
        return std::nullopt;
    }
    // An open by the user replaces the reopening and any open under way.
    waiting_ = reopening_ = false;
    openEnded_ = nullptr;
    device_.reset();

    PendingOpen pending;
    pending.portNumber = portNumber;
    pending.keepWaiting = closedWhileAway_;
    pending.settings = LineSettingsFromCodes(speedCode, parityCode, dataBitsCode, stopBitsCode, handshakeCode);
    pending.identity = deviceName ? deviceName(portNumber) : DeviceIdentity(PortDeviceName(portNumber));
    device_ = makeDevice(pending.identity.device);
    return pending;
}

// Takes the device into use once lastError_ says it opened.
int16_t Datacom::endOpen(const PendingOpen& pending)
{
    const bool opened = !lastError_.failed();
    if (opened || pending.keepWaiting) {
        portNumber_ = pending.portNumber;
        settings_ = pending.settings;
        opened_ = opened ? IdentifyOpened(pending.identity, adapterLinks) : pending.identity;
    }
    if (!opened) {
        device_.reset();
        say({PortEvent::OpenFailed, pending.portNumber, {}});
        // The device was away when the port was closed to be opened again
        // (the settings dialog's Save): keep waiting for the device named now.
        if (pending.keepWaiting && pending.portNumber >= 1)
            startWaiting();
        return -1;
    }
    inUse_ = true;
    lost_ = false;
    closedWhileAway_ = false;
    forgetReceived();
    say({PortEvent::Opened, pending.portNumber, pending.settings.text});
    if (onCaption)
        onCaption(captionText());
    return 0;
}

std::unique_ptr<LineDevice> Datacom::makeDevice(const QString& name)
{
    std::unique_ptr<LineDevice> device = name.isEmpty() || !makeLineDevice ? nullptr : makeLineDevice(name);
    if (!device)
        return nullptr;
    LineDevice* made = device.get();
    made->onGone = [this, made](const DeviceError& error) {
        if (active() == made)
            noteLost(error);
    };
    made->onOpenedInBackground = [this, made](const DeviceError& error) {
        if (device_.get() != made)
            return;
        if (reopening_) {
            reopened(!error.failed());
            return;
        }
        // Finished from the event loop: the device is still in its own call,
        // and a failed open lets it go.
        QMetaObject::invokeMethod(&context_, [this, made, error] {
            if (device_.get() == made && openEnded_)
                openedInBackground(error);
        }, Qt::QueuedConnection);
    };
    made->onNotice = [this](const QString& line) {
        log_.WriteLog(line);
        if (onDeviceNotice)
            onDeviceNotice(line);
    };
    return device;
}

QString Datacom::captionText() const
{
    return QStringLiteral("Serial Port: ") + QString::number(portNumber_) + u' ' + settings_.text;
}

void Datacom::CloseComPort()
{
    sendGathered();
    dropIfLost();
    closedWhileAway_ = waiting_;
    waiting_ = reopening_ = false;
    openEnded_ = nullptr;
    forgetReceived();
    bool failed = false;
    if (LineDevice* device = active()) {
        device->close();
        failed = device->isOpen();
    }
    device_.reset();
    inUse_ = false;
    lost_ = false;
    say({failed ? PortEvent::CloseFailed : PortEvent::Closed, portNumber_, {}});
}

int16_t Datacom::ReadByte()
{
    sendGathered();
    if (dropIfLost())
        return -1;
    if (next_ >= received_.size()) {
        forgetReceived();
        LineDevice* device = active();
        if (!device)
            return -1;
        received_ = device->readWaiting();
        if (dropIfLost() || received_.isEmpty())
            return -1;
    }
    lamps_.receiving = kTrue;
    return static_cast<uint8_t>(received_[next_++]);
}

int16_t Datacom::SendByte(int16_t value)
{
    if (static_cast<uint16_t>(value) >= 256)
        return -1;
    lamps_.sending = kTrue; // the lamp shows attempts too
    LineDevice* device = active();
    if (dropIfLost() || !device || !device->isOpen())
        return -1;
    toSend_.append(static_cast<char>(value));
    return 0;
}

// One write for everything gathered; a device that fails it tells through
// onGone, and the line is dropped at the next chance.
void Datacom::sendGathered()
{
    if (toSend_.isEmpty())
        return;
    const QByteArray bytes = std::exchange(toSend_, QByteArray());
    if (LineDevice* device = active(); device && device->isOpen() && !lost_)
        device->write(bytes);
}

void Datacom::FlushInput()
{
    sendGathered();
    forgetReceived();
    if (LineDevice* device = active(); device && device->isOpen())
        device->clearInput();
}

bool Datacom::isOpen() const
{
    return active() && active()->isOpen() && !lost_;
}

void Datacom::Tick()
{
    sendGathered();
    dropIfLost();
    if (waiting_ && !reopening_ && clock_() - lastTry_ >= kRelinkIntervalMs)
        tryRelink();
}

void Datacom::noteLost(const DeviceError& error)
{
    if (lost_ || !active())
        return;
    lost_ = true;
    lastError_ = error;
    // While the event loop runs, a hung-up device keeps the port's read
    // notifier firing; closing soon, but outside the device's own call, ends it.
    QMetaObject::invokeMethod(&context_, [this] { dropIfLost(); }, Qt::QueuedConnection);
}

// Closes the device once after it failed, with one log line.
bool Datacom::dropIfLost()
{
    if (!lost_)
        return false;
    lost_ = false;
    forgetReceived();
    toSend_.clear();
    if (LineDevice* device = active()) {
        device->close();
        inUse_ = false;
        say({PortEvent::Lost, portNumber_, lastError_.systemText});
        startWaiting();
    }
    return true;
}

void Datacom::startWaiting()
{
    waiting_ = true;
    reopening_ = false;
    lastTry_ = clock_();
}

// Reopens the lost device the way it was opened; silent until it is back.
// A device that may take long to answer reopens in the background.
void Datacom::tryRelink()
{
    lastTry_ = clock_();
    const QString name = LocateDevice(
        opened_, opened_.adapterKey.isEmpty() || !presentPorts ? QList<PortDescription>() : presentPorts());
    device_ = makeDevice(name);
    if (!device_)
        return; // the adapter is not back yet
    reopening_ = true;
    device_->openInBackground(settings_);
}

void Datacom::reopened(bool opened)
{
    reopening_ = false;
    if (!opened) {
        lastTry_ = clock_();
        return;
    }
    waiting_ = false;
    inUse_ = true;
    lost_ = false;
    lastError_ = {};
    closedWhileAway_ = false;
    forgetReceived();
    const QString caption = captionText();
    say({PortEvent::Back, portNumber_, caption});
    if (onCaption)
        onCaption(caption);
}

void Datacom::openedInBackground(const DeviceError& error)
{
    lastError_ = error;
    const auto ended = std::exchange(openEnded_, nullptr);
    ended(endOpen(pendingOpen_));
}

void Datacom::forgetReceived()
{
    received_.clear();
    next_ = 0;
}

void Datacom::say(const PortEvent& event)
{
    log_.WriteLog(words_ ? words_(event) : QString());
}

LineState Datacom::lineState()
{
    LineDevice* device = active();
    return device && isOpen() ? device->lineState() : LineState();
}

} // namespace pb
