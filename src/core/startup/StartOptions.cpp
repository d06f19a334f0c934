#include "core/startup/StartOptions.h"

#include "core/startup/DesktopSettings.h"
#include "core/startup/ViewScale.h"

namespace tavrin {

namespace {

// "--name=value" or "--name" followed by the value; false when arg is not that option.
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, bool& missing) {
    const std::string& arg = args[i];
    if (arg == name) {
        missing = i + 1 >= args.size();
        if (!missing)
            value = args[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

StartOptions ParseStartOptions(const std::vector<std::string>& args,
                               const std::function<bool(const std::string&)>& fileExists) {
    StartOptions options;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.rfind("-", 0) != 0 || (fileExists && fileExists(arg))) {
            options.files.push_back(arg);
            continue;
        }
        std::string value;
        bool missing = false;
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (TakeValue(args, i, "--lang", value, missing)) {
            options.language = LanguageCode(value);
            if (options.language.empty())
                options.error = "--lang takes ja or en";
        } else if (TakeValue(args, i, "--scale", value, missing)) {
            options.viewScale = ParseViewScale(value);
            if (options.viewScale < 0)
                options.error = "--scale takes auto, 100, 150, 200, 300 or 400";
        } else {
            // Not ours: a file name that does not exist (yet), as before.
            options.files.push_back(arg);
        }
        if (missing)
            options.error = arg + " needs a value";
        if (!options.error.empty())
            return options;
    }
    // One window shows one document.
    if (options.files.size() > 1)
        options.error = "tavrin opens one file, not " + std::to_string(options.files.size()) +
                        " (\"" + options.files[0] + "\", \"" + options.files[1] + "\"" +
                        (options.files.size() > 2 ? ", ..." : "") + ")";
    return options;
}

} // namespace tavrin
