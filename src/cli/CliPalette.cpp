#include "cli/CliPalette.h"

#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "core/palette/files/PaletteConvert.h"
#include "core/palette/files/PaletteTransfer.h"

#include <ostream>

namespace tavrin {

namespace {

template <typename T> void SpaceSeparated(std::ostream& out, const std::vector<T>& items) {
    if (items.empty())
        out << '-';
    for (size_t i = 0; i < items.size(); ++i)
        out << (i ? " " : "") << items[i];
}

} // namespace

int RunPaletteFormats(std::ostream& out) {
    for (const PaletteFormatInfo& info : PaletteFormats()) {
        out << info.name << '\t' << info.title << '\t';
        SpaceSeparated(out, info.extensions);
        out << '\t';
        SpaceSeparated(out, info.sizes);
        // Where its entries may go; the first is where --palette puts them.
        std::vector<const char*> places;
        if (CanUseMasterPalette(info.format))
            places.push_back("master");
        if (CanUsePaletteSet(info.format))
            places.push_back("palette-set");
        out << '\t';
        for (size_t i = 0; i < places.size(); ++i)
            out << (i ? "," : "") << places[i];
        out << '\n';
    }
    return CliOk;
}

int RunPaletteConvert(const CliOptions& o, std::ostream& err) {
    PaletteConvertRequest request;
    request.input = o.input;
    request.output = o.output;
    request.from = o.paletteFrom;
    request.to = o.paletteTo;
    request.options.expansion = o.expansion.value_or(ChannelExpansion::Full);
    request.master = o.masterFile;
    // Named files that cannot be read are refused in the words every command uses.
    for (const std::string* file : {&request.input, &request.master})
        if (!file->empty())
            if (const std::string problem = CliInputProblem(*file, "palette file");
                !problem.empty()) {
                CliProblem(err, *file, problem);
                return CliBadInput;
            }
    if (const std::string problem = CliOutputProblem(request.output, "palette file");
        !problem.empty() || request.output == "-") {
        CliProblem(err, request.output,
                   problem.empty() ? "a palette file is written to a file, not to standard output"
                                   : problem);
        return CliBadInput;
    }
    const PaletteConvertResult result = ConvertPaletteFile(request);
    if (!result) {
        const std::string& file = result.file.path;
        if (!result.problem.empty())
            CliProblem(err, file, result.problem);
        else if (result.file.failure == FileFailure::Malformed && !result.read)
            CliProblem(err, file, DescribePaletteProblem(result.read));
        else
            CliProblem(err, file, CliFailureText(result.file, "palette file"));
        return CliBadInput;
    }
    for (const std::string& warning : result.warnings)
        CliProblem(err, request.input, "warning: " + warning);
    return CliOk;
}

} // namespace tavrin
