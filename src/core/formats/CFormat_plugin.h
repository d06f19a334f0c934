#pragma once

#include "core/formats/CFormat.h"
#include "core/platform/DynamicLibrary.h"

#include <functional>
#include <set>
#include <string>

struct TavrinFormat;

namespace tavrin {

// Receives one line for each problem with a plug-in, for example
// "plug-in /opt/tavrin/plugins/x.so: interface version 2, not 3". The caller decides where it
// goes (standard error in the window and the command-line tool).
using PluginReport = std::function<void(const std::string& message)>;

// A format whose work is done by a plug-in library (plugins/tavrin_plugin.h). The probe reads
// the library's header and, through a format object obtained for the purpose, its format
// information; both are copied, so the format has its record (GetInfo, Name, BitsPerPixel,
// the step sizes) from registration on although the library is loaded only while the format
// is active. Nothing a plug-in throws leaves this class: a failing plug-in is reported once
// per reason and goes inert (its block operations leave the image and the bytes alone).
class CFormat_plugin : public CFormat {
public:
    // Longest path accepted (the record of the path holds 1024 characters with its NUL).
    static constexpr size_t MaxPathLength = 1023;

    // announce receives a line naming the library before the first calls into it (the probe,
    // the first activation), so that a library that brings the program down is named.
    explicit CFormat_plugin(PluginReport report = {}, PluginReport announce = {});
    // Deactivates a format that is still active, so the library is never left loaded.
    ~CFormat_plugin() override;

    // Stores the path and probes it. False when the path is too long or the probe refuses
    // the library; Problem() then says why.
    bool SetPath(const std::string& path);
    // Checks the file, loads the library, copies its header and format information, checks
    // them and unloads it again. True when the library is a usable format.
    bool Probe();

    // The record copied by the probe; null before an accepted probe.
    const FormatInfo* GetInfo() override;
    // Loads the library and obtains and activates a fresh format object. On failure the
    // format stays selectable but inert, and the reason is reported.
    void Activate() override;
    // Deactivates the object and unloads the library.
    void Deactivate() override;
    // Forwarded to the plug-in while it is live; otherwise nothing happens.
    void DecodeBlock(Image8& image, const BlockParams& p) override;
    void EncodeBlock(Image8& image, const BlockParams& p) override;

    const std::string& Path() const { return m_path; }
    // The probe could load the library (it may still have refused it).
    bool IsLoaded() const { return m_loaded; }
    // The library is held and its object takes the block operations.
    bool IsLive() const { return m_object != nullptr && !m_failed; }
    // Why the last probe refused the library, or "" when it accepted it.
    const std::string& Problem() const { return m_problem; }

private:
    bool Refuse(const std::string& reason);
    void Announce(const char* step);
    // Reports a problem of an active format, each distinct reason once.
    void ReportOnce(const std::string& reason);
    // Runs one call into the plug-in; false (reported, and the object no longer used) when
    // it threw.
    template <class Call> bool Guarded(const char* operation, Call&& call);
    void Forward(Image8& image, const BlockParams& p, bool decode);

    PluginReport m_report;
    PluginReport m_announce;
    bool m_activatedOnce = false;
    std::string m_path;
    std::string m_problem;
    std::set<std::string> m_reported;
    bool m_loaded = false;
    bool m_accepted = false;
    DynamicLibrary m_library;
    ::TavrinFormat* m_object = nullptr;
    // The object threw: it is not called again until the next activation.
    bool m_failed = false;
};

} // namespace tavrin
