#!/usr/bin/env bash
# Installs what the program needs on Debian 12, builds it, and starts it or runs
# every test.   scripts/dev.sh run | test | build | install
set -euo pipefail

cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

packages_to_build=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libglib2.0-dev libjpeg62-turbo-dev
                   fonts-noto-cjk)
packages_to_test=(googletest xvfb openbox xdotool x11-utils x11-xserver-utils wmctrl dbus at-spi2-core
                  python3 python3-pyatspi imagemagick libjpeg-turbo-progs clang libclang-rt-14-dev
                  binutils-mingw-w64-x86-64 icoutils desktop-file-utils appstream dpkg-dev file)

install() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local privileged=()
    [ "$(id -u)" -eq 0 ] || privileged=(sudo)
    "${privileged[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${privileged[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build_dir" --parallel "$(nproc)"
}

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# leaks included; the packaging checks read files, not memory, and run once.
sanitized_checks() {
    cmake -S . -B "$build_dir-sanitize" -DYUVOVIP_SANITIZE=ON -DYUVOVIP_WARNINGS_AS_ERRORS=ON
    cmake --build "$build_dir-sanitize" --parallel "$(nproc)"
    ASAN_OPTIONS=detect_leaks=1 ctest --test-dir "$build_dir-sanitize" --label-exclude packaging \
        --output-on-failure --timeout 300
}

# Each fuzz target for a bounded time, seeded with the committed inputs: the picture
# decoder a minute, the other parsers of outside bytes 45 seconds each.
fuzz() {
    CXX=clang++ cmake -S tests/fuzz -B "$build_dir-fuzz"
    cmake --build "$build_dir-fuzz" --parallel "$(nproc)"
    local target seeds seconds corpus
    for target in picture_decoder:picture:60 icon_file:icon:45 command_line:command:45 compare_text:compare:45 \
                  gbk:gbk:45; do
        IFS=: read -r target seeds seconds <<<"$target"
        corpus=$(mktemp -d)
        echo "fuzzing $target for $seconds s"
        "$build_dir-fuzz/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
            -print_final_stats=1 "$corpus" "tests/fuzz/seeds/$seeds" 2>&1 | tail -n 4
        rm -rf "$corpus"
    done
}

case "${1:-}" in
install)
    install "${packages_to_build[@]}" "${packages_to_test[@]}"
    ;;
build)
    install "${packages_to_build[@]}"
    build -DYUVOVIP_TESTS=OFF
    ;;
run)
    install "${packages_to_build[@]}"
    build -DYUVOVIP_TESTS=OFF
    exec "$build_dir/yuvovip"
    ;;
test)
    install "${packages_to_build[@]}" "${packages_to_test[@]}"
    sanitized_checks
    fuzz
    build -DYUVOVIP_TESTS=ON -DYUVOVIP_WARNINGS_AS_ERRORS=ON
    BUILD_DIR="$build_dir" scripts/package_checks.sh
    ctest --test-dir "$build_dir" --output-on-failure --timeout 300
    ;;
*)
    echo "usage: $0 run | test | build | install" >&2
    exit 2
    ;;
esac
