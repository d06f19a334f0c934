#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Where a decoder puts its output. Whether a block is valid depends only on how many bytes
// have been written (a copy may not reach before the start), so the scanner walks blocks
// with CountSink and nothing is stored; ByteSink keeps the bytes. Callers check the limit
// and that a copy's source lies inside the output before calling.

namespace tavrin::detail {

class CountSink {
public:
    size_t Size() const { return m_size; }
    void Put(uint8_t) { ++m_size; }
    void Append(const uint8_t*, size_t n) { m_size += n; }
    void Fill(uint8_t, size_t n) { m_size += n; }
    void Alternate(uint8_t, uint8_t, size_t n) { m_size += n; }
    void Increasing(uint8_t, size_t n) { m_size += n; }
    void Copy(size_t, size_t n) { m_size += n; }

private:
    size_t m_size = 0;
};

class ByteSink {
public:
    explicit ByteSink(std::vector<uint8_t>& out) : m_out(out) {}
    size_t Size() const { return m_out.size(); }
    void Put(uint8_t b) { m_out.push_back(b); }
    void Append(const uint8_t* p, size_t n) { m_out.insert(m_out.end(), p, p + n); }
    void Fill(uint8_t b, size_t n) { m_out.insert(m_out.end(), n, b); }
    void Alternate(uint8_t a, uint8_t b, size_t n) {
        for (size_t k = 0; k < n; ++k)
            m_out.push_back(k % 2 == 0 ? a : b);
    }
    void Increasing(uint8_t b, size_t n) {
        for (size_t k = 0; k < n; ++k)
            m_out.push_back(static_cast<uint8_t>(b + k));
    }
    // Byte by byte, so a source that overlaps the bytes being written repeats them.
    void Copy(size_t from, size_t n) {
        for (size_t k = 0; k < n; ++k)
            m_out.push_back(m_out[from + k]);
    }

private:
    std::vector<uint8_t>& m_out;
};

} // namespace tavrin::detail
