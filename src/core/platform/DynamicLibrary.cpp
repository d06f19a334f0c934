#include "core/platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <utility>

namespace tavrin {

DynamicLibrary::~DynamicLibrary() { Close(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_error(std::move(other.m_error)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool DynamicLibrary::Open(const std::string& path) {
    Close();
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char* e = ::dlerror();
        m_error = e ? e : "dlopen failed";
        return false;
    }
    m_error.clear();
    return true;
}

void DynamicLibrary::Close() {
    if (m_handle) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}

void* DynamicLibrary::Symbol(const char* name) const {
    return m_handle ? ::dlsym(m_handle, name) : nullptr;
}

} // namespace tavrin
