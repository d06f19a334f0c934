#include "core/platform/LibraryFile.h"

#include <cerrno>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {

namespace {

#if UINTPTR_MAX > 0xFFFFFFFFu
using Ehdr = Elf64_Ehdr;
using Phdr = Elf64_Phdr;
using Shdr = Elf64_Shdr;
constexpr unsigned char NativeClass = ELFCLASS64;
#else
using Ehdr = Elf32_Ehdr;
using Phdr = Elf32_Phdr;
using Shdr = Elf32_Shdr;
constexpr unsigned char NativeClass = ELFCLASS32;
#endif

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr unsigned char NativeData = ELFDATA2LSB;
#else
constexpr unsigned char NativeData = ELFDATA2MSB;
#endif

std::string Bits(unsigned char elfClass) {
    return elfClass == ELFCLASS64 ? "64-bit" : elfClass == ELFCLASS32 ? "32-bit" : "unknown";
}

// The machine the program itself was built for, from its own ELF header.
int NativeMachine() {
    static const int machine = [] {
        Ehdr self{};
        const int fd = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return -1;
        const ssize_t got = ::pread(fd, &self, sizeof self, 0);
        ::close(fd);
        return got == static_cast<ssize_t>(sizeof self) ? int{self.e_machine} : -1;
    }();
    return machine;
}

// Whether [offset, offset + size) lies inside a file of fileSize bytes, without overflow.
bool Inside(uint64_t offset, uint64_t size, uint64_t fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

std::string CutShort(const std::string& what, uint64_t end, uint64_t fileSize) {
    return "cut short: " + what + " reaches byte " + std::to_string(end) + " of a file of " +
           std::to_string(fileSize) + " bytes";
}

} // namespace

std::string ElfLibraryProblem(uint64_t fileSize, const ReadAtFunction& read) {
    unsigned char ident[EI_NIDENT] = {};
    if (fileSize < EI_NIDENT || !read(0, ident, sizeof ident) ||
        std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return "not an ELF file";
    if (ident[EI_CLASS] != NativeClass)
        return "an ELF file of " + Bits(ident[EI_CLASS]) + " class, not " + Bits(NativeClass);
    if (ident[EI_DATA] != NativeData)
        return "an ELF file of the other byte order";
    Ehdr header{};
    if (!Inside(0, sizeof header, fileSize) || !read(0, &header, sizeof header))
        return CutShort("the ELF header", sizeof header, fileSize);
    if (header.e_type != ET_DYN)
        return "not a shared library (ELF type " + std::to_string(header.e_type) + ")";
    const int machine = NativeMachine();
    if (machine >= 0 && header.e_machine != machine)
        return "made for another machine (ELF machine " + std::to_string(header.e_machine) +
               ", this one is " + std::to_string(machine) + ")";
    if (header.e_phentsize != sizeof(Phdr) || header.e_phnum == 0)
        return "no usable program header table";
    const uint64_t phSize = uint64_t{header.e_phnum} * sizeof(Phdr);
    if (!Inside(header.e_phoff, phSize, fileSize))
        return CutShort("the program header table", uint64_t{header.e_phoff} + phSize, fileSize);
    if (header.e_shoff != 0) {
        if (header.e_shentsize != sizeof(Shdr))
            return "no usable section header table";
        // A count of 0 with a table means the count is in the first entry: that one must fit.
        const uint64_t shSize = uint64_t{header.e_shnum == 0 ? 1u : header.e_shnum} * sizeof(Shdr);
        if (!Inside(header.e_shoff, shSize, fileSize))
            return CutShort("the section header table", uint64_t{header.e_shoff} + shSize,
                            fileSize);
    }
    bool loads = false;
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Phdr segment{};
        if (!read(header.e_phoff + uint64_t{i} * sizeof(Phdr), &segment, sizeof segment))
            return CutShort("the program header table", uint64_t{header.e_phoff} + phSize,
                            fileSize);
        if (segment.p_type != PT_LOAD && segment.p_type != PT_DYNAMIC)
            continue;
        loads = loads || segment.p_type == PT_LOAD;
        if (!Inside(segment.p_offset, segment.p_filesz, fileSize))
            return CutShort(segment.p_type == PT_LOAD ? "a loaded segment" : "the dynamic section",
                            uint64_t{segment.p_offset} + segment.p_filesz, fileSize);
    }
    if (!loads)
        return "no loadable segment";
    return {};
}

std::string LibraryFileProblem(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string("cannot be read (") + std::strerror(errno) + ")";
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        problem = "not a regular file";
    else
        problem = ElfLibraryProblem(
            static_cast<uint64_t>(st.st_size), [fd](uint64_t offset, void* out, size_t n) {
                size_t done = 0;
                while (done < n) {
                    const ssize_t got = ::pread(fd, static_cast<char*>(out) + done, n - done,
                                                static_cast<off_t>(offset + done));
                    if (got < 0 && errno == EINTR)
                        continue;
                    if (got <= 0)
                        return false;
                    done += static_cast<size_t>(got);
                }
                return true;
            });
    ::close(fd);
    return problem;
}

} // namespace tavrin
