// The answer check over a stand-in answer box and message sink: what it shows for
// each answer, and that every text it reads is released before any box shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/answer_check.h"

namespace {

// Holds a fixed answer (bytes, possibly with NULs inside), hands out fresh copies
// and records the order of reads, releases and messages.
class StandInDesk final : public app::AnswerCheckDesk {
public:
    explicit StandInDesk(std::optional<std::string> answer) : answer_(std::move(answer)) {}

    char* ReadAnswer() override {
        events.push_back("read");
        if (!answer_) return nullptr;
        char* text = new char[answer_->size() + 1];
        std::memcpy(text, answer_->data(), answer_->size());
        text[answer_->size()] = '\0';
        outstanding_.push_back(text);
        return text;
    }
    void ReleaseText(char* text) override {
        events.push_back("release");
        std::erase(outstanding_, text);
        delete[] text;
    }
    void ShowMessage(const char* text) override {
        events.push_back("show");
        EXPECT_TRUE(outstanding_.empty()) << "a text was still held when the box showed";
        messages.emplace_back(text);
    }

    std::vector<std::string> events;
    std::vector<std::string> messages;

private:
    std::optional<std::string> answer_;
    std::vector<char*> outstanding_;
};

const std::string Credentials = "\xd5\xcb\xba\xc5\xa3\xba" "12300004567    \xc3\xdc\xc2\xeb\xa3\xba" "5172qk46w";
const std::string Reminder =
    "\xc7\xd7\xa3\xac\xc4\xe3\xbb\xb9\xc3\xbb\xd7\xa2\xb2\xe1\xc5\xb6\xa3\xac\xd7\xa2\xb2\xe1\xba\xc3\xbe\xcd\xc4\xdc"
    "\xca\xb9\xd3\xc3YUVOvip\xd5\xcb\xba\xc5\xc1\xcb\xc5\xb6\xa3\xa1\xa3\xa1";

TEST(AnswerCheck, RightAnswerShowsTheAccountAfterOneReadAndRelease) {
    StandInDesk desk(std::string("gnx"));
    app::CheckAnswer(desk);
    EXPECT_EQ(desk.messages, std::vector<std::string>{Credentials});
    EXPECT_EQ(desk.events, (std::vector<std::string>{"read", "release", "show"}));
}

TEST(AnswerCheck, EmptyBoxShowsTheReminderAfterTwoReads) {
    StandInDesk desk(std::nullopt);
    app::CheckAnswer(desk);
    EXPECT_EQ(desk.messages, std::vector<std::string>{Reminder});
    EXPECT_EQ(desk.events, (std::vector<std::string>{"read", "read", "show"}));
}

TEST(AnswerCheck, AnyOtherAnswerShowsNothingAndReleasesBothReads) {
    const std::string wrongAnswers[] = {
        " gnx",
        "gnx ",
        "gn",
        "gnxgnx",
        "   ",
        "GNX",
        "\xa3\xe7\xa3\xee\xa3\xf8",  // full-width ｇｎｘ
        "gn?x",                      // an emoji between the letters, as the box reads it
        "gnx?more",  // a NUL character inside, as the box reads it
        "gnx?",  // a right-to-left mark after the answer, as the box reads it
        "g",
        "\xb3\xac",
    };
    for (const std::string& answer : wrongAnswers) {
        StandInDesk desk(answer);
        app::CheckAnswer(desk);
        EXPECT_TRUE(desk.messages.empty()) << answer;
        EXPECT_EQ(desk.events, (std::vector<std::string>{"read", "release", "read", "release"})) << answer;
    }
}

TEST(AnswerCheck, SameAnswerGivesTheSameOutcomeOnEveryClick) {
    StandInDesk desk(std::string("gnx"));
    app::CheckAnswer(desk);
    app::CheckAnswer(desk);
    EXPECT_EQ(desk.messages, (std::vector<std::string>{Credentials, Credentials}));
}

}  // namespace
