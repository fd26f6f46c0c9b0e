#include "Table.h"

#include <QTextStream>
#include <algorithm>
#include <array>

namespace pb::bench {

QString Figure(double value, int decimals)
{
    return value < 0 ? QStringLiteral("-") : QString::number(value, 'f', decimals);
}

QString Verdict(bool met)
{
    return met ? QStringLiteral("PASS") : QStringLiteral("MISS");
}

void PrintTable(const std::vector<TableRow>& rows)
{
    const TableRow head{QStringLiteral("figure"), QStringLiteral("pagerbench"), QStringLiteral("yardstick"),
                        QStringLiteral("ratio"), QStringLiteral("target"), QStringLiteral("result")};
    auto cells = [](const TableRow& r) {
        return std::array<const QString*, 6>{&r.figure, &r.program, &r.minimal, &r.ratio, &r.target, &r.result};
    };
    std::vector<TableRow> all{head};
    all.insert(all.end(), rows.begin(), rows.end());
    std::array<qsizetype, 6> width{};
    for (const TableRow& r : all) {
        const auto c = cells(r);
        for (std::size_t i = 0; i < c.size(); ++i)
            width[i] = std::max(width[i], c[i]->size());
    }

    QTextStream out(stdout);
    auto line = [&](const TableRow& r) {
        const auto c = cells(r);
        QString text;
        for (std::size_t i = 0; i < c.size(); ++i) {
            // The figure left-aligned, numbers right-aligned.
            text += i == 0 || i >= 4 ? c[i]->leftJustified(width[i]) : c[i]->rightJustified(width[i]);
            text += QStringLiteral("  ");
        }
        while (text.endsWith(u' '))
            text.chop(1);
        out << text << '\n';
    };
    line(head);
    qsizetype total = 0;
    for (qsizetype w : width)
        total += w + 2;
    out << QString(total - 2, u'-') << '\n';
    for (const TableRow& r : rows)
        line(r);
}

} // namespace pb::bench
