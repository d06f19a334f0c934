#pragma once

#include "core/formats/CFormatTable.h"

#include <string>
#include <vector>

namespace tavrin {

// Loads the plug-ins of each folder in turn into the table, until it is full: the table
// takes at most 3 plug-in formats from all folders together, the first found first. A folder
// named twice is searched once. False when a plug-in could not be added (the table was full).
// announce is passed on to CFormatTable::LoadPlugins.
bool LoadPluginFolders(CFormatTable& table, const std::vector<std::string>& folders,
                       const PluginReport& report = {}, const PluginReport& announce = {});

} // namespace tavrin
