#include "cli/CliMessages.h"

#include "core/dib/DibError.h"
#include "core/dib/TNkInternalDIB.h"
#include "core/platform/FailureText.h"
#include "core/platform/FileIO.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <new>
#include <ostream>
#include <stdexcept>

namespace tavrin {

namespace {

// What a path that is not a regular file is, in words; "" for a regular or missing one.
std::string KindText(const std::string& path, const std::string& subject) {
    switch (KindOfPath(path)) {
    case PathKind::Folder:
        return "is a folder, not " + subject;
    case PathKind::Pipe:
        return "is a pipe, not " + subject;
    case PathKind::Device:
        return "is a device, not " + subject;
    default:
        return {};
    }
}

std::string Article(const char* subject) {
    const std::string s = subject;
    const bool vowel = !s.empty() && std::string("aeiou").find(s[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + s;
}

struct Wording {
    const char* containerPart; // a distinctive part of the container's text
    const char* plain;
};

// The DIB container's texts (the window shows them as they are) and what they mean.
const Wording ContainerWordings[] = {
    {"Invalid Width or Height", nullptr}, // worded with the limit below
    {"Bad RLE Data", "the bitmap's compressed pixel data is damaged"},
    {"Invalid Bitmap File", "not a bitmap file"},
    {"Invalid Clipboard Format or No Data", "the bitmap holds no data"},
    {"Invalid Clipboard Data", "the bitmap is damaged (its headers or its pixel data are cut "
                               "short or do not agree)"},
    {"Invalid biBitCount", "the bitmap has a number of bits per pixel that cannot be read"},
    {"Invalid biCompression", "the bitmap uses a compression that cannot be read"},
    {"Invalid Masks", "the bitmap's colour masks are invalid"},
    {"Out Of Memory", "not enough memory for the bitmap"},
    {"Empty Image", "the image is empty"},
    {"Invalid DIB", "the bitmap's kind cannot be read"},
};

} // namespace

void CliProblem(std::ostream& err, const std::string& file, const std::string& text) {
    err << "tavrin-cli: " << (file.empty() ? std::string() : file + ": ") << text << "\n";
}

std::string CliFailureText(const FileResult& result, const char* subject) {
    // What a path that is no regular file names ("a folder"), else the common words.
    if (result.failure == FileFailure::NotRegular)
        if (std::string kind = KindText(result.path, Article(subject)); !kind.empty())
            return kind;
    return DescribeFailure(result, subject);
}

std::string CliInputProblem(const std::string& path, const char* subject) {
    if (KindOfPath(path) == PathKind::Missing)
        return "no such " + std::string(subject);
    if (std::string kind = KindText(path, Article(subject)); !kind.empty())
        return kind;
    if (FileResult probe = ProbeReadable(path); !probe)
        return CliFailureText(probe, subject);
    return {};
}

std::string CliOutputProblem(const std::string& path, const char* subject) {
    if (path == "-")
        return {};
    return KindText(path, Article(subject));
}

std::string CliImageOutputProblem(const std::string& path, bool standardOutput, bool& png) {
    std::string ext = standardOutput && path == "-" ? std::string(".png") : ExtensionPart(path);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    png = ext == ".png";
    if (!png && ext != ".bmp")
        return "unknown image type (the name must end in .bmp or .png)";
    return CliOutputProblem(path, "image");
}

std::string CliImageErrorText(const std::string& containerText) {
    for (const Wording& w : ContainerWordings) {
        if (containerText.find(w.containerPart) == std::string::npos)
            continue;
        if (w.plain == nullptr)
            return "the bitmap's width or height is invalid or past " +
                   std::to_string(MaxDibPixels) + " pixels";
        return w.plain;
    }
    // Any other text of the container names its routines; say what it means for the user.
    if (containerText.find("TNk") != std::string::npos ||
        containerText.find("Convert") != std::string::npos)
        return "the bitmap is damaged or of a kind that cannot be read";
    return containerText;
}

std::string CliExceptionText(const std::exception& e) {
    if (dynamic_cast<const DibError*>(&e) != nullptr)
        return CliImageErrorText(e.what());
    if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr ||
        dynamic_cast<const std::length_error*>(&e) != nullptr)
        return "not enough memory for this command";
    return "the command stopped on an unexpected error; nothing was written";
}

std::string CliHex(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%06llX", value);
    return text;
}

} // namespace tavrin
