#include "cli/CliSameFile.h"

#include <filesystem>
#include <vector>

namespace tavrin {

namespace {

struct NamedFile {
    const std::string* path;
    const char* role; // what the file is to the command
};

} // namespace

const std::string* CliOutputFile(const CliOptions& o) {
    switch (o.command) {
    case CliCommand::Export:
    case CliCommand::RenderSet:
        return &o.image;
    case CliCommand::Import:
        return &o.rom;
    case CliCommand::PaletteConvert:
    case CliCommand::Unpack:
    case CliCommand::Pack:
        return &o.output;
    default:
        return nullptr;
    }
}

namespace {

std::vector<NamedFile> InputsOf(const CliOptions& o) {
    std::vector<NamedFile> inputs = {
        {&o.setFile, "the set file"},          {&o.input, "the input"},
        {&o.palFile, "the palette file"},      {&o.datFile, "the palette-set file"},
        {&o.paletteFile, "the palette file"},  {&o.patternFile, "the pattern file"},
        {&o.stateFile, "the save-state"},      {&o.iniFile, "the settings file"},
        {&o.spdFile, "the sprite table"},      {&o.sprFile, "the sprite tiles"},
        {&o.masterFile, "the master palette"},
    };
    // The ROM is read by every command that names it; import writes it in place.
    if (o.command == CliCommand::Import)
        inputs.push_back({&o.image, "the image"});
    else
        inputs.push_back({&o.rom, "the ROM"});
    return inputs;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    // Both must exist; the comparison is of the device and inode the names lead to.
    return std::filesystem::equivalent(a, b, error) && !error;
}

} // namespace

std::string OutputOverInputProblem(const CliOptions& o) {
    const std::string* output = CliOutputFile(o);
    if (output == nullptr || output->empty() || *output == "-")
        return {};
    for (const NamedFile& input : InputsOf(o)) {
        if (input.path->empty() || input.path == output || !SameFile(*output, *input.path))
            continue;
        return "is " + std::string(input.role) +
               (*input.path == *output ? std::string() : " (" + *input.path + ")") +
               "; the output must be another file, so nothing was written";
    }
    return {};
}

} // namespace tavrin
