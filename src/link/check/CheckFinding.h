#pragma once
// What one step of a connection check found, as values: the step, a word
// for the result, and the values that go with it. The check's lines and
// its --json are both made from these.
#include <QJsonObject>
#include <QString>

namespace pb {

enum class CheckStep { Name, Reach, Open, Line, Listen, Echo, Ask, Verdict };

struct CheckFinding {
    CheckStep step = CheckStep::Name;
    QString result;     // "busy", "answered", "echo", ...
    QJsonObject values; // what the result names: a pid, milliseconds, a device
};

// The most likely cause, from all the steps found.
enum class CheckCause {
    Answers,       // the unit answered the first try
    AnswersLater,  // only a later try was answered
    NotOpened,     // the port did not open
    Echo,          // our own bytes came back
    Garbled,       // bytes came, but never a good frame
    TextOnly,      // the unit's text came, but no answer
    NoValue,       // frames came that carry no value
    Nothing,       // nothing came back, nothing came unasked
};

QString StepName(CheckStep step);
QString CauseName(CheckCause cause);

// 0 when the unit answered, 1 when the port opened but the unit did not
// answer as it should, 3 when the port did not open.
int ExitStatusOf(CheckCause cause);

} // namespace pb
