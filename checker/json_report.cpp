#include <windows.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "checker/check_report.h"
#include "log/log_text.h"
#include "log/messages.h"
#include "wallpaper/wallpaper_sets.h"

namespace lumeva {

namespace {

using Json = nlohmann::ordered_json;

std::string utf8(const std::wstring& text) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &converted[0], length, nullptr,
                        nullptr);
    return converted;
}

// A text as the log shows it (the ANSI code page) in the document's UTF-8.
std::string fromShown(const std::string& shown) {
    const int length = MultiByteToWideChar(CP_ACP, 0, shown.c_str(), static_cast<int>(shown.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, shown.c_str(), static_cast<int>(shown.size()), &wide[0], length);
    return utf8(wide);
}

Json orNull(const std::string& shown) { return shown.empty() ? Json(nullptr) : Json(fromShown(shown)); }

Json setDocument(std::size_t index, const SetInspection& set) {
    Json problems = Json::array();
    for (const auto& failure : set.failures) {
        problems.push_back({{"file", fromShown(failure.file)},
                            {"error", failure.error},
                            {"logLine", fromShown(failure.logLine)},
                            {"text", failure.text.empty() ? Json(nullptr) : Json(fromShown(failure.text))}});
    }
    Json warnings = Json::array();
    for (const auto& warning : set.warnings) {
        warnings.push_back(fromShown(warning));
    }
    Json skipped = Json::array();
    for (const auto& entry : set.skipped) {
        skipped.push_back(fromShown(entry));
    }
    return {{"index", index},
            {"name", utf8(set.realName)},
            {"path", utf8(wallpaperSetPath(set.realName))},
            {"firstSubfolder", orNull(set.firstSubfolder)},
            {"destination", orNull(set.destination)},
            {"mirrorsGameFolder", set.mirrorsGameFolder},
            {"files", set.fileCount},
            {"bytes", set.byteCount},
            {"installsCompletely", set.installsCompletely()},
            {"stopsAt", set.failures.empty() ? Json(nullptr) : Json(fromShown(set.failures.front().file))},
            {"error", set.failures.empty() ? Json(nullptr) : Json(set.failures.front().error)},
            {"logLine", orNull(set.predictedLogLine())},
            {"problems", problems},
            {"warnings", warnings},
            {"skipped", skipped}};
}

}  // namespace

void printJsonReport(const CheckReport& report) {
    Json nonSets = Json::array();
    for (const auto& entry : report.nonSets) {
        nonSets.push_back({{"name", utf8(entry.realName)}, {"reason", entry.reason}});
    }
    Json sets = Json::array();
    for (std::size_t i = 0; i < report.sets.size(); ++i) {
        sets.push_back(setDocument(i, report.sets[i]));
    }
    const bool anySet = !report.sets.empty();
    const Json document = {
        {"gameFolder", utf8(report.gameFolder)},
        {"wallpaperRoot", utf8(wallpaperRoot())},
        {"rootExists", report.rootExists},
        {"notSets", nonSets},
        {"sets", sets},
        {"second", report.second},
        {"pick", anySet ? Json(report.picked) : Json(nullptr)},
        {"logLine", anySet ? sets[report.picked]["logLine"] : Json(NoWallpaperRootMessage)},
        {"everySetComplete", report.everySetComplete()},
    };
    std::puts(document.dump(2).c_str());
}

}  // namespace lumeva
