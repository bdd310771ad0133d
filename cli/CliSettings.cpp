// The options a hexmoor-cli run starts from: the defaults, or those of a stored settings file.
#include "cli/CliSettings.h"

#include <filesystem>
#include <system_error>

#include "cli/ConsoleText.h"
#include "settings/SettingsFile.h"

bool cliBaseOptions(const ZnCliCommand& command, ZnCliOptions& base, std::string& error) {
    if (command.settingsFile.isEmpty()) return true;
    const std::filesystem::path path = Zenlo::toPath(command.settingsFile);
    const std::string shown = "the settings file " + shownPath(command.settingsFile);
    std::string record;
    std::error_code reason;
    if (!Zenlo::readSettingsRecord(path, record, &reason))
        return error = "cannot read " + shown + ": " +
                       (reason ? reason.message() : std::string("not a regular file")),
               false;
    // A build must not quietly run on defaults because the wrong file was named.
    ZnConversionOptions conversion = base.conversion;
    Zenlo::WideString languageName;
    const int fields = Zenlo::decodeSettingsRecord(record, conversion, languageName);
    if (fields < Zenlo::settingsFieldCount) {
        error = shown + " is not a settings file (its record ends after " + std::to_string(fields) +
                " of " + std::to_string(Zenlo::settingsFieldCount) + " fields)";
        return false;
    }
    base.conversion = conversion;
    return true;
}
