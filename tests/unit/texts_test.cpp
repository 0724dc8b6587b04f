// The program's texts are GBK bytes: each is pinned here by its bytes in hexadecimal.
#include <gtest/gtest.h>

#include <string>

#include "ui/texts.h"

namespace {

std::string Hex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += digits[value >> 4];
        hex += digits[value & 0xF];
    }
    return hex;
}

struct PinnedText {
    const char* what;
    std::string_view text;
    std::size_t length;
    const char* hex;
};

TEST(Texts, EveryTextHoldsItsGbkBytes) {
    using namespace ui::texts;
    const PinnedText pinned[] = {
        {"accepted answer", AcceptedAnswer, 3, "676e78"},
        {"credentials", CredentialsMessage, 36,
         "d5cbbac5a3ba313233303030303435363720202020c3dcc2eba3ba35313732716b343677"},
        {"empty text", EmptyText, 0, ""},
        {"reminder", ReminderMessage, 51,
         "c7d7a3acc4e3bbb9c3bbd7a2b2e1c5b6a3acd7a2b2e1bac3becdc4dccab9d3c35955564f766970d5cbbac5c1cbc5b6a3a1a3a1"},
        {"message caption", MessageCaption, 6, "d0c5cfa2a3ba"},
        {"window title", WindowTitle, 23, "5955564f766970d5cbbac5bbf1c8a1c6f720765f312e32"},
        {"introduction", Introduction, 157,
         "20202020c7d7a3acd6bbd2aacdeab3c9cfc2c3e6b5c4cceebfd5bcb4bfc9bbf1c8a15955564f766970bbe1d4b1d5cbbac5bacdc3dc"
         "c2ebc5b6a3a1b4f0b0b8bfc9d4daa1beb5e3ced2d5d2b4f0b0b8a1bfd6d0d5d2b5bda3acc4fad6bbd2aabba836c3ebd6d3d7a2b2e1"
         "bcb4bfc9d4da20d7a2b2e1cdeab3c9d2b3c3e620d5d2b5bdb4f0b0b8a3acbbf1c8a15955564f766970bbe1d4b1d5cbbac5a3a1"},
        {"question", Question, 34, "cce2c4bfa3baa1b0bfecc8a5cde6a3a820202020a3a9b5c4d3cecfb7b0c9a3a1a1b1"},
        {"answer caption", AnswerCaption, 10, "2020cae4c8ebb4f0b0b8"},
        {"account caption", AccountCaption, 11, "5955564f766970d5cbbac5"},
        {"password caption", PasswordCaption, 11, "20202020202020c3dcc2eb"},
        {"link caption", LinkCaption, 10, "b5e3ced2d5d2b4f0b0b8"},
        {"button caption", ButtonCaption, 15, "bbf1c8a15955564f766970d5cbbac5"},
    };
    for (const PinnedText& text : pinned) {
        EXPECT_EQ(text.text.size(), text.length) << text.what;
        EXPECT_EQ(Hex(text.text), text.hex) << text.what;
        EXPECT_EQ(text.text.data()[text.text.size()], '\0') << text.what << " must stay NUL-terminated";
    }
}

}  // namespace
