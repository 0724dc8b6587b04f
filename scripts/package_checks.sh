#!/usr/bin/env bash
# Builds the Debian package and checks it on this machine:
#   1. cpack -G DEB in the build folder; the package depends on what it should;
#   2. apt-get installs it; exactly the program's files are in place;
#   3. the end-to-end start-and-close case passes against the installed program;
#   4. apt-get removes and purges it; none of its files remain.
# Runs as root (CI) or through sudo. Safe to run again: a package left installed
# by an earlier run is purged first, and on failure the package is purged again.
#
#   BUILD_DIR=build scripts/package_checks.sh    (BUILD_DIR from the repository top)
set -euo pipefail

cd "$(dirname "$0")/.."
build_dir=$(cd "${BUILD_DIR:-build}" && pwd)

package=yuvovip
app_id=example.yuvovip.AccountGetter
program=/usr/bin/yuvovip
expected_files=(
    "$program"
    "/usr/share/applications/$app_id.desktop"
    "/usr/share/metainfo/$app_id.metainfo.xml"
)
for size in 16 32 48 64 96; do
    expected_files+=("/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
# Named in the package, and one found by dpkg-shlibdeps.
expected_depends=(fonts-noto-cjk qt6-qpa-plugins libqt6widgets6)

privileged=()
[ "$(id -u)" -eq 0 ] || privileged=(sudo)
apt_get() {
    "${privileged[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o Dpkg::Use-Pty=0 "$@"
}

is_installed() {
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q ' installed$'
}
is_known() {
    local status
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) || return 1
    [ "$status" != "unknown ok not-installed" ]
}

step() { printf '\n== package checks: %s\n' "$*"; }
fail() {
    echo "package checks FAILED: $*" >&2
    exit 1
}

finish() {
    local status=$?
    if [ "$status" -ne 0 ] && is_known; then
        echo "package checks: purging $package after the failure" >&2
        apt_get purge "$package" >/dev/null 2>&1 || true
    fi
}
trap finish EXIT

if is_known; then
    step "purging $package left by an earlier run"
    apt_get purge "$package"
fi

step "building the package in $build_dir"
rm -f "$build_dir/${package}"_*.deb
(cd "$build_dir" && cpack -G DEB)
shopt -s nullglob
debs=("$build_dir/${package}"_*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || fail "expected one ${package}_*.deb in $build_dir, found ${#debs[@]}"
deb_name=$(basename "${debs[0]}")
version=$(dpkg-deb --field "${debs[0]}" Version)
depends=$(dpkg-deb --field "${debs[0]}" Depends)
echo "$deb_name: Depends: $depends"
for dependency in "${expected_depends[@]}"; do
    grep -Eq "(^|, )$dependency( |,|$)" <<<"$depends" || fail "the package does not depend on $dependency"
done

step "installing $deb_name"
(cd "$build_dir" && apt_get install "./$deb_name")
is_installed || fail "$package is not installed after apt-get install"

step "checking the installed files"
mapfile -t listing < <(dpkg -L "$package")
owned_files=()
for path in "${listing[@]}"; do
    [ -d "$path" ] || owned_files+=("$path")
done
for file in "${expected_files[@]}"; do
    [ -f "$file" ] || fail "$file is missing"
done
[ -x "$program" ] || fail "$program is not executable"
unexpected=$(comm -13 <(printf '%s\n' "${expected_files[@]}" | sort) <(printf '%s\n' "${owned_files[@]}" | sort))
missing=$(comm -23 <(printf '%s\n' "${expected_files[@]}" | sort) <(printf '%s\n' "${owned_files[@]}" | sort))
[ -z "$unexpected" ] || fail "the package holds files it should not: $unexpected"
[ -z "$missing" ] || fail "the package does not list: $missing"
echo "all ${#expected_files[@]} files in place"

step "starting and closing the installed program"
PYTHONDONTWRITEBYTECODE=1 E2E_ARTIFACTS="$build_dir/e2e-artifacts/installed-escape-closes" \
    /usr/bin/python3 tests/e2e/test_main_window.py --program "$program" escape-closes ||
    fail "the installed program did not start and close"

step "removing $package"
apt_get remove "$package"
# Without conffiles dpkg may forget the package at once; purge what it still knows.
if is_known; then
    apt_get purge "$package"
fi
! is_known || fail "dpkg still knows $package after the purge"
leftovers=()
for path in "${owned_files[@]}"; do
    if [ -e "$path" ] || [ -L "$path" ]; then
        leftovers+=("$path")
    fi
done
[ ${#leftovers[@]} -eq 0 ] || fail "files left after removal: ${leftovers[*]}"
for path in "${listing[@]}"; do
    # A folder the package made may stay only if it still holds others' files.
    if [ -d "$path" ] && [ -z "$(ls -A "$path")" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        fail "empty folder left after removal: $path"
    fi
done

echo
echo "package checks passed: $deb_name ($package $version) built, installed with ${#owned_files[@]} files," \
     "started and closed, removed and purged without leftovers"
