"""Checks of the program's Linux desktop files: the desktop entry and the
AppStream metainfo say what we mean, the hicolor icons are the icon file's own
images, and an installation holds exactly the program's files.

    desktop_files.py entry DESKTOP_FILE
    desktop_files.py metainfo METAINFO_FILE
    desktop_files.py hicolor-icons HICOLOR_DIR ICON_FILE
    desktop_files.py install-tree CMAKE BUILD_DIR PREFIX

Exit status 0 when everything holds, 1 otherwise.
"""

import configparser
import os
import re
import shutil
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import CheckFailed, Checks, run_command_line, read_icon_file, rgba_of_icon_bitmap, run  # noqa: E402

APP_ID = "example.yuvovip.AccountGetter"
NAME = "YUVOvip账号获取器"
DESCRIPTION = "这个是我自己的会员账号哦！为了大家的方便，请不要修改密码！"
DEVELOPER = "YUVOvip 工作室"
VERSION = "1.0.0.0"
COMMAND = "yuvovip"
SCREENSHOT = "https://www.yuvovip.example/screenshot.png"
ICON_SIZES = [16, 32, 48, 64, 96]

ENTRY = {
    "Type": "Application",
    "Name": NAME,
    "Comment": DESCRIPTION,
    "Icon": APP_ID,
    "Exec": COMMAND,
    "Terminal": "false",
    "Categories": "Utility;",
}

INSTALLED = sorted([
    f"bin/{COMMAND}",
    f"share/applications/{APP_ID}.desktop",
    f"share/metainfo/{APP_ID}.metainfo.xml",
] + [f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png" for size in ICON_SIZES])


def entry(args):
    checks = Checks("desktop entry")
    checks.equal("file name", os.path.basename(args.desktop_file), f"{APP_ID}.desktop")
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    with open(args.desktop_file, encoding="utf-8") as f:
        parser.read_file(f)
    checks.equal("groups", parser.sections(), ["Desktop Entry"])
    if parser.has_section("Desktop Entry"):
        checks.equal("keys and values", dict(parser["Desktop Entry"]), ENTRY)
    checks.done()


def text_of(root, path):
    element = root.find(path)
    return None if element is None else (element.text or "").strip()


def metainfo(args):
    checks = Checks("metainfo")
    checks.equal("file name", os.path.basename(args.metainfo_file), f"{APP_ID}.metainfo.xml")
    root = ET.parse(args.metainfo_file).getroot()
    checks.equal("component", (root.tag, root.get("type")), ("component", "desktop-application"))
    for path, expected in [
        ("id", APP_ID),
        ("name", NAME),
        ("summary", DESCRIPTION),
        ("description/p", DESCRIPTION),
        ("metadata_license", "CC0-1.0"),
        ("project_license", "LicenseRef-proprietary"),
        ("developer_name", DEVELOPER),
        ("provides/binary", COMMAND),
        ("screenshots/screenshot/image", SCREENSHOT),
    ]:
        checks.equal(path, text_of(root, path), expected)
    launchable = root.find("launchable")
    checks.equal("launchable (type, desktop id)",
                 None if launchable is None else (launchable.get("type"), launchable.text),
                 ("desktop-id", f"{APP_ID}.desktop"))
    checks.equal("default screenshot", len(root.findall("screenshots/screenshot[@type='default']")), 1)
    releases = [(r.get("version"), r.get("date")) for r in root.findall("releases/release")]
    checks.equal("release versions", [version for version, _ in releases], [VERSION])
    checks.true(f"release dates are YYYY-MM-DD: {releases}",
                all(date and re.fullmatch(r"\d{4}-\d{2}-\d{2}", date) for _, date in releases))
    rating = root.find("content_rating")
    checks.equal("content rating", None if rating is None else rating.get("type"), "oars-1.1")
    checks.done()


# ---------------------------------------------------------------------- PNG

def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def read_png(path):
    """(width, height, RGBA rows top first) of an 8-bit RGBA PNG; checks the
    chunk CRCs on the way."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise CheckFailed(f"{path}: no PNG signature")
    at, chunks = 8, []
    while at < len(data):
        (length,) = struct.unpack_from(">I", data, at)
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        (crc,) = struct.unpack_from(">I", data, at + 8 + length)
        if zlib.crc32(kind + body) != crc:
            raise CheckFailed(f"{path}: bad CRC in the {kind!r} chunk")
        chunks.append((kind, body))
        at += 12 + length
    if chunks[0][0] != b"IHDR" or chunks[-1][0] != b"IEND":
        raise CheckFailed(f"{path}: chunks out of order")
    width, height, depth, colour, compression, filtering, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (depth, colour, compression, filtering, interlace) != (8, 6, 0, 0, 0):
        raise CheckFailed(f"{path}: not 8-bit non-interlaced RGBA")
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    stride = width * 4
    if len(raw) != height * (stride + 1):
        raise CheckFailed(f"{path}: image data of {len(raw)} bytes for {width}x{height}")
    rows, previous = [], bytes(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - 4] if x >= 4 else 0
            up, up_left = previous[x], previous[x - 4] if x >= 4 else 0
            predictor = [0, left, up, (left + up) // 2, paeth(left, up, up_left)][kind]
            line[x] = (line[x] + predictor) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, b"".join(rows)


def hicolor_icons(args):
    checks = Checks("hicolor icons")
    images = {image["width"]: image["bytes"] for image in read_icon_file(args.icon_file, 1)}
    found = sorted(os.path.relpath(os.path.join(folder, name), args.hicolor_dir)
                   for folder, _, names in os.walk(args.hicolor_dir) for name in names)
    checks.equal("icon files", found, [f"{size}x{size}/apps/{APP_ID}.png" for size in ICON_SIZES])
    for size in ICON_SIZES:
        path = os.path.join(args.hicolor_dir, f"{size}x{size}", "apps", f"{APP_ID}.png")
        if not checks.true(f"{path} exists", os.path.exists(path)):
            continue
        width, height, rgba = read_png(path)
        checks.equal(f"{size}x{size}: PNG size", (width, height), (size, size))
        expected = rgba_of_icon_bitmap(images[size])
        checks.true(f"{size}x{size}: pixels (RGBA, straight alpha) are the icon file's", (width, height, rgba) == expected)
    checks.done()


def install_tree(args):
    checks = Checks("installation")
    shutil.rmtree(args.prefix, ignore_errors=True)
    run([args.cmake, "--install", args.build_dir, "--prefix", args.prefix])
    found = sorted(os.path.relpath(os.path.join(folder, name), args.prefix)
                   for folder, _, names in os.walk(args.prefix) for name in names)
    checks.equal("installed files", found, INSTALLED)
    program = os.path.join(args.prefix, "bin", COMMAND)
    checks.true(f"{program} is executable", os.access(program, os.X_OK))
    checks.done()


if __name__ == "__main__":
    run_command_line(__doc__, [
        ("entry", entry, ["desktop_file"]),
        ("metainfo", metainfo, ["metainfo_file"]),
        ("hicolor-icons", hicolor_icons, ["hicolor_dir", "icon_file"]),
        ("install-tree", install_tree, ["cmake", "build_dir", "prefix"]),
    ])
