#pragma once
// TCP keep-alive on a device server's connection: a server that lost power
// or a cable, and so never closed the connection, is noticed within about
// a minute instead of the hours the system waits by default.
#include <QtGlobal>

class QAbstractSocket;

namespace pb {

constexpr int kKeepAliveIdleSeconds = 20;
constexpr int kKeepAliveIntervalSeconds = 5;
constexpr int kKeepAliveProbes = 6;

// Sets it on a connected socket, with the timings where the system lets
// a program choose them.
void KeepConnectionAlive(QAbstractSocket& socket);

// The timings alone, in the system's own calls (tcp/unix, tcp/win).
void SetKeepAliveTimings(qintptr descriptor);

} // namespace pb
