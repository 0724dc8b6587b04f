// Notes the moment it hands over to a program and execs that program in its own
// place, so that the program keeps this process's ID. The moment is CLOCK_MONOTONIC
// in seconds, written as one line to the file named first; startup_benchmark.py
// counts the program's start-up from it.
//
//   exec_stamp STAMP_FILE PROGRAM [ARGUMENT...]
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argumentCount, char** arguments) {
    if (argumentCount < 3) {
        std::fputs("usage: exec_stamp STAMP_FILE PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    const int file = open(arguments[1], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0) {
        std::perror(arguments[1]);
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
    if (length <= 0 || write(file, line, static_cast<std::size_t>(length)) != length) {
        std::perror(arguments[1]);
        return 2;
    }
    close(file);
    execv(arguments[2], arguments + 2);
    std::fprintf(stderr, "exec_stamp: cannot run %s: %s\n", arguments[2], std::strerror(errno));
    return 127;
}
