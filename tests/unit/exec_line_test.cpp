// Splitting a command line by the quoting rules of desktop entries, never as a shell.
#include <gtest/gtest.h>

#include "platform/qt/exec_line.h"

namespace {

using Words = std::vector<std::string>;

TEST(ExecLine, SplitsIntoWordsByTheDesktopEntryRules) {
    struct Case {
        const char* line;
        Words words;
    };
    const Case cases[] = {
        {"browser  https://a.example/?x=1&y=2", {"browser", "https://a.example/?x=1&y=2"}},
        {R"("/opt/My Browser/browser" --new  x)", {"/opt/My Browser/browser", "--new", "x"}},
        {R"(browser "a \"quoted\" \`word\` \$HOME \\ end")", {"browser", R"(a "quoted" `word` $HOME \ end)"}},
        {"browser %u", {"browser"}},
        {"browser --title=%c %U x", {"browser", "--title=", "x"}},
        {"browser 100%% %i", {"browser", "100%"}},
        {"sh -c 'rm -rf ~'; $(reboot) `id` | tee", {"sh", "-c", "'rm", "-rf", "~';", "$(reboot)", "`id`", "|", "tee"}},
        {"\tbrowser\tx  ", {"browser", "x"}},
    };
    for (const Case& test : cases) {
        const auto words = platform::qt::SplitExecLine(test.line);
        ASSERT_TRUE(words) << test.line;
        EXPECT_EQ(*words, test.words) << test.line;
    }
}

TEST(ExecLine, RefusesLinesWithoutAProgramOrWithAnOpenQuote) {
    for (const char* line : {"", "   ", "%u", R"(browser "open)", R"("")"})
        EXPECT_FALSE(platform::qt::SplitExecLine(line)) << line;
}

}  // namespace
