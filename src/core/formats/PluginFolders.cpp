#include "core/formats/PluginFolders.h"

#include <algorithm>

namespace tavrin {

bool LoadPluginFolders(CFormatTable& table, const std::vector<std::string>& folders,
                       const PluginReport& report, const PluginReport& announce) {
    std::vector<std::string> searched;
    for (std::string folder : folders) {
        if (folder.empty())
            continue;
        if (folder.back() != '/')
            folder += '/';
        if (std::find(searched.begin(), searched.end(), folder) != searched.end())
            continue;
        searched.push_back(folder);
        if (!table.LoadPlugins(folder, report, announce))
            return false;
    }
    return true;
}

} // namespace tavrin
