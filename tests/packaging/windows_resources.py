"""Checks of the program's Windows resources, compiled and linked with the
MinGW-w64 binutils and read back with icoutils' wrestool; the version resource
is decoded by the reader below, written from the format alone.

    windows_resources.py link RESOURCE_DIR PE_FILE PREPROCESSOR
        compiles RESOURCE_DIR/yuvovip.rc and links a resource-only DLL
    windows_resources.py listing PE_FILE
    windows_resources.py version PE_FILE
    windows_resources.py icon-group PE_FILE ICON_FILE
    windows_resources.py pointer-group PE_FILE CURSOR_FILE

Exit status 0 when everything holds, 1 otherwise; a missing tool fails.
"""

import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import CheckFailed, Checks, bitmap_header, run_command_line, read_icon_file, run  # noqa: E402

WINDRES = "x86_64-w64-mingw32-windres"
LD = "x86_64-w64-mingw32-ld"

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION = 1, 3, 12, 14, 16
CHINESE_PRC, NEUTRAL = 2052, 0

# Every resource of the file: type, name, language, size in bytes.
LISTING = [
    (RT_CURSOR, "8", CHINESE_PRC, 308),
    (RT_ICON, "3", NEUTRAL, 1128),
    (RT_ICON, "4", NEUTRAL, 4264),
    (RT_ICON, "5", NEUTRAL, 9640),
    (RT_ICON, "6", NEUTRAL, 16936),
    (RT_ICON, "7", NEUTRAL, 38056),
    (RT_GROUP_CURSOR, "1032", CHINESE_PRC, 20),
    (RT_GROUP_ICON, "DEFAULT_ICON", NEUTRAL, 76),
    (RT_VERSION, "1", CHINESE_PRC, 660),
]

# VS_FIXEDFILEINFO, field by field.
FIXED_FILE_INFO = [
    ("dwSignature", 0xFEEF04BD),
    ("dwStrucVersion", 0),
    ("dwFileVersionMS", 0x00010000),
    ("dwFileVersionLS", 0x00000000),
    ("dwProductVersionMS", 0x00010000),
    ("dwProductVersionLS", 0x00000000),
    ("dwFileFlagsMask", 0),
    ("dwFileFlags", 0),
    ("dwFileOS", 4),  # VOS__WINDOWS32
    ("dwFileType", 1),  # VFT_APP
    ("dwFileSubtype", 0),
    ("dwFileDateMS", 0),
    ("dwFileDateLS", 0),
]

STRING_TABLE = "080404B0"
STRINGS = [
    ("FileVersion", "1.0.0.0"),
    ("FileDescription", "这个是我自己的会员账号哦！为了大家的方便，请不要修改密码！"),
    ("ProductName", "YUVOvip账号获取器"),
    ("ProductVersion", "1.0.0.0"),
    ("CompanyName", "YUVOvip 工作室"),
    ("LegalCopyright", "© 2026 YUVOvip 工作室"),
    ("Comments", "YUVOvip 工作室"),
]
TRANSLATION = (0x0804, 0x04B0)

ICON_GROUP_NAME = "DEFAULT_ICON"
# The icon group's images: width (= height), bytes in the resource, id.
ICON_IMAGES = [
    (16, 1128, 3),
    (32, 4264, 4),
    (48, 9640, 5),
    (64, 16936, 6),
    (96, 38056, 7),
]

POINTER_GROUP = 1032
# The pointer group's one image: width, height (colour and mask rows), planes,
# bits per pixel, bytes in the resource (hot spot included), id.
POINTER_IMAGE = (32, 64, 1, 1, 308, 8)


def extract(pe_file, kind, name, language):
    data = run(["wrestool", "-x", "--raw", f"--type={kind}", f"--name={name}", f"--language={language}", pe_file])
    if not data:
        raise CheckFailed(f"{pe_file} has no resource of type {kind}, name {name}, language {language}")
    return data


# -------------------------------------------------------------------- link

def link(args):
    rc = os.path.join(args.resource_dir, "yuvovip.rc")
    base = os.path.splitext(args.pe_file)[0]
    os.makedirs(os.path.dirname(os.path.abspath(args.pe_file)), exist_ok=True)
    run([WINDRES, f"--preprocessor={args.preprocessor}", "--preprocessor-arg=-E",
         "--preprocessor-arg=-xc", "--preprocessor-arg=-DRC_INVOKED", "-I", args.resource_dir,
         "-i", rc, "-O", "coff", "-o", base + ".o"], cwd=args.resource_dir)
    # A DLL without code: the entry point is address 0.
    run([LD, "--dll", "--subsystem", "windows", "-e", "0", "--no-insert-timestamp",
         "-o", args.pe_file, base + ".o"])
    print(f"linked {args.pe_file}")


# ----------------------------------------------------------------- listing

LISTING_LINE = re.compile(r"--type=(\d+) --name=(?:'([^']*)'|(\S+)) --language=(\d+) \[.* size=(\d+)\]")


def listing(args):
    checks = Checks("resource listing")
    seen = []
    for line in run(["wrestool", "-l", args.pe_file]).decode().splitlines():
        match = LISTING_LINE.fullmatch(line.strip())
        if not checks.true(f"listing line not understood: {line!r}", match):
            continue
        kind, quoted, plain, language, size = match.groups()
        seen.append((int(kind), quoted if quoted is not None else plain, int(language), int(size)))
    checks.equal("resources (type, name, language, size)", sorted(seen, key=str), sorted(LISTING, key=str))
    checks.done()


# ----------------------------------------------------------------- version

class Block:
    """One block of a version resource, as the format lays it out: wLength,
    wValueLength, wType, szKey, padding to 32 bits, Value, padding, Children."""

    def __init__(self, data, at, limit, checks, path):
        if at % 4 != 0 or at + 6 > limit:
            raise CheckFailed(f"{path}: block at {at} is misplaced")
        self.at = at
        self.length, self.value_length, self.type = struct.unpack_from("<HHH", data, at)
        self.end = at + self.length
        if self.length < 6 or self.end > limit:
            raise CheckFailed(f"{path}: wLength {self.length} at {at} runs past its parent (ends {limit})")
        end_of_key = at + 6
        while data[end_of_key:end_of_key + 2] != b"\0\0":
            end_of_key += 2
            if end_of_key + 2 > self.end:
                raise CheckFailed(f"{path}: key at {at} is not terminated")
        self.key = data[at + 6:end_of_key].decode("utf-16-le")
        self.path = f"{path}/{self.key}"
        self.value_at = align(end_of_key + 2)
        checks.equal(f"{self.path}: padding after the key", data[end_of_key + 2:self.value_at],
                     bytes(self.value_at - end_of_key - 2))

    def children(self, data, first, checks):
        """The child blocks from offset first on; they must fill the block to
        its last byte, each starting on a 32-bit boundary after zero padding."""
        found = []
        at = first
        while at < self.end:
            start = align(at)
            checks.equal(f"{self.path}: padding before a child", data[at:start], bytes(start - at))
            child = Block(data, start, self.end, checks, self.path)
            found.append(child)
            at = child.end
        checks.equal(f"{self.path}: wLength ends with its last child", at, self.end)
        return found


def align(offset):
    return (offset + 3) & ~3


def version(args):
    checks = Checks("version resource")
    data = extract(args.pe_file, RT_VERSION, 1, CHINESE_PRC)

    root = Block(data, 0, len(data), checks, "")
    checks.equal("root key", root.key, "VS_VERSION_INFO")
    checks.equal("root wLength is the resource's size", root.length, len(data))
    checks.equal("root wType", root.type, 0)
    checks.equal("root wValueLength (sizeof VS_FIXEDFILEINFO)", root.value_length, 52)
    fields = struct.unpack_from("<13I", data, root.value_at)
    for (name, expected), seen in zip(FIXED_FILE_INFO, fields):
        checks.equal(f"VS_FIXEDFILEINFO.{name}", hex(seen), hex(expected))

    children = root.children(data, root.value_at + 52, checks)
    checks.equal("root children", [c.key for c in children], ["StringFileInfo", "VarFileInfo"])
    by_key = {c.key: c for c in children}

    if "StringFileInfo" in by_key:
        info = by_key["StringFileInfo"]
        checks.equal("StringFileInfo wType", info.type, 1)
        checks.equal("StringFileInfo wValueLength", info.value_length, 0)
        tables = info.children(data, info.value_at, checks)
        checks.equal("string tables", [t.key for t in tables], [STRING_TABLE])
        for table in tables:
            checks.equal(f"{table.path} wType", table.type, 1)
            checks.equal(f"{table.path} wValueLength", table.value_length, 0)
            seen_strings = []
            for string in table.children(data, table.value_at, checks):
                checks.equal(f"{string.path} wType", string.type, 1)
                value_end = string.value_at + 2 * string.value_length
                checks.equal(f"{string.path}: the value (wValueLength {string.value_length} UTF-16 units, "
                             f"terminator included) ends the block", value_end, string.end)
                value = data[string.value_at:value_end].decode("utf-16-le")
                checks.true(f"{string.path}: the value ends with one terminating zero",
                            value.endswith("\0") and "\0" not in value[:-1])
                seen_strings.append((string.key, value.rstrip("\0")))
            checks.equal("the strings, in order", seen_strings, STRINGS)

    if "VarFileInfo" in by_key:
        var_info = by_key["VarFileInfo"]
        checks.equal("VarFileInfo wType", var_info.type, 1)
        checks.equal("VarFileInfo wValueLength", var_info.value_length, 0)
        variables = var_info.children(data, var_info.value_at, checks)
        checks.equal("variables", [v.key for v in variables], ["Translation"])
        for variable in variables:
            checks.equal("Translation wType", variable.type, 0)
            checks.equal("Translation wValueLength", variable.value_length, 4)
            checks.equal("Translation ends the block", variable.value_at + 4, variable.end)
            checks.equal("Translation (language, code page)",
                         tuple(hex(v) for v in struct.unpack_from("<HH", data, variable.value_at)),
                         tuple(hex(v) for v in TRANSLATION))
    checks.done()


# -------------------------------------------------------------- icon group

def icon_group(args):
    checks = Checks("icon group")
    group = extract(args.pe_file, RT_GROUP_ICON, ICON_GROUP_NAME, NEUTRAL)
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    checks.equal("GRPICONDIR (reserved, type, count)", (reserved, kind, count), (0, 1, len(ICON_IMAGES)))
    checks.equal("group size", len(group), 6 + 14 * count)
    file_images = {image["width"]: image["bytes"] for image in read_icon_file(args.icon_file, 1)}

    for i, (width, size, icon_id) in enumerate(ICON_IMAGES):
        if 6 + 14 * (i + 1) > len(group):
            checks.true(f"entry {i} is missing", False)
            continue
        entry = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        checks.equal(f"entry {i} (width, height, colours, reserved, planes, bits, bytes, id)",
                     entry, (width, width, 0, 0, 1, 32, size, icon_id))
        image = extract(args.pe_file, RT_ICON, icon_id, NEUTRAL)
        checks.equal(f"icon {icon_id}: size", len(image), size)
        checks.true(f"icon {icon_id}: the bytes of the {width}-pixel image of the icon file",
                    image == file_images.get(width))
        _, bitmap_width, bitmap_height, planes, bits, _ = bitmap_header(image)
        checks.equal(f"icon {icon_id}: bitmap (width, height of colour and mask, planes, bits)",
                     (bitmap_width, bitmap_height, planes, bits), (width, 2 * width, 1, 32))
    checks.done()


# ----------------------------------------------------------- pointer group

def pointer_group(args):
    checks = Checks("pointer group")
    group = extract(args.pe_file, RT_GROUP_CURSOR, POINTER_GROUP, CHINESE_PRC)
    checks.equal("group size", len(group), 6 + 14)
    checks.equal("CURSORDIR (reserved, type, count)", struct.unpack_from("<HHH", group, 0), (0, 2, 1))
    entry = struct.unpack_from("<HHHHIH", group, 6)
    checks.equal("entry (width, height, planes, bits, bytes, id)", entry, POINTER_IMAGE)

    (file_image,) = read_icon_file(args.cursor_file, 2)
    image = extract(args.pe_file, RT_CURSOR, POINTER_IMAGE[-1], CHINESE_PRC)
    checks.equal("image size", len(image), POINTER_IMAGE[4])
    checks.equal("hot spot", struct.unpack_from("<HH", image, 0), (file_image["word1"], file_image["word2"]))
    checks.true("the image is the cursor file's", image[4:] == file_image["bytes"])
    checks.done()


if __name__ == "__main__":
    run_command_line(__doc__, [
        ("link", link, ["resource_dir", "pe_file", "preprocessor"]),
        ("listing", listing, ["pe_file"]),
        ("version", version, ["pe_file"]),
        ("icon-group", icon_group, ["pe_file", "icon_file"]),
        ("pointer-group", pointer_group, ["pe_file", "cursor_file"]),
    ])
