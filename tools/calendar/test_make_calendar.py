#!/usr/bin/python3
"""Tests for the holiday calendar generator and the committed calendar file.

Run: /usr/bin/python3 -m unittest discover -s tools/calendar
"""

import datetime
import os
import re
import tempfile
import unittest

import make_calendar as mc

D = datetime.date


def gauss_easter(year):
    # Gauss's formulation with the Gregorian corrections, kept independent of the
    # generator's algorithm so that a slip in either shows up as a disagreement.
    a, b, c = year % 19, year % 4, year % 7
    k = year // 100
    p = (13 + 8 * k) // 25
    q = k // 4
    m = (15 - p + k - q) % 30
    n = (4 + k - q) % 7
    d = (19 * a + m) % 30
    e = (2 * b + 4 * c + 6 * d + n) % 7
    if d == 29 and e == 6:
        return D(year, 4, 19)
    if d == 28 and e == 6 and (11 * m + 11) % 30 < 19:
        return D(year, 4, 18)
    return D(year, 3, 22) + datetime.timedelta(days=d + e)


def tokenize(data):
    # What the program's reader sees: runs of "|", TAB, LF are one separator and
    # empty tokens vanish; CR is ordinary text.
    return [t for t in re.split(b"[|\t\n]+", data) if t]


def read_records(data):
    tokens = tokenize(data)[1:]
    records = []
    for i in range(0, len(tokens) - len(tokens) % 5, 5):
        month, day, year, name, description = tokens[i:i + 5]
        records.append((D(int(year), int(month), int(day)), name.decode("ascii"),
                        description[:-1].decode("ascii"), description[-1:]))
    return records, len(tokens) % 5


class EasterTest(unittest.TestCase):
    def test_known_dates(self):
        table = [
            (2006, D(2006, 4, 16)), (2007, D(2007, 4, 8)), (2008, D(2008, 3, 23)),
            (2009, D(2009, 4, 12)), (2010, D(2010, 4, 4)), (2019, D(2019, 4, 21)),
            (2027, D(2027, 3, 28)), (2038, D(2038, 4, 25)), (2000, D(2000, 4, 23)),
            (2049, D(2049, 4, 18)), (2076, D(2076, 4, 19)), (2285, D(2285, 3, 22)),
        ]
        for year, expected in table:
            self.assertEqual(expected, mc.easter_sunday(year), "year %d" % year)

    def test_agrees_with_gauss_and_is_a_sunday_in_range(self):
        for year in range(1583, 4100):
            easter = mc.easter_sunday(year)
            self.assertEqual(gauss_easter(year), easter, "year %d" % year)
            self.assertEqual(6, easter.weekday(), "year %d" % year)
            self.assertTrue(D(year, 3, 22) <= easter <= D(year, 4, 25), "year %d" % year)


class FeastTest(unittest.TestCase):
    def test_moveable_feasts_relative_to_easter(self):
        table = [("Ash Wednesday", -46), ("Palm Sunday", -7), ("Maundy Thursday", -3),
                 ("Good Friday", -2), ("Easter Sunday", 0), ("Ascension Day", 39),
                 ("Pentecost Day", 49)]
        for year in (2006, 2008, 2038, 2099):
            dates = {name: when for when, name, _ in mc.feasts_for_year(year)}
            easter = mc.easter_sunday(year)
            for name, offset in table:
                self.assertEqual(easter + datetime.timedelta(days=offset), dates[name],
                                 "%s %d" % (name, year))

    def test_fixed_feasts(self):
        table = [("Twelfth Night (Epiphany)", 1, 6), ("St. David's Day", 3, 1),
                 ("Women's World Day of Prayer", 3, 4), ("Annunciation Day", 3, 25),
                 ("St. George's Day", 4, 23), ("The Day of Transfiguration", 8, 6),
                 ("Assumption Day", 8, 15), ("Reformation Day", 10, 31),
                 ("All Saints' Day", 11, 1), ("All Souls' Day", 11, 2),
                 ("St. Andrew's Day", 11, 30), ("Immaculate Conception", 12, 8),
                 ("Christmas Day", 12, 25)]
        for year in (2006, 2099):
            dates = {name: when for when, name, _ in mc.feasts_for_year(year)}
            for name, month, day in table:
                self.assertEqual(D(year, month, day), dates[name], "%s %d" % (name, year))

    def test_order_in_a_year(self):
        # 2006: shared date keeps table order; 2008: early Easter moves Holy Week before
        # the Annunciation.
        table = [
            (2006, ["Twelfth Night (Epiphany)", "St. David's Day", "Ash Wednesday",
                    "Women's World Day of Prayer", "Annunciation Day", "Palm Sunday"]),
            (2008, ["Twelfth Night (Epiphany)", "Ash Wednesday", "St. David's Day",
                    "Women's World Day of Prayer", "Palm Sunday", "Maundy Thursday",
                    "Good Friday", "Easter Sunday", "Annunciation Day", "St. George's Day",
                    "Ascension Day", "Pentecost Day"]),
        ]
        for year, expected in table:
            names = [name for _, name, _ in mc.feasts_for_year(year)]
            self.assertEqual(expected, names[:len(expected)], "year %d" % year)


class CommittedFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(mc.DEFAULT_OUTPUT, "rb") as handle:
            cls.data = handle.read()
        cls.records, cls.leftover = read_records(cls.data)

    def test_reproduced_byte_for_byte(self):
        self.assertEqual(mc.render(), self.data)

    def test_framing(self):
        self.assertTrue(self.data.startswith(b"0|1|6|2006|Twelfth Night (Epiphany)|"))
        self.assertTrue(self.data.endswith(b"\r\n"))
        self.assertEqual(0, self.leftover)
        self.assertNotIn(b"\t", self.data)
        self.assertEqual(self.data.count(b"\n"), self.data.count(b"\r\n"))
        self.assertEqual(self.data.count(b"\r"), self.data.count(b"\r\n"))
        self.assertTrue(all(b < 128 for b in self.data))
        # One line per record: the fields must not spill over the line end.
        self.assertEqual(len(self.records), self.data.count(b"\r\n"))
        for line in self.data[2:].split(b"\r\n")[:-1]:
            self.assertEqual(4, line.count(b"|"), line)
            month, day, year = line.split(b"|")[:3]
            self.assertFalse(month.startswith(b"0") or day.startswith(b"0"), line)
            self.assertEqual(4, len(year), line)

    def test_every_year_twenty_feasts_in_order(self):
        self.assertEqual(20 * (2099 - 2006 + 1), len(self.records))
        by_year = {}
        for when, name, _, ending in self.records:
            self.assertEqual(b"\r", ending, name)
            by_year.setdefault(when.year, []).append(name)
        self.assertEqual(list(range(2006, 2100)), sorted(by_year))
        expected_names = sorted(name for name, _, _ in mc.FEASTS)
        for year, names in by_year.items():
            self.assertEqual(expected_names, sorted(names), "year %d" % year)
        dates = [r[0] for r in self.records]
        for i in range(1, len(dates)):
            self.assertLessEqual(dates[i - 1], dates[i], "record %d %s" % (i, self.records[i][1]))
        self.assertEqual((D(2099, 12, 25), "Christmas Day"), self.records[-1][:2])

    def test_names_and_descriptions(self):
        shipped = {name for name, _, _ in mc.FEASTS}
        for fixed in ("All Saints' Day", "All Souls' Day", "Immaculate Conception"):
            self.assertIn(fixed, shipped)
        for wrong in (b"All Saint's Day", b"All Soul's Day", b"Conecption"):
            self.assertNotIn(wrong, self.data)
        descriptions = {}
        for when, name, description, _ in self.records:
            self.assertTrue(60 <= len(description) <= 190, (name, len(description)))
            self.assertFalse(description.endswith("\r"), name)
            descriptions.setdefault(name, set()).add(description)
        self.assertEqual(20, len(descriptions))
        self.assertEqual(20, len({d for s in descriptions.values() for d in s}))

    def test_reader_cases(self):
        # Next four holidays (by date, ignoring the time of day) for dates from the
        # program's behaviour table.
        table = [
            (D(2006, 1, 1), ["Twelfth Night (Epiphany)", "St. David's Day", "Ash Wednesday",
                             "Women's World Day of Prayer"]),
            (D(2009, 12, 24), ["Christmas Day", "Twelfth Night (Epiphany)", "Ash Wednesday",
                               "St. David's Day"]),
            (D(2008, 3, 23), ["Easter Sunday", "Annunciation Day", "St. George's Day",
                              "Ascension Day"]),
            (D(2010, 11, 29), ["St. Andrew's Day", "Immaculate Conception", "Christmas Day",
                               "Twelfth Night (Epiphany)"]),
        ]
        for today, expected in table:
            upcoming = [r[1] for r in self.records if r[0] >= today][:4]
            self.assertEqual(expected, upcoming, str(today))


class CheckModeTest(unittest.TestCase):
    def test_check_flags_any_difference(self):
        good = mc.render()
        table = [("identical", good, 0), ("one byte changed", good[:-3] + b"X\r\n", 1),
                 ("LF line ends", good.replace(b"\r\n", b"\n"), 1), ("truncated", good[:-1], 1)]
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "holidays.txt")
            for why, content, expected in table:
                with open(path, "wb") as handle:
                    handle.write(content)
                self.assertEqual(expected, mc.main(["--check", "--output", path]), why)
            self.assertEqual(1, mc.main(["--check", "--output", os.path.join(tmp, "missing")]))


class ValidationTest(unittest.TestCase):
    def test_bad_fields_rejected(self):
        table = [("x" * 59, "too short"), ("x" * 191, "too long"), ("x" * 70 + "|", "pipe"),
                 ("x" * 70 + "\t", "tab"), ("x" * 70 + "\r", "cr"), ("x" * 70 + "\u2019", "non-ascii")]
        for text, why in table:
            with self.assertRaises(ValueError, msg=why):
                mc.validate_field(text, 60, 190, "description")


if __name__ == "__main__":
    unittest.main()
