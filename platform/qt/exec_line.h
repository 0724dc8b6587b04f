// Splitting a command line into a program and its arguments by the quoting rules
// of desktop entries' Exec keys. Plain C++, so it is tested without a desktop.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::qt {

// The words of the command line: separated by spaces, a word in double quotes may
// hold spaces and the escapes \" \` \$ \\; "%%" stands for "%", and the field codes
// (%f %F %u %U %d %D %n %N %i %c %k %v %m) are dropped, a word that is one alone
// with it. Nothing is ever interpreted as a shell would. Nothing for an unclosed
// quote or a line without a program.
std::optional<std::vector<std::string>> SplitExecLine(std::string_view line);

}  // namespace platform::qt
