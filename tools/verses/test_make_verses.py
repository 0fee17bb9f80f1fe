#!/usr/bin/python3
"""Tests of the verse generator and of the committed collections.

    /usr/bin/python3 -m unittest discover -s tools/verses -p "test_*.py"
"""

import os
import re
import unittest

import make_verses as mv


def count_pairs(data):
    """The program's counting rule: LF-separated tokens, empty ones skipped;
    the first pair always counts, later ones until a text token under 4 bytes."""
    tokens = [t for t in data.split(b"\n") if t]
    count, i = 1, 2
    while i < len(tokens) and len(tokens[i]) >= 4:
        count, i = count + 1, i + 2
    return count, tokens


class ParseReference(unittest.TestCase):
    def test_valid(self):
        rows = [
            ("Leviticus 19:11", "Leviticus", 19, [11]),
            ("Psalm 94:12, 13", "Psalm", 94, [12, 13]),
            ("2 Corinthians 4:17,18", "2 Corinthians", 4, [17, 18]),
            ("Ephesians 6:1-3", "Ephesians", 6, [1, 2, 3]),
            ("Song of Solomon 8:7", "Song of Solomon", 8, [7]),
            ("Psalm 1:1, 3,5", "Psalm", 1, [1, 3, 5]),
        ]
        for text, book, chapter, verses in rows:
            with self.subTest(text=text):
                ref = mv.parse_reference(text)
                self.assertEqual((ref.book, ref.chapter, ref.verses), (book, chapter, verses))

    def test_invalid(self):
        rows = ["Psalms 23:1", "Psalm 23", "Psalm 23:3-1", "Psalm 23:2,2", "Psalm 23:3, 1",
                "psalm 23:1", "Hezekiah 1:1", "Psalm 23:1 ", "John 3:16;17", "Psalm 0:1",
                "Psalm 23:1-2, 4", "Psalm 23:1" + ", 2" * 12]
        for text in rows:
            with self.subTest(text=text):
                self.assertRaises(mv.VerseError, mv.parse_reference, text)

    def test_overlapping_passages(self):
        rows = [(["Psalm 23:1-3", "Psalm 23:3"], True), (["Psalm 23:1, 2", "Psalm 23:3"], False),
                (["Psalm 46:1,2", "Psalm 46:1"], True), (["John 3:16", "1 John 3:16"], False)]
        for texts, overlaps in rows:
            with self.subTest(texts=texts):
                refs = [mv.parse_reference(t) for t in texts]
                if overlaps:
                    self.assertRaisesRegex(mv.VerseError, "in both", mv.check_no_overlap, refs)
                else:
                    mv.check_no_overlap(refs)


class CleanMarkup(unittest.TestCase):
    def test_rows(self):
        rows = [
            # markup, WEB-style (tags separate words), expected
            ('<w s="1">God</w><w s="2">created</w> <w>the</w> earth.', True, "God created the earth."),
            ('shall more be give</w>n.', False, "shall more be given."),
            ('<title type="psalm">LAMEDH</title> <w>Yahweh</w>, your word.', True, "Yahweh, your word."),
            ('Jesus wept.<note type="x">Or, cried</note>', True, "Jesus wept."),
            ('\u00b6 <w>For</w> God so loved', False, "For God so loved"),
            ('<w>shepherd</w>;<l eID="a"/> <l sID="b"/><w>I</w> shall', True, "shepherd; I shall"),
            ('pastures.<l eID="a"/><l sID="b"/>He leads', False, "pastures. He leads"),
            ('sacrifice,\u2019</q><q marker=""><w>for</w>', True, "sacrifice,\u2019 for"),
            ('<w>ground</w>\u2014<w>cursed</w>', True, "ground\u2014cursed"),
            ('<w>said</w>, \u201c<w>Let</w>', True, "said, \u201cLet"),
            ('bread &amp; wine\u00a0 and\u2010more', True, "bread & wine and-more"),
            ('<w>earth</w><l eID="x"/>.', True, "earth."),
            ('<transChange type="added">is</transChange> my', False, "is my"),
            ('the <divineName><w s="H3068">Lord</w></divineName> seeth', False, "the LORD seeth"),
            ('<divineName>LORD’s</divineName> name <divineName>Jah</divineName>', False,
             "LORD’s name Jah"),
        ]
        for markup, separate, expected in rows:
            with self.subTest(markup=markup):
                self.assertEqual(mv.clean_markup(markup, separate), expected)


def fake_runner(answer):
    """A stand-in for diatheke; answer(module, key) gives [(key, markup), ...]."""
    calls = []

    def run(module, keys):
        calls.append((module, list(keys)))
        lines = ["HEADING  %s %d:%d: %s" % (k + (m,)) for key in keys for k, m in answer(module, key)]
        return "\n".join(lines + ["(%s)" % module, ""])
    return run, calls


def past_chapter_end(module, key):
    # Psalm 23 has six verses; diatheke answers 23:7 with 24:1.
    return [(("Psalms", 24, 1) if key == ("Psalms", 23, 7) else key, "<w>x</w>")]


class FetchVerses(unittest.TestCase):
    def test_chunks_and_headings(self):
        refs = [mv.parse_reference("Psalm 23:1-3"), mv.parse_reference("John 3:16")]
        run, calls = fake_runner(lambda m, k: [(k, "<w>v%d</w>" % k[2])])
        saved, mv.CHUNK = mv.CHUNK, 2
        try:
            got = mv.fetch_verses("M", refs, run)
        finally:
            mv.CHUNK = saved
        self.assertEqual([len(keys) for _, keys in calls], [2, 2])
        self.assertEqual(got[("Psalms", 23, 2)], "<w>v2</w>")
        self.assertEqual(mv.passage_text(refs[0], got, True), "v1 v2 v3")

    def test_failures(self):
        rows = [
            ("Psalm 23:6, 7", past_chapter_end, "cannot resolve 'Psalm 23:6, 7'"),
            ("Psalm 23:5-8", past_chapter_end, "no verse Psalms 23:7"),
            ("Psalm 23:6", lambda m, k: [(k, "a"), (("Psalms", 24, 1), "b")], "not asked for"),
            ("John 1:1", lambda m, k: [], "cannot resolve 'John 1:1'"),
            ("John 1:1", lambda m, k: [(k, "<title>Heading</title>")], "has no text"),
        ]
        for text, answer, message in rows:
            with self.subTest(text=text, message=message):
                run, _ = fake_runner(answer)
                ref = mv.parse_reference(text)
                with self.assertRaisesRegex(mv.VerseError, re.escape(message)):
                    mv.passage_text(ref, mv.fetch_verses("M", [ref], run), True)

    def test_output_lines(self):
        out = "LAMEDH  Psalms 119:89: first\nsecond line\nIII John 1:4: joy\n(M)\n"
        self.assertEqual(mv.split_module_output(out, "M"),
                         {("Psalms", 119, 89): "first\nsecond line", ("III John", 1, 4): "joy"})
        self.assertRaises(mv.VerseError, mv.split_module_output, "stray\nJohn 1:1: x\n", "M")


class BuildCollection(unittest.TestCase):
    def test_line_ends(self):
        pairs = [("In the beginning.", "Genesis 1:1"), ("Jesus wept.", "John 11:35")]
        self.assertEqual(mv.build_collection(pairs, True),
                         b"In the beginning.\r\nGenesis 1:1\r\nJesus wept.\r\nJohn 11:35\r\n")
        self.assertTrue(mv.build_collection(pairs, False).endswith(b"John 11:35"))
        self.assertEqual(mv.build_collection([("\u201cGo.\u201d", "Mark 1:1")], False),
                         b"\x93Go.\x94\r\nMark 1:1")

    def test_rejected_texts(self):
        rows = [("Peace \u4e00.", r"U\+4E00"), ("ab", "too short"),
                ("x" * (mv.MAX_TEXT + 1), "more than"), ("one\ntwo", "line break")]
        for text, message in rows:
            with self.subTest(text=text[:20]):
                self.assertRaisesRegex(mv.VerseError, message,
                                       mv.build_collection, [(text, "John 1:1")], True)


class WholeBuild(unittest.TestCase):
    """All thirteen collections from a fake module: shapes and which text goes where."""

    def test_shapes(self):
        refs = mv.read_reference_list(mv.DEFAULT_REFERENCES)
        run, calls = fake_runner(lambda m, k: [(k, "%s %s %d:%d." % ((m[:6],) + k))])
        files = mv.build_all(refs, run)
        self.assertEqual(sorted({m for m, _ in calls}), [mv.KJV_MODULE, mv.WEB_MODULE])
        for collection, data in files.items():
            with self.subTest(collection=collection):
                count, tokens = count_pairs(data)
                self.assertEqual(count, {150: 531, 141: 527}.get(collection, 528))
                self.assertEqual(data.endswith(b"\r\n"), collection not in (147, 150))
                module = "engKJV" if collection == 147 else "engWEB"
                self.assertTrue(all(t.startswith(module.encode()) for t in tokens[0::2]))
        tokens = count_pairs(files[150])[1]
        for index, text in mv.EXTRA_PAIRS:
            self.assertEqual(tokens[2 * index + 1], text.encode() + b"\r")


class CommittedCollections(unittest.TestCase):
    def test_files(self):
        ref_re = re.compile(mv._REFERENCE_RE.pattern[:-1] + r"\r?$")
        for collection in mv.COLLECTION_IDS:
            with self.subTest(collection=collection):
                with open(os.path.join(mv.DEFAULT_OUT, mv.file_name(collection)), "rb") as f:
                    data = f.read()
                count, tokens = count_pairs(data)
                self.assertEqual(count, {150: 531, 141: 527}.get(collection, 528))
                self.assertEqual(len(tokens), 2 * count)
                self.assertEqual(tokens[1], b"Leviticus 19:11\r")
                last = b"Psalm 119:89,90" + (b"" if collection in (147, 150) else b"\r")
                if collection != 141:
                    self.assertEqual(tokens[-1], last)
                self.assertNotIn(b"\r\n\r\n", data)
                self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))
                data.decode("cp1252")  # raises on the five bytes cp1252 leaves undefined
                for text, ref in zip(tokens[0::2], tokens[1::2]):
                    self.assertLessEqual(len(text), 511, ref)
                    self.assertRegex(ref.decode("ascii"), ref_re)
