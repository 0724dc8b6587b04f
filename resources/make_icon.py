#!/usr/bin/env python3
# Draws the YUVOvip application icon -- a golden star medallion above a golden
# "VIP" caption on a red rounded square -- and writes resources/yuvovip.ico
# with 16, 32, 48, 64 and 96 pixel images (32-bit colour plus 1-bit mask).
#
# Run from the project root:   python3 resources/make_icon.py
# Optional PNG previews:       python3 resources/make_icon.py --preview /tmp/icon-preview
#
# Standard library only; the output is identical on every run.

import argparse
import math
import os
import struct
import zlib

ICON_SIZES = (16, 32, 48, 64, 96)
EXPECTED_IMAGE_BYTES = {16: 1128, 32: 4264, 48: 9640, 64: 16936, 96: 38056}
EXPECTED_FILE_BYTES = 70110
SAMPLES_PER_AXIS = 8  # 8 x 8 samples per pixel for antialiasing
SCRIPT_DIRECTORY = os.path.dirname(os.path.abspath(__file__))
OUTPUT_PATH = os.path.join(SCRIPT_DIRECTORY, "yuvovip.ico")


# ---------------------------------------------------------------------------
# Shapes. Coordinates are in a unit square (0..1), y pointing down. Every
# shape reports a signed distance (negative inside), which lets a layer grow
# a shape outwards to draw an outline behind it.
# ---------------------------------------------------------------------------

class Circle:
    def __init__(self, center_x, center_y, radius):
        self.center_x = center_x
        self.center_y = center_y
        self.radius = radius
        self.bounds = (center_x - radius, center_y - radius,
                       center_x + radius, center_y + radius)

    def distance(self, x, y):
        return math.hypot(x - self.center_x, y - self.center_y) - self.radius


class RoundedRectangle:
    def __init__(self, left, top, right, bottom, corner_radius):
        self.center_x = (left + right) / 2
        self.center_y = (top + bottom) / 2
        self.half_width = (right - left) / 2
        self.half_height = (bottom - top) / 2
        self.corner_radius = corner_radius
        self.bounds = (left, top, right, bottom)

    def distance(self, x, y):
        offset_x = abs(x - self.center_x) - self.half_width + self.corner_radius
        offset_y = abs(y - self.center_y) - self.half_height + self.corner_radius
        outside = math.hypot(max(offset_x, 0.0), max(offset_y, 0.0))
        inside = min(max(offset_x, offset_y), 0.0)
        return outside + inside - self.corner_radius


class Polygon:
    """One or more closed contours filled with the even-odd rule."""

    def __init__(self, *contours):
        self.edges = []
        for contour in contours:
            for index, start in enumerate(contour):
                end = contour[(index + 1) % len(contour)]
                self.edges.append((start[0], start[1], end[0], end[1]))
        all_points = [point for contour in contours for point in contour]
        self.bounds = (min(p[0] for p in all_points), min(p[1] for p in all_points),
                       max(p[0] for p in all_points), max(p[1] for p in all_points))

    def distance(self, x, y):
        nearest_squared = float("inf")
        inside = False
        for start_x, start_y, end_x, end_y in self.edges:
            edge_x = end_x - start_x
            edge_y = end_y - start_y
            length_squared = edge_x * edge_x + edge_y * edge_y
            along = ((x - start_x) * edge_x + (y - start_y) * edge_y) / length_squared
            along = min(max(along, 0.0), 1.0)
            delta_x = x - (start_x + along * edge_x)
            delta_y = y - (start_y + along * edge_y)
            nearest_squared = min(nearest_squared, delta_x * delta_x + delta_y * delta_y)
            if (start_y > y) != (end_y > y):
                crossing_x = start_x + (y - start_y) * edge_x / edge_y
                if x < crossing_x:
                    inside = not inside
        nearest = math.sqrt(nearest_squared)
        return -nearest if inside else nearest


class Difference:
    """The part of one shape that lies outside another."""

    def __init__(self, kept_shape, removed_shape):
        self.kept_shape = kept_shape
        self.removed_shape = removed_shape
        self.bounds = kept_shape.bounds

    def distance(self, x, y):
        return max(self.kept_shape.distance(x, y), -self.removed_shape.distance(x, y))


def transformed(points, scale, offset_x, offset_y):
    return [(offset_x + px * scale, offset_y + py * scale) for px, py in points]


def star_points(center_x, center_y, outer_radius, inner_radius, point_count=5):
    points = []
    for index in range(point_count * 2):
        angle = -math.pi / 2 + index * math.pi / point_count
        radius = outer_radius if index % 2 == 0 else inner_radius
        points.append((center_x + radius * math.cos(angle),
                       center_y + radius * math.sin(angle)))
    return points


# ---------------------------------------------------------------------------
# Paints: functions of (x, y) returning straight (red, green, blue, alpha)
# with every channel in 0..1.
# ---------------------------------------------------------------------------

def hex_colour(text, alpha=1.0):
    value = int(text.lstrip("#"), 16)
    return ((value >> 16 & 255) / 255, (value >> 8 & 255) / 255, (value & 255) / 255, alpha)


def solid(colour):
    return lambda x, y: colour


def linear_gradient(start, end, stops):
    """stops: list of (position 0..1, colour) sorted by position."""
    direction_x = end[0] - start[0]
    direction_y = end[1] - start[1]
    length_squared = direction_x * direction_x + direction_y * direction_y

    def paint(x, y):
        position = ((x - start[0]) * direction_x + (y - start[1]) * direction_y) / length_squared
        if position <= stops[0][0]:
            return stops[0][1]
        for (low_position, low_colour), (high_position, high_colour) in zip(stops, stops[1:]):
            if position <= high_position:
                mix = (position - low_position) / (high_position - low_position)
                return tuple(a + (b - a) * mix for a, b in zip(low_colour, high_colour))
        return stops[-1][1]

    return paint


class Layer:
    def __init__(self, shape, paint, grow=0.0, offset=(0.0, 0.0)):
        self.shape = shape
        self.paint = paint
        self.grow = grow
        self.offset_x, self.offset_y = offset
        left, top, right, bottom = shape.bounds
        self.bounds = (left - grow + self.offset_x, top - grow + self.offset_y,
                       right + grow + self.offset_x, bottom + grow + self.offset_y)

    def covers(self, x, y):
        left, top, right, bottom = self.bounds
        if x < left or x > right or y < top or y > bottom:
            return False
        return self.shape.distance(x - self.offset_x, y - self.offset_y) <= self.grow


# ---------------------------------------------------------------------------
# Artwork
# ---------------------------------------------------------------------------

RED_RIM = hex_colour("#7d0a12")
RED_TOP = hex_colour("#e8383a")
RED_BOTTOM = hex_colour("#b3121e")
GOLD_OUTLINE = hex_colour("#7a4a05")
GOLD_LIGHT = hex_colour("#fff0a0")
GOLD_MIDDLE = hex_colour("#f2c43a")
GOLD_DEEP = hex_colour("#c98a12")
CAPTION_SHADOW = hex_colour("#4a0006", 0.55)
STAR_LIGHT = hex_colour("#fffbe0")
HIGHLIGHT = hex_colour("#ffffff", 0.45)

# Blocky "VIP" letterforms on a grid one unit tall; x advances to the right.
LETTER_V = [(0.00, 0.0), (0.34, 0.0), (0.50, 0.58), (0.66, 0.0), (1.00, 0.0),
            (0.68, 1.0), (0.32, 1.0)]
LETTER_I = [(0.00, 0.0), (0.34, 0.0), (0.34, 1.0), (0.00, 1.0)]
LETTER_P_OUTER = [(0.00, 0.0), (0.64, 0.0), (0.84, 0.16), (0.84, 0.50), (0.64, 0.66),
                  (0.34, 0.66), (0.34, 1.0), (0.00, 1.0)]
LETTER_P_HOLE = [(0.34, 0.22), (0.54, 0.22), (0.54, 0.44), (0.34, 0.44)]
LETTER_GAP = 0.20
CAPTION_WIDTH_UNITS = 1.00 + LETTER_GAP + 0.34 + LETTER_GAP + 0.84


def caption_shapes(center_x, top, height):
    left = center_x - CAPTION_WIDTH_UNITS * height / 2
    shapes = []
    cursor = 0.0
    for contours, advance in (([LETTER_V], 1.00),
                              ([LETTER_I], 0.34),
                              ([LETTER_P_OUTER, LETTER_P_HOLE], 0.84)):
        placed = [transformed(contour, height, left + cursor * height, top) for contour in contours]
        shapes.append(Polygon(*placed))
        cursor += advance + LETTER_GAP
    return shapes


def build_scene(with_caption):
    """Layers from back to front. Small icons drop the caption and enlarge the medallion."""
    layers = []

    background_outer = RoundedRectangle(0.04, 0.04, 0.96, 0.96, 0.20)
    background_inner = RoundedRectangle(0.065, 0.065, 0.935, 0.935, 0.175)
    layers.append(Layer(background_outer, solid(RED_RIM)))
    layers.append(Layer(background_inner, linear_gradient(
        (0.5, 0.065), (0.5, 0.935), [(0.0, RED_TOP), (1.0, RED_BOTTOM)])))

    if with_caption:
        medallion_x, medallion_y, medallion_radius = 0.5, 0.37, 0.25
    else:
        medallion_x, medallion_y, medallion_radius = 0.5, 0.5, 0.36

    outline_width = medallion_radius * 0.12
    medallion = Circle(medallion_x, medallion_y, medallion_radius - outline_width)
    layers.append(Layer(medallion, solid(GOLD_OUTLINE), grow=outline_width))
    layers.append(Layer(medallion, linear_gradient(
        (medallion_x - medallion_radius, medallion_y - medallion_radius),
        (medallion_x + medallion_radius, medallion_y + medallion_radius),
        [(0.0, GOLD_MIDDLE), (0.35, GOLD_MIDDLE), (1.0, GOLD_DEEP)])))

    # Glossy crescent on the upper left of the medallion face.
    face_radius = medallion_radius - outline_width
    crescent = Difference(
        Circle(medallion_x, medallion_y, face_radius * 0.86),
        Circle(medallion_x + face_radius * 0.22, medallion_y + face_radius * 0.26, face_radius * 0.92))
    layers.append(Layer(crescent, solid(HIGHLIGHT)))

    star = Polygon(star_points(medallion_x, medallion_y + medallion_radius * 0.04,
                               medallion_radius * 0.62, medallion_radius * 0.28))
    layers.append(Layer(star, solid(GOLD_OUTLINE), grow=medallion_radius * 0.08))
    layers.append(Layer(star, linear_gradient(
        (medallion_x, medallion_y - medallion_radius * 0.6),
        (medallion_x, medallion_y + medallion_radius * 0.5),
        [(0.0, STAR_LIGHT), (1.0, GOLD_LIGHT)])))

    if with_caption:
        caption_top, caption_height = 0.675, 0.21
        letters = caption_shapes(0.5, caption_top, caption_height)
        caption_outline = caption_height * 0.09
        caption_paint = linear_gradient(
            (0.5, caption_top), (0.5, caption_top + caption_height),
            [(0.0, GOLD_LIGHT), (0.5, GOLD_MIDDLE), (1.0, GOLD_DEEP)])
        for letter in letters:
            layers.append(Layer(letter, solid(CAPTION_SHADOW), grow=caption_outline,
                                offset=(caption_height * 0.05, caption_height * 0.09)))
        for letter in letters:
            layers.append(Layer(letter, solid(GOLD_OUTLINE), grow=caption_outline))
        for letter in letters:
            layers.append(Layer(letter, caption_paint))

    return layers


# ---------------------------------------------------------------------------
# Rendering
# ---------------------------------------------------------------------------

def render(size):
    """Returns rows (top first) of straight-alpha (red, green, blue, alpha) bytes."""
    layers = build_scene(with_caption=size >= 24)
    sample_count = SAMPLES_PER_AXIS * SAMPLES_PER_AXIS
    offsets = [(index + 0.5) / SAMPLES_PER_AXIS for index in range(SAMPLES_PER_AXIS)]
    rows = []
    for row in range(size):
        pixels = []
        for column in range(size):
            total_red = total_green = total_blue = total_alpha = 0.0
            for offset_y in offsets:
                y = (row + offset_y) / size
                for offset_x in offsets:
                    x = (column + offset_x) / size
                    # Composite premultiplied so averaging the samples is exact.
                    red = green = blue = alpha = 0.0
                    for layer in layers:
                        if layer.covers(x, y):
                            paint_red, paint_green, paint_blue, paint_alpha = layer.paint(x, y)
                            keep = 1.0 - paint_alpha
                            red = paint_red * paint_alpha + red * keep
                            green = paint_green * paint_alpha + green * keep
                            blue = paint_blue * paint_alpha + blue * keep
                            alpha = paint_alpha + alpha * keep
                    total_red += red
                    total_green += green
                    total_blue += blue
                    total_alpha += alpha
            alpha = total_alpha / sample_count
            if alpha <= 0.0:
                pixels.append((0, 0, 0, 0))
                continue
            pixels.append((
                to_byte(total_red / total_alpha),
                to_byte(total_green / total_alpha),
                to_byte(total_blue / total_alpha),
                to_byte(alpha),
            ))
        rows.append(pixels)
    return rows


def to_byte(value):
    return max(0, min(255, int(value * 255 + 0.5)))


# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------

def icon_image_bytes(size, rows):
    """One icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, then the AND mask."""
    mask_row_bytes = ((size + 31) // 32) * 4
    colour_bytes = size * size * 4
    mask_bytes = mask_row_bytes * size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         colour_bytes + mask_bytes, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for pixels in reversed(rows):
        for red, green, blue, alpha in pixels:
            colour += bytes((blue, green, red, alpha))
        mask_row = bytearray(mask_row_bytes)
        for column, pixel in enumerate(pixels):
            if pixel[3] == 0:
                mask_row[column // 8] |= 0x80 >> (column % 8)
        mask += mask_row
    image = header + bytes(colour) + bytes(mask)
    assert len(image) == EXPECTED_IMAGE_BYTES[size], (size, len(image))
    return image


def icon_file_bytes(images):
    """images: list of (size, image bytes) in file order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    data = directory + entries + b"".join(image for _, image in images)
    assert len(data) == EXPECTED_FILE_BYTES, len(data)
    return data


def png_bytes(rows, zoom=1):
    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))

    height = len(rows) * zoom
    width = len(rows[0]) * zoom
    raw = bytearray()
    for pixels in rows:
        line = bytearray([0])
        for pixel in pixels:
            line += bytes(pixel) * zoom
        raw += bytes(line) * zoom
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description="Draw the YUVOvip application icon.")
    parser.add_argument("--preview", metavar="DIR",
                        help="also write PNG previews of every size (actual and enlarged) to DIR")
    arguments = parser.parse_args()

    images = []
    for size in ICON_SIZES:
        rows = render(size)
        images.append((size, icon_image_bytes(size, rows)))
        if arguments.preview:
            os.makedirs(arguments.preview, exist_ok=True)
            with open(os.path.join(arguments.preview, "icon-%d.png" % size), "wb") as preview:
                preview.write(png_bytes(rows))
            with open(os.path.join(arguments.preview, "icon-%d-zoom.png" % size), "wb") as preview:
                preview.write(png_bytes(rows, zoom=max(1, 384 // size)))

    with open(OUTPUT_PATH, "wb") as output:
        output.write(icon_file_bytes(images))
    print("wrote %s (%d bytes)" % (OUTPUT_PATH, EXPECTED_FILE_BYTES))


if __name__ == "__main__":
    main()
