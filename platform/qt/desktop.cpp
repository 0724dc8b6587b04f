// Opening addresses and starting programs over GIO: the default handler of the
// address, the default application for web pages, and spawning without a shell.
#include "platform/desktop.h"

#include <gio/gio.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/exec_line.h"

namespace platform {
namespace {

struct GObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GAppInfo, GObjectRelease>;

void Forget(GError* error) {
    if (error) g_error_free(error);
}

}  // namespace

// GIO knows no action or show mode: it launches the handler of the address's scheme.
bool OpenWithDefaultHandler(std::string_view target, std::string_view, ShowMode) {
    const std::string address(target);
    GError* error = nullptr;
    const bool launched = g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error);
    Forget(error);
    return launched;
}

// Documents ending in ".htm" are web pages: the command is the Exec line of the
// default application for text/html.
std::optional<std::string> FindOpenCommand(std::string_view extension) {
    if (extension != ".htm") return std::nullopt;
    const AppInfo application(g_app_info_get_default_for_type("text/html", FALSE));
    if (!application) return std::nullopt;
    const char* command = g_app_info_get_commandline(application.get());
    if (!command) return std::nullopt;
    return std::string(command);
}

// Started detached: GLib reaps the program itself, which outlives the caller.
bool RunCommandLine(std::string_view commandLine, ShowMode) {
    const auto words = qt::SplitExecLine(commandLine);
    if (!words) return false;
    std::vector<char*> arguments;
    for (const std::string& word : *words) arguments.push_back(const_cast<char*>(word.c_str()));
    arguments.push_back(nullptr);
    GError* error = nullptr;
    const bool started = g_spawn_async(nullptr, arguments.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                                       nullptr, &error);
    Forget(error);
    return started;
}

}  // namespace platform
