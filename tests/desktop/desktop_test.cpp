// Opening the link's target on a real desktop: GIO looks up handlers in private XDG
// folders that register a fake browser, which writes its arguments to a file. Each
// scenario runs in a child process of its own, since GIO reads the folders once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "ui/link_opening.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view Target = "https://www.yuvovip.example/wb008.htm?from=10086&gid=3";

// A private desktop: data and config folders holding only what a scenario puts there.
class FakeDesktop {
public:
    FakeDesktop() : root_(fs::temp_directory_path() / ("desktop-test-" + std::to_string(getpid()))) {
        fs::remove_all(root_);
        fs::create_directories(root_ / "data" / "applications");
        fs::create_directories(root_ / "config");
        fs::create_directories(root_ / "bin");
    }
    ~FakeDesktop() { fs::remove_all(root_); }

    fs::path Record() const { return root_ / "record"; }

    // A browser that writes each of its arguments on a line of the record file; with
    // a broken interpreter line it exists but cannot start.
    fs::path WriteBrowser(const std::string& name, bool startable) const {
        const fs::path program = root_ / "bin" / name;
        std::ofstream(program) << (startable ? "#!/bin/sh\n" : "#!/nonexistent/interpreter\n")
                               << "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done >> '"
                               << Record().string() << "'\n";
        fs::permissions(program, fs::perms::owner_all);
        return program;
    }

    void WriteDesktopEntry(const std::string& id, const std::string& exec, const std::string& mimeTypes) const {
        std::ofstream(root_ / "data" / "applications" / id)
            << "[Desktop Entry]\nType=Application\nName=Fake Browser\nExec=" << exec << "\nMimeType=" << mimeTypes
            << "\n";
    }

    void WriteDefaults(const std::string& lines) const {
        std::ofstream(root_ / "config" / "mimeapps.list") << "[Default Applications]\n" << lines;
    }

    // Points GIO at this desktop alone.
    void Enter() const {
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        setenv("XDG_DATA_DIRS", (root_ / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (root_ / "config").c_str(), 1);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    // The recorded arguments once `lines` of them are there, or what is there when
    // the wait runs out; expecting none, it waits the whole time for a late one.
    std::string WaitForRecord(int lines, std::chrono::milliseconds timeout) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string content;
        do {
            std::ifstream stream(Record());
            std::stringstream buffer;
            buffer << stream.rdbuf();
            content = buffer.str();
            if (lines > 0 && std::count(content.begin(), content.end(), '\n') >= lines) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < deadline);
        return content;
    }

private:
    fs::path root_;
};

// Runs the scenario in a child process; gives whether the link was opened (the
// visited state it takes) and what the browser recorded.
struct Outcome {
    bool childExited = false;
    bool opened = false;
    std::string recorded{};
};

Outcome RunScenario(const std::function<void(const FakeDesktop&)>& arrange, int expectedLines) {
    FakeDesktop desktop;
    arrange(desktop);
    const pid_t child = fork();
    if (child == 0) {
        alarm(20);
        desktop.Enter();
        _exit(ui::OpenTarget(Target, ui::SystemDesktop()) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    Outcome outcome{.childExited = WIFEXITED(status), .opened = WIFEXITED(status) && WEXITSTATUS(status) == 1};
    outcome.recorded = desktop.WaitForRecord(expectedLines, std::chrono::seconds(expectedLines > 0 ? 5 : 1));
    return outcome;
}

const std::string Address = std::string(Target) + "\n";

TEST(OpeningOnTheDesktop, HandlerOfTheAddressReceivesItOnce) {
    const Outcome outcome = RunScenario(
        [](const FakeDesktop& desktop) {
            desktop.WriteDesktopEntry("fake-browser.desktop", desktop.WriteBrowser("browser", true).string() + " %u",
                                      "x-scheme-handler/https;");
            desktop.WriteDefaults("x-scheme-handler/https=fake-browser.desktop\n");
        },
        1);
    ASSERT_TRUE(outcome.childExited);
    EXPECT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.recorded, Address);
}

TEST(OpeningOnTheDesktop, WithoutAnAddressHandlerTheWebPageCommandRunsWithTheAddress) {
    const Outcome outcome = RunScenario(
        [](const FakeDesktop& desktop) {
            desktop.WriteDesktopEntry("page-viewer.desktop",
                                      desktop.WriteBrowser("viewer", true).string() + " --new-window %U --after",
                                      "text/html;");
            desktop.WriteDefaults("text/html=page-viewer.desktop\n");
        },
        2);
    ASSERT_TRUE(outcome.childExited);
    EXPECT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.recorded, "--new-window\n" + Address) << "text after the placeholder is dropped";
}

TEST(OpeningOnTheDesktop, NeitherHandlerNorCommandOpensNothing) {
    const Outcome outcome = RunScenario([](const FakeDesktop&) {}, 0);
    ASSERT_TRUE(outcome.childExited);
    EXPECT_FALSE(outcome.opened);
    EXPECT_EQ(outcome.recorded, "");
}

TEST(OpeningOnTheDesktop, CommandThatCannotStartLeavesTheLinkUnvisited) {
    const Outcome outcome = RunScenario(
        [](const FakeDesktop& desktop) {
            desktop.WriteDesktopEntry("broken.desktop", desktop.WriteBrowser("broken", false).string() + " %u",
                                      "text/html;");
            desktop.WriteDefaults("text/html=broken.desktop\n");
        },
        0);
    ASSERT_TRUE(outcome.childExited);
    EXPECT_FALSE(outcome.opened);
    EXPECT_EQ(outcome.recorded, "");
}

TEST(OpeningOnTheDesktop, BrowserMissingFromThePathLeavesTheLinkUnvisited) {
    const Outcome outcome = RunScenario(
        [](const FakeDesktop& desktop) {
            desktop.WriteDesktopEntry("gone.desktop", "no-such-browser-anywhere %u", "x-scheme-handler/https;text/html;");
            desktop.WriteDefaults("x-scheme-handler/https=gone.desktop\ntext/html=gone.desktop\n");
        },
        0);
    ASSERT_TRUE(outcome.childExited);
    EXPECT_FALSE(outcome.opened);
}

TEST(OpeningOnTheDesktop, ShellMetacharactersInTheCommandReachTheBrowserAsPlainWords) {
    const Outcome outcome = RunScenario(
        [](const FakeDesktop& desktop) {
            desktop.WriteDesktopEntry("odd.desktop",
                                      desktop.WriteBrowser("odd", true).string() + " ; $(touch pwned) `id` %u",
                                      "text/html;");
            desktop.WriteDefaults("text/html=odd.desktop\n");
        },
        4);
    ASSERT_TRUE(outcome.childExited);
    EXPECT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.recorded, ";\n$(touch\npwned)\n`id`\n" + Address);
}

}  // namespace
