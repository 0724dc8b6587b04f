// Opening addresses and starting programs over GIO: the default handler of the
// address, the default application for web pages, and spawning without a shell.
// GIO is loaded on the first opening rather than at start-up: most runs never open
// the page, and loading it with the program costs start-up time and memory. GLib
// itself comes with the toolkit.
#include "platform/desktop.h"

#include <dlfcn.h>
#include <gio/gio.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/exec_line.h"

namespace platform {
namespace {

// The few GIO functions the desktop needs, or none when GIO cannot be loaded.
struct Gio {
    decltype(&g_app_info_launch_default_for_uri) launchDefaultForUri;
    decltype(&g_app_info_get_default_for_type) defaultForType;
    decltype(&g_app_info_get_commandline) commandLine;
    decltype(&g_object_unref) release;
};

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const Gio* LoadGio() {
    static const std::optional<Gio> gio = []() -> std::optional<Gio> {
        void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) return std::nullopt;
        Gio functions{};
        const bool complete = Resolve(library, "g_app_info_launch_default_for_uri", functions.launchDefaultForUri) &&
                              Resolve(library, "g_app_info_get_default_for_type", functions.defaultForType) &&
                              Resolve(library, "g_app_info_get_commandline", functions.commandLine) &&
                              Resolve(library, "g_object_unref", functions.release);
        if (!complete) return std::nullopt;
        return functions;
    }();
    return gio ? &*gio : nullptr;
}

void Forget(GError* error) {
    if (error) g_error_free(error);
}

}  // namespace

// GIO knows no action or show mode: it launches the handler of the address's scheme.
bool OpenWithDefaultHandler(std::string_view target, std::string_view, ShowMode) {
    const Gio* gio = LoadGio();
    if (!gio) return false;
    const std::string address(target);
    GError* error = nullptr;
    const bool launched = gio->launchDefaultForUri(address.c_str(), nullptr, &error);
    Forget(error);
    return launched;
}

// Documents ending in ".htm" are web pages: the command is the Exec line of the
// default application for text/html.
std::optional<std::string> FindOpenCommand(std::string_view extension) {
    const Gio* gio = LoadGio();
    if (!gio || extension != ".htm") return std::nullopt;
    const auto release = [gio](GAppInfo* info) { gio->release(info); };
    const std::unique_ptr<GAppInfo, decltype(release)> application(gio->defaultForType("text/html", FALSE), release);
    if (!application) return std::nullopt;
    const char* command = gio->commandLine(application.get());
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
