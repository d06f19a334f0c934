#include "core/platform/MappedFile.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrin {

namespace {

// The ranges a bus error may hit, read by the signal handler: plain atomics, no locks.
struct GuardedRange {
    std::atomic<uintptr_t> begin{0};
    std::atomic<uintptr_t> end{0};
    std::atomic<bool> lost{false};
};
constexpr int MaxRanges = 64;
GuardedRange g_ranges[MaxRanges];
std::mutex g_slotsLock;
uintptr_t g_pageSize = 4096;
struct sigaction g_previousBus {};
struct sigaction g_previousSegv {};

constexpr uintptr_t CopyBytes = uintptr_t{1} << 16;

GuardedRange* RangeOf(uintptr_t address) {
    for (GuardedRange& r : g_ranges)
        if (address >= r.begin.load() && address < r.end.load())
            return &r;
    return nullptr;
}

void PassOn(const struct sigaction& previous, int signal, siginfo_t* info, void* context) {
    if ((previous.sa_flags & SA_SIGINFO) && previous.sa_sigaction) {
        previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
    } else {
        ::signal(signal, SIG_DFL); // the retried access ends the program as it would have
    }
}

// A page the file no longer holds (another program cut it) becomes a page of zeros; the
// access is retried.
void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    if (GuardedRange* r = RangeOf(address)) {
        void* page = reinterpret_cast<void*>(address & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            r->lost.store(true);
            return;
        }
    }
    PassOn(g_previousBus, signal, info, context);
}

// A write to the file's read-only pages: the piece around it becomes memory of the program's
// own with the same bytes, in one step, so no other program's later cut can take an edit.
void OnWriteToFile(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    if (GuardedRange* r = RangeOf(address)) {
        const uintptr_t begin = r->begin.load();
        const uintptr_t from = begin + ((address - begin) & ~(CopyBytes - 1));
        const uintptr_t bytes = std::min(CopyBytes, r->end.load() - from);
        void* copy =
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (copy != MAP_FAILED) {
            // Pages the file lost read zeros here through OnBusError.
            std::memcpy(copy, reinterpret_cast<const void*>(from), bytes);
            if (::mremap(copy, bytes, bytes, MREMAP_MAYMOVE | MREMAP_FIXED,
                         reinterpret_cast<void*>(from)) != MAP_FAILED)
                return;
            ::munmap(copy, bytes);
        }
    }
    PassOn(g_previousSegv, signal, info, context);
}

void InstallHandlersOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        g_pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        action.sa_sigaction = OnBusError;
        ::sigaction(SIGBUS, &action, &g_previousBus);
        action.sa_sigaction = OnWriteToFile;
        ::sigaction(SIGSEGV, &action, &g_previousSegv);
    });
}

long long Nanoseconds(const struct timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

} // namespace

MappedFile::~MappedFile() {
    Unmap();
}

MappedFile::MappedFile(MappedFile&& other) noexcept {
    *this = std::move(other);
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Unmap();
        m_data = std::exchange(other.m_data, nullptr);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_fd = std::exchange(other.m_fd, -1);
        m_slot = std::exchange(other.m_slot, -1);
        m_fileSize = other.m_fileSize;
        m_modified = other.m_modified;
    }
    return *this;
}

void MappedFile::Unmap() {
    if (m_slot >= 0) {
        std::lock_guard lock(g_slotsLock);
        g_ranges[m_slot].end.store(0);
        g_ranges[m_slot].begin.store(0);
    }
    if (m_data)
        ::munmap(m_data, m_capacity);
    if (m_fd >= 0)
        ::close(m_fd);
    m_data = nullptr;
    m_capacity = 0;
    m_fd = -1;
    m_slot = -1;
}

bool MappedFile::Map(int fd, size_t fileBytes, size_t capacity) {
    Unmap();
    InstallHandlersOnce();
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || fileBytes > capacity) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    // Zeros first over the whole range (address space only until written), then the file
    // over its start.
    void* whole = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (whole == MAP_FAILED) {
        ::close(fd);
        return false;
    }
    const size_t fileSpan = (fileBytes + g_pageSize - 1) & ~(g_pageSize - 1);
    // Read-only: a write makes the page's piece the program's own (OnWriteToFile).
    if (fileSpan > 0 && ::mmap(whole, std::min(fileSpan, capacity), PROT_READ,
                               MAP_PRIVATE | MAP_FIXED | MAP_NORESERVE, fd, 0) == MAP_FAILED) {
        ::munmap(whole, capacity);
        ::close(fd);
        return false;
    }
    int slot = -1;
    {
        std::lock_guard lock(g_slotsLock);
        for (int i = 0; i < MaxRanges && slot < 0; ++i)
            if (g_ranges[i].end.load() == 0)
                slot = i;
        if (slot >= 0) {
            g_ranges[slot].lost.store(false);
            g_ranges[slot].begin.store(reinterpret_cast<uintptr_t>(whole));
            g_ranges[slot].end.store(reinterpret_cast<uintptr_t>(whole) + fileSpan);
        }
    }
    if (slot < 0) { // no guard left: the caller reads the file instead
        ::munmap(whole, capacity);
        ::close(fd);
        return false;
    }
    m_data = static_cast<uint8_t*>(whole);
    m_capacity = capacity;
    m_fd = fd;
    m_slot = slot;
    m_fileSize = st.st_size;
    m_modified = Nanoseconds(st.st_mtim);
    return true;
}

bool MappedFile::SourceChanged() const {
    if (!m_data)
        return false;
    if (g_ranges[m_slot].lost.load())
        return true;
    struct stat st {};
    return ::fstat(m_fd, &st) != 0 || st.st_size != m_fileSize ||
           Nanoseconds(st.st_mtim) != m_modified;
}

void MappedFile::Release(size_t from, size_t bytes) const {
    if (!m_data || from >= m_capacity)
        return;
    const uintptr_t begin =
        (reinterpret_cast<uintptr_t>(m_data) + from + g_pageSize - 1) & ~(g_pageSize - 1);
    const uintptr_t end =
        (reinterpret_cast<uintptr_t>(m_data) + std::min(m_capacity, from + bytes)) &
        ~(g_pageSize - 1);
#ifdef MADV_PAGEOUT
    // Unchanged file pages are dropped and read again if needed; written ones are kept (with
    // no swap they cannot go anywhere). Only a hint: failure changes nothing.
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_PAGEOUT);
#endif
}

} // namespace tavrin
