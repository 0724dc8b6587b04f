// Prints how long the picture box takes to decode the appeal picture, beside the
// reference decoder djpeg on the same file. A measurement, not a test: it passes or
// fails nothing.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "resources/embedded.h"
#include "ui/picture_decoder.h"

namespace {

using Clock = std::chrono::steady_clock;

double MedianMicroseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

void RunDjpeg(const std::string& file) {
    const std::string command = "djpeg -pnm -outfile /dev/null '" + file + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "djpeg failed on %s\n", file.c_str());
}

void Write(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main() {
    const auto picture = resources::AppealPicture();
    const std::string appeal = "/tmp/decode-benchmark-" + std::to_string(getpid()) + ".jpg";
    Write(appeal, picture);

    constexpr int runs = 201;
    const double ours = MedianMicroseconds(runs, [&] {
        if (!ui::DecodePicture(picture)) std::abort();
    });
    const double djpeg = MedianMicroseconds(51, [&] { RunDjpeg(appeal); });
    // Starting a process through the shell costs djpeg this much before it decodes.
    const double startOnly = MedianMicroseconds(51, [] {
        if (std::system("true") != 0) std::abort();
    });
    std::remove(appeal.c_str());

    std::printf("Decoding the appeal picture (%zu bytes, 237 x 277), medians:\n", picture.size());
    std::printf("  %-40s %10.1f us  (%d runs, in process)\n", "picture box decoder", ours, runs);
    std::printf("  %-40s %10.1f us  (51 runs, whole process)\n", "djpeg -pnm to /dev/null", djpeg);
    std::printf("  %-40s %10.1f us  (less starting a process: %.1f us)\n", "djpeg, decoding alone", djpeg - startOnly,
                startOnly);
    return 0;
}
