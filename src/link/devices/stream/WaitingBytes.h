#pragma once
// Reading what a Qt device has received, for the devices of the line.
#include <QByteArray>

class QIODevice;

namespace pb {

// Everything the device holds, without waiting. Inside the running event
// loop its notifier has fetched what arrived; without one (a caller
// stepping the engine itself) it only learns of new bytes when asked, and a
// zero wait asks without blocking. Empty, without a buffer, on most ticks.
QByteArray TakeWaitingBytes(QIODevice& device);

} // namespace pb
