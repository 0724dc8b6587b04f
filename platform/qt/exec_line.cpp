// The Exec-key splitter used to start the web browser's command line.
#include "platform/qt/exec_line.h"

#include <utility>

namespace platform::qt {
namespace {

constexpr std::string_view FieldCodes = "fFuUdDnNickvm";

bool IsEscapable(char character) {
    return character == '"' || character == '`' || character == '$' || character == '\\';
}

// Resolves "%%" and drops field codes; tells whether the word was a field code alone.
std::string ExpandPercents(const std::string& word, bool& wasFieldCodeAlone) {
    std::string expanded;
    bool droppedAny = false;
    for (std::size_t at = 0; at < word.size(); ++at) {
        if (word[at] == '%' && at + 1 < word.size()) {
            if (word[at + 1] == '%') {
                expanded += '%';
                ++at;
                continue;
            }
            if (FieldCodes.find(word[at + 1]) != std::string_view::npos) {
                droppedAny = true;
                ++at;
                continue;
            }
        }
        expanded += word[at];
    }
    wasFieldCodeAlone = droppedAny && expanded.empty();
    return expanded;
}

}  // namespace

std::optional<std::vector<std::string>> SplitExecLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char character = line[at];
        if (quoted) {
            if (character == '\\' && at + 1 < line.size() && IsEscapable(line[at + 1])) {
                word += line[++at];
            } else if (character == '"') {
                quoted = false;
            } else {
                word += character;
            }
            continue;
        }
        if (character == ' ' || character == '\t' || character == '\n') {
            if (inWord) words.push_back(std::exchange(word, {}));
            inWord = false;
            continue;
        }
        inWord = true;
        if (character == '"')
            quoted = true;
        else
            word += character;
    }
    if (quoted) return std::nullopt;
    if (inWord) words.push_back(word);

    std::vector<std::string> arguments;
    for (const std::string& candidate : words) {
        bool fieldCodeAlone = false;
        std::string expanded = ExpandPercents(candidate, fieldCodeAlone);
        if (!fieldCodeAlone) arguments.push_back(std::move(expanded));
    }
    if (arguments.empty() || arguments.front().empty()) return std::nullopt;
    return arguments;
}

}  // namespace platform::qt
