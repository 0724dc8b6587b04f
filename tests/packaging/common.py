"""What the packaging checks share: a list of findings, running tools, and a
reader of icon files written from the format, apart from the build tool."""

import argparse
import struct
import subprocess
import sys

# Where a missing tool comes from on Debian 12.
PACKAGE_OF_TOOL = {
    "x86_64-w64-mingw32-windres": "binutils-mingw-w64-x86-64",
    "x86_64-w64-mingw32-ld": "binutils-mingw-w64-x86-64",
    "wrestool": "icoutils",
    "desktop-file-validate": "desktop-file-utils",
    "appstreamcli": "appstream",
}


class CheckFailed(Exception):
    """A check cannot go on."""


class Checks:
    """Collects every finding of a check, then reports them all at once."""

    def __init__(self, name):
        self.name = name
        self.failures = []
        self.passed = 0

    def equal(self, what, seen, expected):
        if seen == expected:
            self.passed += 1
        else:
            self.failures.append(f"{what}: got {seen!r}, expected {expected!r}")
        return seen == expected

    def true(self, what, condition):
        if condition:
            self.passed += 1
        else:
            self.failures.append(what)
        return condition

    def done(self):
        for failure in self.failures:
            print(f"FAIL {failure}")
        if self.failures:
            print(f"{self.name}: {len(self.failures)} failed, {self.passed} passed")
            sys.exit(1)
        print(f"{self.name}: all {self.passed} passed")
        sys.exit(0)


def run(command, **kwargs):
    """Runs a tool and returns its standard output (bytes); a missing tool or a
    failing run ends the check."""
    try:
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kwargs)
    except FileNotFoundError:
        package = PACKAGE_OF_TOOL.get(command[0], "the package that provides it")
        raise CheckFailed(f"{command[0]} is not installed (Debian package {package})") from None
    if result.returncode != 0:
        raise CheckFailed(f"{' '.join(command)} exited with {result.returncode}:\n"
                          f"{result.stderr.decode(errors='replace')}{result.stdout.decode(errors='replace')}")
    return result.stdout


def run_command_line(description, table):
    """Runs the check that the command line names, from a table of (name, check,
    argument names); a CheckFailed becomes exit status 1."""
    parser = argparse.ArgumentParser(description=description, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    for name, check, arguments in table:
        command = commands.add_parser(name)
        for argument in arguments:
            command.add_argument(argument)
        command.set_defaults(run=check)
    arguments = parser.parse_args()
    try:
        arguments.run(arguments)
    except CheckFailed as failure:
        print(f"FAIL {failure}")
        sys.exit(1)


# ----------------------------------------------------------------- icon files

def read_icon_file(path, file_type):
    """The images of an icon (type 1) or cursor (type 2) file, in directory
    order: dicts with width, height, the two type-dependent WORD fields
    (planes/bit count or hot spot x/y), colour count and the image bytes."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != file_type or count == 0:
        raise CheckFailed(f"{path}: not a type-{file_type} icon file")
    images = []
    for i in range(count):
        width, height, colours, _, word1, word2, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if offset + size > len(data):
            raise CheckFailed(f"{path}: image {i} lies outside the file")
        images.append({
            "width": width or 256,
            "height": height or 256,
            "colours": colours,
            "word1": word1,
            "word2": word2,
            "bytes": data[offset:offset + size],
        })
    return images


def bitmap_header(image):
    """(header size, width, height, planes, bit count, compression) of an icon
    bitmap."""
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", image, 0)
    return size, width, height, planes, bits, compression


def rgba_of_icon_bitmap(image):
    """The pixels of a 32-bit icon bitmap as RGBA rows, top row first."""
    size, width, height, _, bits, compression = bitmap_header(image)
    if bits != 32 or compression != 0:
        raise CheckFailed("only uncompressed 32-bit icon images are compared")
    height //= 2
    pixels = image[size:size + width * height * 4]
    mask_stride = (width + 31) // 32 * 4
    mask = image[size + width * height * 4:]
    has_alpha = any(pixels[3::4])
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            b, g, r, a = pixels[(y * width + x) * 4:(y * width + x) * 4 + 4]
            if not has_alpha:
                a = 0 if mask[y * mask_stride + x // 8] >> (7 - x % 8) & 1 else 255
            row += bytes((r, g, b, a))
        rows.append(bytes(row))
    return width, height, b"".join(rows)
