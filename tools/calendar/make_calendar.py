#!/usr/bin/python3
"""Generate resources/holidays.txt, the embedded holiday calendar (HOLIDAYS 129).

The file is one leading field "0|" followed by records "M|D|YYYY|Name|Description",
each ended by CR LF.  The program splits it at "|", TAB and LF and drops the CR
from the description, so no field may be empty or hold one of those characters.

Usage:
    make_calendar.py                write resources/holidays.txt
    make_calendar.py --output FILE  write FILE instead
    make_calendar.py --check        exit 1 unless the committed file is reproduced
"""

import argparse
import datetime
import os
import sys

FIRST_YEAR = 2006
LAST_YEAR = 2099

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "resources", "holidays.txt"))

# Fixed feasts are (month, day); moveable ones are an offset in days from Easter Sunday.
# Order matters: feasts sharing a date are written in this order.
FEASTS = [
    ("Twelfth Night (Epiphany)", (1, 6),
     "The feast of the Epiphany, remembering the wise men from the east who followed "
     "the star to Bethlehem and worshipped the infant Jesus."),
    ("St. David's Day", (3, 1),
     "The feast of Saint David, sixth-century bishop and patron saint of Wales, who "
     "taught his monks to be joyful, keep the faith and do the little things."),
    ("Ash Wednesday", -46,
     "The first day of Lent, forty days of prayer and fasting before Easter, when many "
     "Christians are marked on the forehead with a cross of ashes."),
    ("Women's World Day of Prayer", (3, 4),
     "A day on which women of many churches and countries join in one service of "
     "prayer, written each year by the women of a different land."),
    ("Annunciation Day", (3, 25),
     "The feast of the Annunciation, when the angel Gabriel told Mary that she would "
     "bear a son and call his name Jesus."),
    ("Palm Sunday", -7,
     "The Sunday before Easter, remembering Jesus riding into Jerusalem on a donkey "
     "while the crowds spread palm branches in the way and cried Hosanna."),
    ("Maundy Thursday", -3,
     "The Thursday of Holy Week, remembering the Last Supper, when Jesus washed the "
     "feet of his disciples and gave them a new commandment to love one another."),
    ("Good Friday", -2,
     "The Friday before Easter, when Christians remember the crucifixion and death of "
     "Jesus on the cross outside the walls of Jerusalem."),
    ("Easter Sunday", 0,
     "The feast of the Resurrection, the oldest and greatest festival of the Church, "
     "celebrating Jesus risen from the dead on the third day."),
    ("St. George's Day", (4, 23),
     "The feast of Saint George, a soldier martyred for his faith in the early fourth "
     "century and honoured as the patron saint of England."),
    ("Ascension Day", 39,
     "The fortieth day of Easter, remembering how the risen Jesus blessed his "
     "disciples and was carried up into heaven before their eyes."),
    ("Pentecost Day", 49,
     "The fiftieth day of Easter, when the Holy Spirit came upon the apostles in "
     "Jerusalem, often called the birthday of the Church."),
    ("The Day of Transfiguration", (8, 6),
     "The feast of the Transfiguration, when Jesus shone with light on the mountain "
     "before Peter, James and John, and Moses and Elijah talked with him."),
    ("Assumption Day", (8, 15),
     "The feast of the Assumption, also called the Dormition, honouring Mary, the "
     "mother of Jesus, at the close of her earthly life."),
    ("Reformation Day", (10, 31),
     "The anniversary of the day in 1517 on which Martin Luther posted his "
     "ninety-five theses at Wittenberg, kept by many Protestant churches."),
    ("All Saints' Day", (11, 1),
     "A feast in honour of all the saints, known and unknown, who have gone before us "
     "in the faith and now rest with God."),
    ("All Souls' Day", (11, 2),
     "A day of prayer and remembrance for all the faithful departed, when many "
     "families visit and tend the graves of those they love."),
    ("St. Andrew's Day", (11, 30),
     "The feast of Saint Andrew the apostle, the fisherman who brought his brother "
     "Simon Peter to Jesus, and patron saint of Scotland."),
    ("Immaculate Conception", (12, 8),
     "The feast of the Immaculate Conception, which holds that Mary was kept free "
     "from original sin from the first moment of her life."),
    ("Christmas Day", (12, 25),
     "The feast of the Nativity, celebrating the birth of Jesus Christ in Bethlehem, "
     "when the Word became flesh and dwelt among us."),
]

# The reader copies at most 254 bytes per field; keep the descriptions short and tidy.
DESCRIPTION_MIN = 60
DESCRIPTION_MAX = 190
FORBIDDEN = set("|\t\r\n")


def easter_sunday(year):
    """Western Easter by the Gregorian computus (anonymous Gregorian algorithm)."""
    a = year % 19
    b, c = divmod(year, 100)
    d, e = divmod(b, 4)
    f = (b + 8) // 25
    g = (b - f + 1) // 3
    h = (19 * a + b - d - g + 15) % 30
    i, k = divmod(c, 4)
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 22 * l) // 451
    month, day = divmod(h + l - 7 * m + 114, 31)
    return datetime.date(year, month, day + 1)


def feasts_for_year(year):
    """(date, name, description) for every feast of the year, in date order.

    The sort is stable, so feasts on one date keep their order in FEASTS."""
    easter = easter_sunday(year)
    rows = []
    for name, rule, description in FEASTS:
        if isinstance(rule, tuple):
            when = datetime.date(year, rule[0], rule[1])
        else:
            when = easter + datetime.timedelta(days=rule)
        rows.append((when, name, description))
    rows.sort(key=lambda row: row[0])
    return rows


def validate_field(text, lo, hi, what):
    if not lo <= len(text) <= hi:
        raise ValueError("%s has %d characters, not %d..%d: %r" % (what, len(text), lo, hi, text))
    if FORBIDDEN & set(text):
        raise ValueError("%s holds a field separator: %r" % (what, text))
    if not all(32 <= ord(ch) < 127 for ch in text):
        raise ValueError("%s is not plain ASCII: %r" % (what, text))


def render(first_year=FIRST_YEAR, last_year=LAST_YEAR):
    for name, _, description in FEASTS:
        validate_field(name, 1, 254, "name")
        validate_field(description, DESCRIPTION_MIN, DESCRIPTION_MAX, "description of " + name)
    parts = ["0|"]
    for year in range(first_year, last_year + 1):
        for when, name, description in feasts_for_year(year):
            parts.append("%d|%d|%d|%s|%s\r\n" % (when.month, when.day, when.year, name, description))
    return "".join(parts).encode("ascii")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="file to write")
    parser.add_argument("--check", action="store_true",
                        help="compare with the file instead of writing it")
    args = parser.parse_args(argv)
    data = render()
    if args.check:
        try:
            with open(args.output, "rb") as handle:
                current = handle.read()
        except OSError as error:
            print("cannot read %s: %s" % (args.output, error), file=sys.stderr)
            return 1
        if current != data:
            print("%s differs from the generator's output" % args.output, file=sys.stderr)
            return 1
        print("%s is up to date (%d bytes)" % (args.output, len(data)))
        return 0
    with open(args.output, "wb") as handle:
        handle.write(data)
    print("wrote %s (%d bytes)" % (args.output, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
