#pragma once
// What the buttons ask of the unit and the engine has not served yet: a read
// or a write per row of the grid, and the read all, write all and test call
// requests. One object holds them; everyone asks through its operations, and
// only the engine takes them up.
#include "settings/GridModel.h"

#include <array>
#include <cstdint>

namespace pb {

enum RowRequestCode : int16_t {
    NoRequest = 0,
    ReadRequest = 1,
    WriteRequest = 10,
};

class UnitRequests {
public:
    // A row outside the grid is ignored.
    void read(int row) { set(row, ReadRequest); }
    void write(int row) { set(row, WriteRequest); }
    void readAll() { readAll_ = true; }
    void writeAll() { writeAll_ = true; }
    void testCall() { testCall_ = true; }

    // Drops the rows' requests; read all, write all and the test call stay.
    void cancelRows() { rows_.fill(NoRequest); }
    // Drops every request.
    void dropAll();

    RowRequestCode of(int row) const;
    bool rowPending(int row) const { return of(row) != NoRequest; }
    bool anyRowPending() const;
    // Any row, read all, write all or the test call.
    bool anyPending() const { return anyRowPending() || readAll_ || writeAll_ || testCall_; }
    bool readAllPending() const { return readAll_; }
    bool writeAllPending() const { return writeAll_; }
    bool testCallPending() const { return testCall_; }

    // The engine's side. The first row up to lastRow with a request, or -1.
    int firstPending(int lastRow) const;
    // The row's request is served, or given up.
    void served(int row) { set(row, NoRequest); }
    // Each true once when it was asked for, clearing it.
    bool takeReadAll() { return take(readAll_); }
    bool takeWriteAll() { return take(writeAll_); }
    bool takeTestCall() { return take(testCall_); }

private:
    void set(int row, RowRequestCode request);
    static bool take(bool& flag);

    std::array<RowRequestCode, kGridRows> rows_{};
    bool readAll_ = false;
    bool writeAll_ = false;
    bool testCall_ = false;
};

// At this many failures the "Unit" tab drops every pending row.
constexpr int16_t kErrorLimit = 3;

} // namespace pb
