#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from our own data files.

Each seed is a cut piece of resources/verses/*.txt or resources/holidays.txt (or a
reference or holiday taken from them) behind the small header its target reads. Run
from anywhere; it rewrites tests/fuzz/corpus/ and --check compares instead.
"""
import pathlib
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
CORPUS = ROOT / "tests" / "fuzz" / "corpus"
VERSES = ROOT / "resources" / "verses"
CALENDAR = ROOT / "resources" / "holidays.txt"

# Keeps every seed within the run's maximum input length.
MAX_PIECE = 4000


def collection(code):
    return (VERSES / f"verses_{code}.txt").read_bytes()


def head(data, size):
    """The first lines of `data` that fit in `size` bytes, cut after a line end."""
    piece = data[:size]
    return piece[: piece.rfind(b"\n") + 1] if b"\n" in piece else piece


def tail(data, size):
    piece = data[-size:]
    return piece[piece.find(b"\n") + 1 :]


def lines(data):
    return [line for line in data.split(b"\n") if line]


def verse_seed(draw, text_capacity, reference_capacity, data):
    return struct.pack("<HBB", draw, text_capacity, reference_capacity) + data


def verse_seeds():
    kjv, stand_in, short = collection(147), collection(150), collection(141)
    first = lines(stand_in)
    # A line longer than the 512-byte buffers: three passages run together.
    long_line = b" ".join(line.rstrip(b"\r") for line in first[0:6:2]) + b"\r\n"
    blank_after_three = b"\n".join(first[:6]) + b"\n\r\n" + b"\n".join(first[6:12]) + b"\n"
    double_lf = b"\n\n".join(first[:8]) + b"\n"
    return {
        "head_147": verse_seed(0, 0xFF, 0xFF, head(kjv, MAX_PIECE)),
        "head_150_draw_high": verse_seed(32767, 0xFF, 0xFF, head(stand_in, MAX_PIECE)),
        "head_141_small_buffers": verse_seed(1234, 0x10, 0x04, head(short, 2000)),
        "tail_147_no_line_end": verse_seed(77, 0xFE, 0xFE, tail(kjv, 1500)),
        "tail_150_no_line_end": verse_seed(5, 0xFF, 0xFF, tail(stand_in, 1500)),
        "tail_140_line_end": verse_seed(9, 0xFF, 0xFF, tail(collection(140), 1500)),
        "long_line": verse_seed(1, 0xFE, 0xFE, first[0] + b"\n" + first[1] + b"\n" + long_line
                                + first[1] + b"\n"),
        "blank_line_ends": verse_seed(4, 0xFF, 0xFF, blank_after_three),
        "double_lf": verse_seed(3, 0xFF, 0xFF, double_lf),
        "single_pair": verse_seed(100, 0xFF, 0xFF, b"\n".join(first[:2])),
        "high_bytes": verse_seed(2, 0xFF, 0xFF, head(stand_in, 600)),
        "nul_inside": verse_seed(6, 0xFF, 0xFF, b"\n".join(first[:4]) + b"\x00" +
                                 b"\n".join(first[4:8])),
        "no_lines": verse_seed(7, 0xFF, 0xFF, b"\n\n\n"),
    }


def local_time(year, month, day, hour=0, minute=0, second=0, millisecond=0, day_of_week=0):
    return struct.pack("<8H", year, month, day_of_week, day, hour, minute, second, millisecond)


def record_start(calendar, year):
    """Offset of the first record of `year` (the byte after the line end before it)."""
    at = calendar.find(b"|%d|" % year)
    return calendar.rfind(b"\n", 0, at) + 1


def calendar_seeds():
    calendar = CALENDAR.read_bytes()
    start = head(calendar, 2500)

    def from_year(year, size=2500):
        return b"0|" + head(calendar[record_start(calendar, year):], size)

    end = b"0|" + tail(calendar, 2500)
    return {
        "start_2006": local_time(2006, 1, 1, 10) + start,
        "year_end_2009": local_time(2009, 12, 24, 10) + from_year(2009, 3900),
        "easter_2008": local_time(2008, 3, 22, 12) + from_year(2008),
        "last_day_before_minute": local_time(2099, 12, 25, 23, 59, 0, 0) + end,
        "last_day_after_minute": local_time(2099, 12, 25, 23, 59, 0, 1) + end,
        "evening_before": local_time(2099, 12, 24, 23, 59, 30) + end,
        "cut_inside_record": local_time(2006, 1, 1) + start[: start.find(b"\n", 600) - 20],
        "other_first_token": local_time(2006, 2, 28, 8) + b"7|" + start[2:],
        "invalid_month": local_time(2006, 13, 1, 10) + start,
        "invalid_day": local_time(2006, 2, 29, 10) + start,
        "year_zero": local_time(0, 1, 1) + start,
        "clock_past_midnight": local_time(2006, 1, 1, 24, 0) + start,
        "all_ones": b"\xff" * 16 + start,
        "before_the_ole_epoch": local_time(1601, 1, 1) + start,
    }


def references():
    found = []
    for code in (147, 150, 141):
        for reference in lines(collection(code))[1::2]:
            if reference not in found:
                found.append(reference)
    return found


def lookup_seeds():
    taken = references()
    seeds = {f"reference_{i:02d}": reference for i, reference in enumerate(taken[::60])}
    seeds.update({
        "last_no_line_end": taken[-1].rstrip(b"\r"),
        "list_of_verses": b"Psalm 94:12, 13\r",
        "numbered_book": b"2 Corinthians 4:16,17\r",
        "lower_case": b"1 peter 1:21",
        "empty": b"",
        "no_colon": b"Leviticus 19\r",
        "long": b"The Song of Songs and Lamentations of Jeremiah 1:1\r",
        "high_byte": b"Ecclesiast\xe9s 3:1\r",
        "query_characters": b"Jude 1&x=2?y#z%+ 1:1",
    })
    return seeds


def line_seed(month, day, days_until, capacity, name):
    return struct.pack("<iiiB", month, day, days_until, capacity) + name


def holiday_line_seeds():
    records = [line.split(b"|") for line in lines(CALENDAR.read_bytes())[:25]]
    seeds = {}
    for i, (days_until, fields) in enumerate(zip((0, 1, 13, 59, 2), records[1::5])):
        month, day, name = int(fields[0]), int(fields[1]), fields[3]
        seeds[f"entry_{i}"] = line_seed(month, day, days_until, 0xFF, name)
    seeds.update({
        "small_buffer": line_seed(12, 25, 1, 12, b"Christmas Day"),
        "no_buffer": line_seed(1, 6, 13, 0, b"Twelfth Night (Epiphany)"),
        "name_fills_field": line_seed(3, 1, 59, 0xFF, (b"St. David's Day " * 16)[:255]),
        "negative_fields": line_seed(-1, -12, -3, 0xFF, b"Ash Wednesday"),
        "extremes": line_seed(-2**31, 2**31 - 1, -2**31, 0xFF, b"Easter Sunday"),
        "known_code": line_seed(1013, 0, 2, 40, b""),
    })
    return seeds


TARGETS = {
    "verse_collection": verse_seeds,
    "holiday_calendar": calendar_seeds,
    "passage_lookup": lookup_seeds,
    "holiday_line": holiday_line_seeds,
}


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for target, make in TARGETS.items():
        folder = CORPUS / target
        seeds = make()
        for name, data in seeds.items():
            assert len(data) <= 4096, f"{target}/{name} is {len(data)} bytes"
        if check:
            present = {p.name: p.read_bytes() for p in folder.glob("*")} if folder.exists() else {}
            if present != {name: data for name, data in seeds.items()}:
                stale.append(target)
            continue
        folder.mkdir(parents=True, exist_ok=True)
        for old in folder.glob("*"):
            old.unlink()
        for name, data in seeds.items():
            (folder / name).write_bytes(data)
    if stale:
        print("seed corpora out of date: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
