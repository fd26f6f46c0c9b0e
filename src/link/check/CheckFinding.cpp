#include "link/check/CheckFinding.h"

namespace pb {

QString StepName(CheckStep step)
{
    switch (step) {
    case CheckStep::Name: return QStringLiteral("name");
    case CheckStep::Reach: return QStringLiteral("reach");
    case CheckStep::Open: return QStringLiteral("open");
    case CheckStep::Line: return QStringLiteral("line");
    case CheckStep::Listen: return QStringLiteral("listen");
    case CheckStep::Echo: return QStringLiteral("echo");
    case CheckStep::Ask: return QStringLiteral("ask");
    case CheckStep::Verdict: return QStringLiteral("verdict");
    }
    return QString();
}

QString CauseName(CheckCause cause)
{
    switch (cause) {
    case CheckCause::Answers: return QStringLiteral("answers");
    case CheckCause::AnswersLater: return QStringLiteral("answers-later");
    case CheckCause::NotOpened: return QStringLiteral("not-opened");
    case CheckCause::Echo: return QStringLiteral("echo");
    case CheckCause::Garbled: return QStringLiteral("garbled");
    case CheckCause::TextOnly: return QStringLiteral("text-only");
    case CheckCause::NoValue: return QStringLiteral("no-value");
    case CheckCause::Nothing: return QStringLiteral("nothing");
    }
    return QString();
}

int ExitStatusOf(CheckCause cause)
{
    switch (cause) {
    case CheckCause::Answers:
    case CheckCause::AnswersLater: return 0;
    case CheckCause::NotOpened: return 3;
    default: return 1;
    }
}

} // namespace pb
