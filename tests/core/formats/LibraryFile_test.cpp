#include "core/formats/PluginFolder.h"
#include "core/platform/FileIO.h"
#include "core/platform/LibraryFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <elf.h>
#include <filesystem>
#include <functional>
#include <type_traits>
#include <vector>

namespace tavrin {
namespace {

using Ehdr = std::conditional_t<sizeof(void*) == 8, Elf64_Ehdr, Elf32_Ehdr>;
using Bytes = std::vector<uint8_t>;

std::string ProblemOf(const Bytes& file) {
    return ElfLibraryProblem(file.size(), [&file](uint64_t offset, void* out, size_t n) {
        if (offset > file.size() || n > file.size() - offset)
            return false;
        std::memcpy(out, file.data() + offset, n);
        return true;
    });
}

template <class T> void Put(Bytes& file, size_t offset, T value) {
    std::memcpy(file.data() + offset, &value, sizeof value);
}

Ehdr HeaderOf(const Bytes& file) {
    Ehdr h{};
    std::memcpy(&h, file.data(), sizeof h);
    return h;
}

TEST(LibraryFile, OnlyWholeLibrariesOfThisMachineAreAccepted) {
    Bytes library;
    ASSERT_TRUE(ReadWholeFile(test::SamplePlugin("8bpp_linear"), library));
    ASSERT_GT(library.size(), 8192u);
    const Ehdr h = HeaderOf(library);
    const struct {
        const char* name;
        std::function<void(Bytes&)> change;
        const char* problem; // "" when accepted
    } cases[] = {
        {"as built", [](Bytes&) {}, ""},
        {"cut to 1000", [](Bytes& f) { f.resize(1000); }, "cut short: the section header table"},
        {"cut to 4096", [](Bytes& f) { f.resize(4096); }, "cut short: "},
        {"cut to 8192", [](Bytes& f) { f.resize(8192); }, "cut short: "},
        {"one byte short", [](Bytes& f) { f.pop_back(); }, "cut short: "},
        {"cut inside the header", [](Bytes& f) { f.resize(sizeof(Ehdr) - 1); },
         "cut short: the ELF header"},
        {"cut to 10", [](Bytes& f) { f.resize(10); }, "not an ELF file"},
        {"empty", [](Bytes& f) { f.clear(); }, "not an ELF file"},
        {"text",
         [](Bytes& f) {
             f.assign({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n', ' ', ' ', ' ',
                       ' ', ' ', ' '});
         },
         "not an ELF file"},
        {"other class",
         [](Bytes& f) { f[EI_CLASS] = sizeof(void*) == 8 ? ELFCLASS32 : ELFCLASS64; },
         sizeof(void*) == 8 ? "of 32-bit class, not 64-bit" : "of 64-bit class, not 32-bit"},
        {"other byte order", [](Bytes& f) { f[EI_DATA] ^= 3; }, "other byte order"},
        {"a program", [](Bytes& f) { Put<uint16_t>(f, offsetof(Ehdr, e_type), ET_EXEC); },
         "not a shared library (ELF type 2)"},
        {"other machine",
         [h](Bytes& f) {
             Put<uint16_t>(f, offsetof(Ehdr, e_machine), static_cast<uint16_t>(h.e_machine + 1));
         },
         "made for another machine"},
        {"program headers past the end",
         [](Bytes& f) { Put(f, offsetof(Ehdr, e_phoff), decltype(h.e_phoff)(f.size() - 8)); },
         "cut short: the program header table"},
        {"program header offset near the top",
         [](Bytes& f) { Put(f, offsetof(Ehdr, e_phoff), ~decltype(h.e_phoff){0}); },
         "cut short: the program header table"},
        {"no program headers", [](Bytes& f) { Put<uint16_t>(f, offsetof(Ehdr, e_phnum), 0); },
         "no usable program header table"},
        {"section headers past the end",
         [](Bytes& f) { Put(f, offsetof(Ehdr, e_shoff), decltype(h.e_shoff)(f.size() - 1)); },
         "cut short: the section header table"},
        {"a loaded segment past the end",
         [h](Bytes& f) {
             // The first program header that loads: its file size made one byte too large.
             using Phdr = std::conditional_t<sizeof(void*) == 8, Elf64_Phdr, Elf32_Phdr>;
             for (unsigned i = 0; i < h.e_phnum; ++i) {
                 Phdr p{};
                 const size_t at = h.e_phoff + i * sizeof p;
                 std::memcpy(&p, f.data() + at, sizeof p);
                 if (p.p_type != PT_LOAD)
                     continue;
                 p.p_filesz = static_cast<decltype(p.p_filesz)>(f.size() - p.p_offset + 1);
                 std::memcpy(f.data() + at, &p, sizeof p);
                 return;
             }
         },
         "cut short: a loaded segment"},
    };
    for (const auto& c : cases) {
        Bytes file = library;
        c.change(file);
        const std::string problem = ProblemOf(file);
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "") << c.name;
        else
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
    }
}

TEST(LibraryFile, FilesOnDiskAreReadWhereTheyAre) {
    test::PluginFolder folder;
    const std::string whole = folder.Copy(test::SamplePlugin("2bpp_packed"), "whole.so");
    const std::string cut = folder.Copy(test::SamplePlugin("2bpp_packed"), "cut.so");
    std::filesystem::resize_file(cut, 4000);
    folder.MakeFolder("folder.so");
    EXPECT_EQ(LibraryFileProblem(whole), "");
    EXPECT_EQ(LibraryFileProblem(cut).rfind("cut short: ", 0), 0u) << LibraryFileProblem(cut);
    EXPECT_EQ(LibraryFileProblem(folder.PathOf("folder.so")), "not a regular file");
    EXPECT_EQ(LibraryFileProblem(folder.PathOf("none.so")).rfind("cannot be read (", 0), 0u);
}

} // namespace
} // namespace tavrin
