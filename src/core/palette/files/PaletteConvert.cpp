#include "core/palette/files/PaletteConvert.h"

#include "core/palette/files/PaletteTransfer.h"
#include "core/platform/FileIO.h"

#include <algorithm>
#include <cctype>

namespace tavrin {

namespace {

constexpr size_t NesMasterColours = 64;

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

PaletteConvertResult Refuse(PaletteConvertResult result, const std::string& path,
                            std::string problem) {
    result.file = FileResult::Fail(FileFailure::Malformed, path);
    result.problem = std::move(problem);
    return result;
}

} // namespace

PaletteFormat OutputFormatOf(const std::string& path, std::string& problem) {
    const std::string ext = Lower(ExtensionPart(path));
    std::vector<const PaletteFormatInfo*> candidates;
    for (const PaletteFormatInfo& info : PaletteFormats())
        if (std::find(info.extensions.begin(), info.extensions.end(), ext) != info.extensions.end())
            candidates.push_back(&info);
    if (candidates.size() == 1)
        return candidates.front()->format;
    std::string names;
    for (const PaletteFormatInfo* info : candidates)
        names += (names.empty() ? "" : ", ") + std::string(info->name);
    problem = candidates.empty() ? "no palette format is written as '" + ext + "'; choose one"
                                 : "a " + ext + " file may be " + names + "; choose one";
    return PaletteFormat::Pal;
}

PaletteConvertResult ConvertPaletteFile(const PaletteConvertRequest& request) {
    PaletteConvertResult result;
    if (request.to) {
        result.to = *request.to;
    } else {
        std::string problem;
        result.to = OutputFormatOf(request.output, problem);
        if (!problem.empty())
            return Refuse(std::move(result), request.output, problem);
    }
    const PaletteLoad load = LoadPaletteFile(request.input, request.from, request.options);
    result.read = load.read;
    result.file = load.file;
    if (!load.file)
        return result;
    result.warnings = DescribePaletteWarnings(load.read);

    PaletteContents contents = load.read.contents;
    const bool indicesIn = contents.HoldsIndices();
    const bool indicesOut = result.to == PaletteFormat::NesRam;
    if (indicesIn != indicesOut) {
        if (request.master.empty())
            return Refuse(std::move(result), request.input,
                          "NES palette RAM holds indices into a master palette; give the "
                          "master palette");
        const PaletteLoad master =
            LoadPaletteFile(request.master, request.masterFormat, request.options);
        if (!master.file || master.read.contents.HoldsIndices()) {
            result.read = master.read;
            result.file = master.file ? FileResult::Fail(FileFailure::Malformed, request.master)
                                      : master.file;
            if (master.file)
                result.problem = "the master palette holds no colours";
            return result;
        }
        const std::vector<Colour>& colours = master.read.contents.colours;
        if (indicesIn) {
            contents.colours = ColoursOfIndices(contents.indices, colours);
            contents.indices.clear();
        } else {
            contents.indices = IndicesOfColours(contents.colours, colours, NesMasterColours);
            contents.colours.clear();
        }
    }
    PaletteOptions options = request.options;
    options.imageAsPng = Lower(ExtensionPart(request.output)) != ".bmp";
    if (std::string leftOut = DescribeLeftOut(result.to, contents.Count()); !leftOut.empty())
        result.warnings.push_back(std::move(leftOut));
    result.file = SavePaletteFile(request.output, contents, result.to, options);
    return result;
}

} // namespace tavrin
