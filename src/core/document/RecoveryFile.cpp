#include "core/document/RecoveryFile.h"

#include "core/document/RomDocument.h"
#include "core/platform/LittleEndian.h"
#include "core/platform/SafeFileWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tavrin {

namespace {

constexpr char Magic[16] = {'T', 'A', 'V', 'R', 'I', 'N', ' ', 'R',
                            'E', 'C', 'O', 'V', 'E', 'R', 'Y', '1'};
constexpr size_t HeadBytes = sizeof Magic + 4 * 6;
// A path longer than any the system takes is not ours.
constexpr uint32_t MaxPathBytes = 4096;

// FNV-1a: the same path gives the same file name on every run.
uint64_t PathHash(const std::string& path) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char c : path) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

} // namespace

std::vector<uint8_t> EncodeRecovery(const RecoveryRecord& record) {
    std::vector<uint8_t> out(HeadBytes + record.documentPath.size() + record.bytes.size());
    uint8_t* p = out.data();
    std::memcpy(p, Magic, sizeof Magic);
    p += sizeof Magic;
    for (const uint32_t value :
         {static_cast<uint32_t>(record.documentPath.size()), static_cast<uint32_t>(record.address),
          static_cast<uint32_t>(record.format), static_cast<uint32_t>(record.dataSize),
          static_cast<uint32_t>(record.bytes.size()), 0u}) {
        StoreLE32(p, value);
        p += 4;
    }
    std::memcpy(p, record.documentPath.data(), record.documentPath.size());
    p += record.documentPath.size();
    if (!record.bytes.empty())
        std::memcpy(p, record.bytes.data(), record.bytes.size());
    return out;
}

bool DecodeRecovery(std::span<const uint8_t> file, RecoveryRecord& record) {
    if (file.size() < HeadBytes || std::memcmp(file.data(), Magic, sizeof Magic) != 0)
        return false;
    const uint8_t* p = file.data() + sizeof Magic;
    const uint32_t pathBytes = LoadLE32(p);
    const int32_t address = LoadLE32s(p + 4);
    const int32_t format = LoadLE32s(p + 8);
    const int32_t dataSize = LoadLE32s(p + 12);
    const uint32_t byteCount = LoadLE32(p + 16);
    // The reserved word is 0 in this layout; a file of a later one is not read as this one.
    const uint32_t reserved = LoadLE32(p + 20);
    if (reserved != 0 || pathBytes == 0 || pathBytes > MaxPathBytes || dataSize < 0 ||
        dataSize > RomDocument::MaxDataSize || byteCount < static_cast<uint32_t>(dataSize) ||
        uint64_t{HeadBytes} + pathBytes + byteCount != file.size())
        return false;
    RecoveryRecord read;
    read.documentPath.assign(reinterpret_cast<const char*>(file.data() + HeadBytes), pathBytes);
    if (read.documentPath.find('\0') != std::string::npos)
        return false;
    read.address = address;
    read.format = format;
    read.dataSize = dataSize;
    read.bytes.assign(file.begin() + static_cast<ptrdiff_t>(HeadBytes + pathBytes), file.end());
    record = std::move(read);
    return true;
}

std::string RecoveryFilePath(const std::string& folder, const std::string& documentPath) {
    char name[40];
    std::snprintf(name, sizeof name, "recovery-%016llx.bin",
                  static_cast<unsigned long long>(PathHash(documentPath)));
    return folder + name;
}

std::vector<std::string> RecoveryFilesIn(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.rfind("recovery-", 0) != 0 || !name.ends_with(".bin") ||
            !it->is_regular_file(typeError))
            continue;
        found.emplace_back(it->last_write_time(typeError), it->path().string());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> paths;
    for (auto& f : found)
        paths.push_back(std::move(f.second));
    return paths;
}

bool RecoveryKeeper::Keep(const RomDocument& document, bool modified, int generation, int address,
                          int format) {
    if (m_folder.empty() || document.FilePath().empty())
        return true;
    if (!modified) {
        ForgetIfSaved(document, modified);
        return true;
    }
    // Only after a change since the last write.
    if (document.FilePath() == m_writtenPath && generation == m_writtenGeneration)
        return true;
    RecoveryRecord record;
    record.documentPath = document.FilePath();
    record.address = address;
    record.format = format;
    record.dataSize = document.DataSize();
    record.bytes.assign(document.Data(), document.Data() + document.BufferSize());
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);
    const std::vector<uint8_t> bytes = EncodeRecovery(record);
    if (!WriteFileSafely(RecoveryFilePath(m_folder, record.documentPath), bytes.data(),
                         bytes.size(), ExistingTail::Drop))
        return false;
    m_writtenPath = record.documentPath;
    m_writtenGeneration = generation;
    return true;
}

void RecoveryKeeper::ForgetIfSaved(const RomDocument& document, bool modified) {
    if (!modified)
        Forget(document.FilePath());
}

void RecoveryKeeper::Forget(const std::string& documentPath) {
    if (m_folder.empty() || documentPath.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove(RecoveryFilePath(m_folder, documentPath), ignored);
    if (documentPath == m_writtenPath) {
        m_writtenPath.clear();
        m_writtenGeneration = -1;
    }
}

} // namespace tavrin
