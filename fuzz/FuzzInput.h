#pragma once
// What the fuzz targets share: reading the input as a stream of choices, and
// a check that stops the run with a message libFuzzer keeps with the crash.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace pbfuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    // The next byte; 0 once the input is used up.
    uint8_t next() { return empty() ? 0 : data_[pos_++]; }
    // Up to n bytes, fewer at the end of the input.
    QByteArray take(size_t n)
    {
        const size_t count = n < size_ - pos_ ? n : size_ - pos_;
        QByteArray bytes(reinterpret_cast<const char*>(data_ + pos_), qsizetype(count));
        pos_ += count;
        return bytes;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace pbfuzz

#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                              \
        }                                                                              \
    } while (false)
