#pragma once
// The benchmark's result table, in aligned columns.
#include <QString>
#include <vector>

namespace pb::bench {

struct TableRow {
    QString figure;
    QString program;
    QString minimal;
    QString ratio;
    QString target;
    QString result; // PASS, MISS, or empty for a figure without a target
};

void PrintTable(const std::vector<TableRow>& rows);

// A number with `decimals` places; "-" for a failed measurement (negative).
QString Figure(double value, int decimals);
QString Verdict(bool met);

} // namespace pb::bench
