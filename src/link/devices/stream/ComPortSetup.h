#pragma once
// Setting a device server's serial line over Telnet (RFC 2217), without a
// socket: what to send first, how to answer the server's negotiation, the
// line's settings once the server agreed to the com port option, and which
// of them the server confirmed.
#include "link/devices/LineDevice.h"
#include "link/devices/stream/TelnetCodec.h"

#include <QStringList>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace pb {

class ComPortSetup {
public:
    enum class State {
        Negotiating, // waiting for the server to agree to the com port option
        Setting,     // the settings sent, waiting for the server's answers
        Done,        // every setting answered, or the option refused
    };

    explicit ComPortSetup(const LineSettings& settings);

    // WILL COM-PORT-OPTION and BINARY both ways.
    QByteArray opening();

    // The answer to one command of the server, empty when none is due.
    QByteArray take(const telnet::Command& command);

    State state() const { return state_; }

    // The settings the server did not confirm so far: refused, answered
    // with another value, or not answered at all; all of them when the
    // server refused the com port option.
    QStringList untaken() const;

    // A server that keeps changing its mind about options would be answered
    // for ever; past this many answers it is not answered any more.
    static constexpr int kMostNegotiations = 64;
    bool stoppedNegotiating() const { return negotiations_ >= kMostNegotiations; }

private:
    struct Request {
        QString name;
        uint8_t code;
        QByteArray value;
        std::optional<QByteArray> lastSaid = std::nullopt; // the value the server reported last
    };

    QByteArray negotiate(uint8_t verb, uint8_t option);
    QByteArray settingsRequests() const;
    void noteAnswer(uint8_t code, const QByteArray& value);

    State state_ = State::Negotiating;
    bool optionRefused_ = false;
    std::vector<Request> requests_;
    std::set<std::pair<uint8_t, uint8_t>> said_; // (verb, option) sent so far
    int negotiations_ = 0;
};

} // namespace pb
