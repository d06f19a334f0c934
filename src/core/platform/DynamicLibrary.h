#pragma once

#include <string>

namespace tavrin {

// A shared library loaded by path; unloaded when the object is destroyed.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_handle != nullptr; }
    // The exported symbol, or null.
    void* Symbol(const char* name) const;
    const std::string& Error() const { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

} // namespace tavrin
