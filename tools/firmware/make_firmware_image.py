#!/usr/bin/env python3
"""Writes a synthetic raw flash image for a Strobix unit (STM32F4, loaded at 0x08000000).

Development builds and the tests embed this instead of a real firmware: it has the
layout the upgrade tool looks at (vector table, firmware information block) and code
and data after it that look like a compiled program. The same arguments always give
the same bytes, so the build is reproducible and the tests can regenerate the image.
"""

import argparse
import struct
import sys

FLASH_BASE = 0x08000000
FLASH_SIZE = 1024 * 1024
STACK_TOP = 0x20020000  # end of SRAM1 + SRAM2

SYSTEM_VECTORS = 16
IRQ_VECTORS = 91
VECTOR_TABLE_SIZE = 4 * (SYSTEM_VECTORS + IRQ_VECTORS)  # 0x1AC, where the block starts
RESERVED_VECTORS = (7, 8, 9, 10, 13)

BEGIN_MARKER = bytes.fromhex("12472301")
END_MARKER = bytes.fromhex("13472301")
TEXT_FIELD = 32

MIN_SIZE = 1024  # vector table, information block and a little code for the handlers

# Interrupts a flash unit plausibly serves itself (timers, ADC, UARTs, EXTI, USB);
# every other vector points at the default handler, as a linker script leaves them.
USED_IRQS = (6, 7, 8, 9, 10, 18, 23, 25, 28, 29, 37, 38, 40, 50, 54, 56, 67)

STRINGS = (
    "Strobix", "TTL", "HSS", "Manual", "Multi", "Stroboscopic", "Master", "Slave",
    "Group %c", "Channel %u", "Power 1/%u", "Zoom %u mm", "Ready", "Charging",
    "Low battery", "Battery %u%%", "Overheat: cooling down", "Modelling light",
    "Sync: first curtain", "Sync: second curtain", "RMI link up", "RMI link lost",
    "Bootloader", "Firmware update", "Checksum error", "Flash tube fault",
    "Capacitor voltage %u V", "Settings restored", "Beep on", "Beep off",
)

# Sixteen-bit Thumb encodings as (fixed bits, bits left to chance): mov/cmp/add/sub
# with immediates, loads and stores, register moves, shifts.
THUMB_FORMS = (
    (0x2000, 0x07FF), (0x2800, 0x07FF), (0x3000, 0x07FF), (0x3800, 0x07FF),
    (0x6800, 0x07FF), (0x6000, 0x07FF), (0x7800, 0x07FF), (0x7000, 0x07FF),
    (0x4800, 0x07FF), (0x4600, 0x00FF), (0x0000, 0x07FF), (0x1800, 0x01FF),
    (0x4000, 0x003F), (0x4200, 0x003F), (0xBF00, 0x0000),
)
PUSH_LISTS = (0x10, 0x30, 0x38, 0x70, 0xF0, 0xF8)
PERIPHERALS = (0x40000000, 0x40000400, 0x40004400, 0x40010000, 0x40012000,
               0x40013000, 0x40020000, 0x40020400, 0x40023800, 0x40023C00, 0xE000ED00)


class Stream:
    """splitmix64: tiny, and unlike the random module its output is ours to keep stable."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n

    def pick(self, items):
        return items[self.below(len(items))]


def text_field(value):
    encoded = value.encode("utf-8")
    if len(encoded) >= TEXT_FIELD:
        raise argparse.ArgumentTypeError(
            "'%s' is %d bytes in UTF-8, at most %d fit" % (value, len(encoded), TEXT_FIELD - 1))
    if any(ord(c) < 0x20 for c in value):
        raise argparse.ArgumentTypeError("'%s' contains control characters" % value)
    return value


def ranged_int(low, high):
    def parse(text):
        try:
            number = int(text)
        except ValueError:
            raise argparse.ArgumentTypeError("'%s' is not a number" % text)
        if not low <= number <= high:
            raise argparse.ArgumentTypeError("%d is outside %d..%d" % (number, low, high))
        return number
    return parse


def parse_arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--name", type=text_field, required=True, help="product name")
    parser.add_argument("--type", type=ranged_int(0, 255), required=True,
                        help="product type byte (0..255)")
    parser.add_argument("--revision", type=text_field, required=True, help="firmware revision")
    parser.add_argument("--size", type=ranged_int(MIN_SIZE, FLASH_SIZE), required=True,
                        help="image size in bytes (%d..%d)" % (MIN_SIZE, FLASH_SIZE))
    parser.add_argument("--output", required=True, help="file to write")
    parser.add_argument("--build-time", type=text_field, default="2026-11-27 14:03:51")
    parser.add_argument("--rmi-rev", type=text_field, default="4.2",
                        help="revision of the radio (RMI) protocol")
    parser.add_argument("--git-rev", type=text_field, default="a3f9c1e")
    parser.add_argument("--seed", type=ranged_int(0, 2**64 - 1), default=0x5742,
                        help="seed of the code and data after the header")
    return parser.parse_args(argv)


def information_block(args):
    def field(text):
        return text.encode("utf-8").ljust(TEXT_FIELD, b"\0")

    details = (("Build time", args.build_time), ("RMI rev", args.rmi_rev),
               ("GIT rev", args.git_rev))
    block = BEGIN_MARKER + bytes([args.type, 0xFF, 0xFF, 0xFF])
    block += field(args.name) + field(args.revision)
    for key, value in details:
        block += field(key) + field(value)
    return block + END_MARKER


def function(stream, address_pool):
    """One function: prologue, a body of plausible instructions, epilogue, literal pool."""
    code = bytearray()

    def half(value):
        code.extend(struct.pack("<H", value))

    leaf = stream.below(4) == 0
    registers = stream.pick(PUSH_LISTS)
    if not leaf:
        half(0xB500 | registers)
    for _ in range(2 + stream.below(60)):
        kind = stream.below(16)
        if kind == 0:  # bl: the pair a call compiles to
            half(0xF000 | stream.below(0x800))
            half(0xF800 | stream.below(0x800))
        elif kind == 1:  # conditional branch
            half(0xD000 | stream.below(14) << 8 | stream.below(0x100))
        else:
            fixed, free = stream.pick(THUMB_FORMS)
            half(fixed | (stream.next() & free))
    half(0x4770 if leaf else 0xBD00 | registers)
    if len(code) % 4:
        half(0xBF00)
    for _ in range(stream.below(4)):
        code.extend(struct.pack("<I", stream.pick(address_pool)(stream)))
    return code


def code_section(stream, start, end):
    """Functions from start up to about end; returns the bytes and where each function begins."""
    address_pool = (
        lambda s: s.pick(PERIPHERALS) + 4 * s.below(64),
        lambda s: 0x20000000 + 4 * s.below(0x8000),
        lambda s: FLASH_BASE + start + 2 * s.below((end - start) // 2) | 1,
    )
    # The default handler comes first: a branch to itself, as the startup code has it.
    code = bytearray(struct.pack("<HH", 0xE7FE, 0xBF00))
    starts = [start]
    while start + len(code) < end:
        starts.append(start + len(code))
        code += function(stream, address_pool)
    return code, starts


def string_table(room):
    table = bytearray()
    for text in STRINGS:
        entry = text.encode("ascii") + b"\0"
        entry += b"\0" * (-len(entry) % 4)
        if len(table) + len(entry) > room:
            break
        table += entry
    return table


def vector_table(stream, handlers):
    """handlers: image offsets of functions, the default handler first, then reset."""
    def thumb(offset):
        return FLASH_BASE + offset | 1

    default, reset = handlers[0], handlers[1]
    others = handlers[2:] or [reset]
    vectors = [STACK_TOP, thumb(reset)]
    for slot in range(2, SYSTEM_VECTORS):
        vectors.append(0 if slot in RESERVED_VECTORS else thumb(stream.pick(others)))
    for irq in range(IRQ_VECTORS):
        vectors.append(thumb(stream.pick(others) if irq in USED_IRQS else default))
    return struct.pack("<%dI" % len(vectors), *vectors)


def scrub_markers(image, allowed):
    """Breaks every accidental marker in the filler: the tool finds the block by its markers."""
    for marker in (BEGIN_MARKER, END_MARKER):
        at = image.find(marker)
        while at != -1:
            if at not in allowed:
                image[at + 3] = 0x00  # in neither marker, so this cannot make a new one
            at = image.find(marker, at + 1)
    for marker, offset in zip((BEGIN_MARKER, END_MARKER), allowed):
        if image.count(marker) != 1 or image.find(marker) != offset:
            raise RuntimeError("marker %s not only at offset %d" % (marker.hex(), offset))


def build_image(args):
    stream = Stream(args.seed)
    block = information_block(args)
    header_end = VECTOR_TABLE_SIZE + len(block)
    filler_room = args.size - header_end
    code, handlers = code_section(stream, header_end, header_end + filler_room * 4 // 5)
    code = code[:filler_room]
    handlers = [start for start in handlers if start < header_end + len(code)]
    strings = string_table(filler_room - len(code))
    data = bytearray()
    while len(code) + len(strings) + len(data) < filler_room:
        data += struct.pack("<Q", stream.next())
    filler = (code + strings + data)[:filler_room]

    image = bytearray(vector_table(stream, handlers) + block + filler)
    scrub_markers(image, (VECTOR_TABLE_SIZE, header_end - len(END_MARKER)))
    return bytes(image)


def main(argv):
    args = parse_arguments(argv)
    image = build_image(args)
    with open(args.output, "wb") as out:
        out.write(image)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
