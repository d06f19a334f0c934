#include "core/formats/CFormat_plugin.h"

#include "../plugins/tavrin_plugin.h"
#include "core/formats/CFormatTable.h"
#include "core/platform/LibraryFile.h"

#include <cstring>
#include <exception>
#include <type_traits>
#include <utility>

namespace tavrin {

// The records cross the library boundary as raw bytes, so the program's and the plug-in
// interface's views of them must be the same layout.
#define TAVRIN_SAME_FIELD(ours, theirs, field)                                                     \
    static_assert(offsetof(ours, field) == offsetof(theirs, field) &&                              \
                  sizeof(ours::field) == sizeof(theirs::field))
static_assert(sizeof(FormatHeader) == sizeof(TavrinFormatHeader));
TAVRIN_SAME_FIELD(FormatHeader, TavrinFormatHeader, version);
TAVRIN_SAME_FIELD(FormatHeader, TavrinFormatHeader, revision);
TAVRIN_SAME_FIELD(FormatHeader, TavrinFormatHeader, author);
TAVRIN_SAME_FIELD(FormatHeader, TavrinFormatHeader, url);
static_assert(sizeof(FormatInfo) == sizeof(TavrinFormatInfo));
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, bitsPerPixel);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, width);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, height);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, autoPaletteMode);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, defaultPaletteMode);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, disableAdfPattern);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, indexMode);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, maxIndex);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, compress);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, loadOnly);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, name);
TAVRIN_SAME_FIELD(FormatInfo, TavrinFormatInfo, extensions);
static_assert(sizeof(BlockParams) == sizeof(TavrinBlockParams));
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, x);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, y);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, bytes);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, address);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, colourOffset);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, rotate);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, mirror);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, pattern);
TAVRIN_SAME_FIELD(BlockParams, TavrinBlockParams, tilePalettes);
static_assert(sizeof(TileParams) == sizeof(TavrinTileParams));
TAVRIN_SAME_FIELD(TileParams, TavrinTileParams, tileOffset);
TAVRIN_SAME_FIELD(TileParams, TavrinTileParams, mirror);
#undef TAVRIN_SAME_FIELD
static_assert(std::is_trivially_copyable_v<FormatInfo> &&
              std::is_trivially_copyable_v<TavrinBlockParams>);

namespace {

// Runs a call into a plug-in; false, with the reason in error, when it threw.
template <class Call> bool Try(Call&& call, std::string& error) noexcept {
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        error = std::string("threw an exception (") + e.what() + ")";
    } catch (...) {
        error = "threw an exception";
    }
    return false;
}

// The format object of a loaded library, with the operations the program needs; null, with
// the reason, when there is none.
TavrinFormat* ObtainObject(const DynamicLibrary& library, std::string& reason) {
    const auto objectProc =
        reinterpret_cast<TavrinPluginObjectProc>(library.Symbol("PluginObjectProc"));
    if (objectProc == nullptr) {
        reason = "no PluginObjectProc";
        return nullptr;
    }
    TavrinFormat* object = nullptr;
    std::string error;
    if (!Try([&] { object = objectProc(); }, error)) {
        reason = "PluginObjectProc " + error;
        return nullptr;
    }
    if (object == nullptr)
        reason = "PluginObjectProc returned no format object";
    else if (object->ops == nullptr)
        reason = "the format object has no operation table";
    else if (object->ops->GetInfo == nullptr)
        reason = "the format object has no GetInfo";
    else if (object->ops->DecodeBlock == nullptr)
        reason = "the format object has no DecodeBlock";
    else
        return object;
    return nullptr;
}

// The object's information record, or null (with the reason).
const TavrinFormatInfo* ObjectInfo(TavrinFormat* object, std::string& reason) {
    const TavrinFormatInfo* info = nullptr;
    std::string error;
    if (!Try([&] { info = object->ops->GetInfo(object); }, error))
        reason = "GetInfo " + error;
    else if (info == nullptr)
        reason = "GetInfo returned no format information";
    return info;
}

bool SameGeometry(const FormatInfo& a, const TavrinFormatInfo& b) {
    return a.bitsPerPixel == b.bitsPerPixel && a.width == b.width && a.height == b.height &&
           a.disableAdfPattern == b.disableAdfPattern;
}

template <size_t N> void Terminate(char (&field)[N]) {
    field[N - 1] = '\0';
}

} // namespace

CFormat_plugin::CFormat_plugin(PluginReport report, PluginReport announce)
    : m_report(std::move(report)), m_announce(std::move(announce)) {}

CFormat_plugin::~CFormat_plugin() {
    if (m_library.IsOpen())
        Deactivate();
}

bool CFormat_plugin::SetPath(const std::string& path) {
    if (path.size() > MaxPathLength) {
        m_problem = "path longer than 1023 characters";
        return false;
    }
    m_path = path;
    return Probe();
}

bool CFormat_plugin::Refuse(const std::string& reason) {
    m_problem = reason;
    m_accepted = false;
    m_info = FormatInfo{};
    return false;
}

bool CFormat_plugin::Probe() {
    m_loaded = false;
    m_header = FormatHeader{};
    const std::string fileProblem = LibraryFileProblem(m_path);
    if (!fileProblem.empty())
        return Refuse("not a loadable library (" + fileProblem + ")");
    Announce("loading it to read its format");
    DynamicLibrary library;
    if (!library.Open(m_path))
        return Refuse("not a loadable library (" + library.Error() + ")");
    m_loaded = true;
    const auto headerProc =
        reinterpret_cast<TavrinPluginHeaderProc>(library.Symbol("PluginHeaderProc"));
    if (headerProc == nullptr)
        return Refuse("no PluginHeaderProc");
    const TavrinFormatHeader* header = nullptr;
    std::string error;
    if (!Try([&] { header = headerProc(); }, error))
        return Refuse("PluginHeaderProc " + error);
    if (header == nullptr)
        return Refuse("PluginHeaderProc returned no header");
    std::memcpy(&m_header, header, sizeof m_header);
    Terminate(m_header.author);
    Terminate(m_header.url);
    if (m_header.version != TAVRIN_PLUGIN_VERSION)
        return Refuse("interface version " + std::to_string(m_header.version) + ", not " +
                      std::to_string(TAVRIN_PLUGIN_VERSION));

    // The format's record is read now, while the library is loaded anyway, so that the format
    // is complete from registration on.
    std::string reason;
    TavrinFormat* object = ObtainObject(library, reason);
    const TavrinFormatInfo* info = object ? ObjectInfo(object, reason) : nullptr;
    if (info == nullptr)
        return Refuse(reason);
    FormatInfo copy;
    std::memcpy(&copy, info, sizeof copy);
    Terminate(copy.name);
    Terminate(copy.extensions);
    const std::string problem = CFormatTable::InfoProblem(copy);
    if (!problem.empty())
        return Refuse(problem);
    m_info = copy;
    m_problem.clear();
    m_accepted = true;
    return true;
}

const FormatInfo* CFormat_plugin::GetInfo() {
    return m_accepted ? &m_info : nullptr;
}

void CFormat_plugin::Announce(const char* step) {
    if (m_announce)
        m_announce("plug-in " + m_path + ": " + step);
}

void CFormat_plugin::ReportOnce(const std::string& reason) {
    if (m_reported.insert(reason).second && m_report)
        m_report("plug-in " + m_path + ": " + reason);
}

template <class Call> bool CFormat_plugin::Guarded(const char* operation, Call&& call) {
    std::string error;
    if (Try(std::forward<Call>(call), error))
        return true;
    m_failed = true;
    ReportOnce(std::string(operation) + " " + error);
    return false;
}

void CFormat_plugin::Activate() {
    if (!m_accepted)
        return;
    if (!m_library.IsOpen()) {
        m_object = nullptr;
        m_failed = false;
        // The file may have been replaced since start-up.
        const std::string fileProblem = LibraryFileProblem(m_path);
        if (!fileProblem.empty()) {
            ReportOnce("cannot be loaded (" + fileProblem + ")");
            return;
        }
        if (!m_activatedOnce) {
            m_activatedOnce = true;
            Announce("loading it to activate the format");
        }
        if (!m_library.Open(m_path)) {
            ReportOnce("cannot be loaded (" + m_library.Error() + ")");
            return;
        }
        std::string reason;
        TavrinFormat* object = ObtainObject(m_library, reason);
        const TavrinFormatInfo* info = object ? ObjectInfo(object, reason) : nullptr;
        // A library replaced since start-up must not write pages of another size.
        if (info != nullptr && !SameGeometry(m_info, *info))
            reason = "its format information changed since start-up";
        if (info == nullptr || !reason.empty()) {
            ReportOnce(reason);
            m_library.Close();
            return;
        }
        m_object = object;
    }
    if (m_object != nullptr && m_object->ops->Activate != nullptr)
        Guarded("Activate", [this] { m_object->ops->Activate(m_object); });
}

void CFormat_plugin::Deactivate() {
    if (m_library.IsOpen() && m_object != nullptr && m_object->ops->Deactivate != nullptr)
        Guarded("Deactivate", [this] { m_object->ops->Deactivate(m_object); });
    m_object = nullptr;
    m_failed = false;
    m_library.Close();
}

void CFormat_plugin::Forward(Image8& image, const BlockParams& p, bool decode) {
    if (!IsLive() || image.Width() != BlockPixels || image.Height() != BlockPixels)
        return;
    const auto operation = decode ? m_object->ops->DecodeBlock : m_object->ops->EncodeBlock;
    if (operation == nullptr)
        return;
    TavrinTileImage tileImage{image.Bits(), BlockPixels, BlockPixels, image.Stride()};
    TavrinBlockParams params;
    std::memcpy(&params, &p, sizeof params);
    // With fewer than 256 tiles a page, pattern entries could name tiles past the page.
    const BlockGeometry g = GetBlockGeometry(m_info);
    if (g.columns * g.rows < 256)
        params.pattern = nullptr;
    Guarded(decode ? "DecodeBlock" : "EncodeBlock",
            [&] { operation(m_object, &tileImage, &params); });
}

void CFormat_plugin::DecodeBlock(Image8& image, const BlockParams& p) {
    Forward(image, p, true);
}

void CFormat_plugin::EncodeBlock(Image8& image, const BlockParams& p) {
    Forward(image, p, false);
}

} // namespace tavrin
