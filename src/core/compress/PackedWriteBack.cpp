#include "core/compress/PackedWriteBack.h"

#include "core/platform/FileIO.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>

namespace tavrin {

namespace {

uint32_t ReadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void WriteLe32(uint8_t* p, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<uint8_t>(v >> (8 * k));
}

// A pointer to address in a handheld ROM, if the address can have one.
std::optional<uint32_t> PointerTo(size_t address) {
    if (address > 0xFFFFFFFFu - HandheldRomBase)
        return std::nullopt;
    return static_cast<uint32_t>(HandheldRomBase + address);
}

} // namespace

WriteBackProblem PlanWriteBack(std::span<const uint8_t> file, const PackedSource& source,
                               std::span<const uint8_t> data, const PackOptions& options,
                               WriteBackPlan& plan) {
    plan = {};
    if (source.address > file.size() || file.size() - source.address < source.packed.size() ||
        !std::equal(source.packed.begin(), source.packed.end(),
                    file.begin() + static_cast<std::ptrdiff_t>(source.address)))
        return WriteBackProblem::SourceChanged;
    auto packed = Pack(source.codec, data, options);
    if (!packed)
        return WriteBackProblem::PackFailed;
    const Unpacked again = Unpack(source.codec, *packed);
    if (!again || again.packedSize != packed->size() ||
        !std::equal(again.bytes.begin(), again.bytes.end(), data.begin(), data.end()))
        return WriteBackProblem::CheckFailed;
    plan.packed = std::move(*packed);
    const size_t room = std::max(source.room, source.packed.size());
    plan.fits = plan.packed.size() <= room && source.address + room <= file.size();
    plan.appendAddress = (file.size() + AppendAlignment - 1) / AppendAlignment * AppendAlignment;
    if (IsHandheldCodec(source.codec)) {
        if (const auto target = PointerTo(source.address)) {
            for (size_t at = 0; at + 4 <= file.size(); at += 4) {
                if (ReadLe32(file.data() + at) == *target)
                    plan.pointers.push_back(at);
            }
        }
    }
    return WriteBackProblem::None;
}

bool ApplyWriteBack(std::vector<uint8_t>& file, PackedSource& source, const WriteBackPlan& plan,
                    const WriteBackChoice& choice) {
    if (plan.fits) {
        std::copy(plan.packed.begin(), plan.packed.end(),
                  file.begin() + static_cast<std::ptrdiff_t>(source.address));
        source.room = std::max(source.room, source.packed.size());
        source.packed = plan.packed;
        return true;
    }
    if (!choice.append)
        return false;
    const auto newPointer = PointerTo(plan.appendAddress);
    // Padding up to the boundary reads as erased ROM.
    file.resize(plan.appendAddress, 0xFF);
    file.insert(file.end(), plan.packed.begin(), plan.packed.end());
    if (choice.repoint && newPointer) {
        for (const size_t at : plan.pointers)
            WriteLe32(file.data() + at, *newPointer);
    }
    source.address = plan.appendAddress;
    source.packed = plan.packed;
    source.room = plan.packed.size();
    return true;
}

WriteBackResult WriteBackBlock(const std::string& path, PackedSource& source,
                               std::span<const uint8_t> data, const PackOptions& options,
                               const WriteBackDecider& decide) {
    WriteBackResult result;
    std::vector<uint8_t> file;
    result.file = ReadWholeFile(path, file);
    if (!result.file) {
        result.problem = WriteBackProblem::FileFailed;
        return result;
    }
    WriteBackPlan plan;
    result.problem = PlanWriteBack(file, source, data, options, plan);
    if (result.problem != WriteBackProblem::None)
        return result;
    WriteBackChoice choice;
    if (!plan.fits) {
        const auto decided = decide ? decide(plan) : std::nullopt;
        if (!decided) {
            result.problem = WriteBackProblem::Cancelled;
            return result;
        }
        choice = *decided;
        if (!choice.append) {
            result.problem = WriteBackProblem::DoesNotFit;
            return result;
        }
    }
    PackedSource moved = source;
    ApplyWriteBack(file, moved, plan, choice);
    result.file = WriteFileSafely(path, file);
    if (!result.file) {
        result.problem = WriteBackProblem::FileFailed;
        return result;
    }
    result.appended = !plan.fits;
    result.pointersMoved = result.appended && choice.repoint ? plan.pointers.size() : 0;
    source = std::move(moved);
    result.address = source.address;
    result.packedSize = source.packed.size();
    return result;
}

std::string DescribeWriteBackProblem(WriteBackProblem problem) {
    switch (problem) {
    case WriteBackProblem::None:
        return "";
    case WriteBackProblem::PackFailed:
        return "the data is too large for this codec";
    case WriteBackProblem::CheckFailed:
        return "the packed data did not unpack to the same bytes; nothing was written";
    case WriteBackProblem::SourceChanged:
        return "the file no longer holds the block that was opened";
    case WriteBackProblem::DoesNotFit:
        return "the packed data is larger than the old block";
    case WriteBackProblem::Cancelled:
        return "cancelled";
    case WriteBackProblem::FileFailed:
        return "the file could not be read or written";
    }
    return "";
}

} // namespace tavrin
