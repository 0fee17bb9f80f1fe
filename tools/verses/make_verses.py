#!/usr/bin/python3
"""Build the thirteen verse collections (VERSES 140..152) from references.txt.

Texts come from the public-domain Bibles of Debian's SWORD modules, read with
diatheke: engKJV2006eb for the King James collection (147) and engWEB2015eb,
the World English Bible, as the stand-in text of the other twelve.

    /usr/bin/python3 tools/verses/make_verses.py          # rewrite resources/verses/
    /usr/bin/python3 tools/verses/make_verses.py --check  # compare, change nothing

Any reference that cannot be turned into clean text stops the run with a
message naming it; nothing is written unless all thirteen files can be built.
"""

import argparse
import html
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_REFERENCES = os.path.join(HERE, "references.txt")
DEFAULT_OUT = os.path.join(REPO, "resources", "verses")

KJV_MODULE = "engKJV2006eb"
WEB_MODULE = "engWEB2015eb"

COLLECTION_IDS = list(range(140, 153))
KJV_COLLECTION = 147
# The program's default translation draws from 150; it carries three extra
# passages at fixed pair indexes.
EXTENDED_COLLECTION = 150
EXTRA_PAIRS = [(140, "Psalm 41:1"), (249, "Psalm 46:1"), (465, "Galatians 5:24")]
# 141 ends one pair before the others.
SHORT_COLLECTION = 141
# These two end without a line end after their last reference.
UNTERMINATED = {147, 150}

COMMON_PAIRS = 528
FIRST_REFERENCE = "Leviticus 19:11"
LAST_REFERENCE = "Psalm 119:89,90"
MAX_REFERENCE = 40
# The program holds a line in 511 bytes with its CR; keep every text whole.
MAX_TEXT = 510
# The reader ends a collection at a text line shorter than 4 bytes with CR.
MIN_TEXT = 3
# Verses per diatheke call: few calls, but a bounded command line.
CHUNK = 200

# Book names as written in our references, and as diatheke prints them.
BOOKS = [
    ("Genesis", "Genesis"), ("Exodus", "Exodus"), ("Leviticus", "Leviticus"),
    ("Numbers", "Numbers"), ("Deuteronomy", "Deuteronomy"), ("Joshua", "Joshua"),
    ("Judges", "Judges"), ("Ruth", "Ruth"), ("1 Samuel", "I Samuel"),
    ("2 Samuel", "II Samuel"), ("1 Kings", "I Kings"), ("2 Kings", "II Kings"),
    ("1 Chronicles", "I Chronicles"), ("2 Chronicles", "II Chronicles"),
    ("Ezra", "Ezra"), ("Nehemiah", "Nehemiah"), ("Esther", "Esther"), ("Job", "Job"),
    ("Psalm", "Psalms"), ("Proverbs", "Proverbs"), ("Ecclesiastes", "Ecclesiastes"),
    ("Song of Solomon", "Song of Solomon"), ("Isaiah", "Isaiah"),
    ("Jeremiah", "Jeremiah"), ("Lamentations", "Lamentations"),
    ("Ezekiel", "Ezekiel"), ("Daniel", "Daniel"), ("Hosea", "Hosea"),
    ("Joel", "Joel"), ("Amos", "Amos"), ("Obadiah", "Obadiah"), ("Jonah", "Jonah"),
    ("Micah", "Micah"), ("Nahum", "Nahum"), ("Habakkuk", "Habakkuk"),
    ("Zephaniah", "Zephaniah"), ("Haggai", "Haggai"), ("Zechariah", "Zechariah"),
    ("Malachi", "Malachi"), ("Matthew", "Matthew"), ("Mark", "Mark"),
    ("Luke", "Luke"), ("John", "John"), ("Acts", "Acts"), ("Romans", "Romans"),
    ("1 Corinthians", "I Corinthians"), ("2 Corinthians", "II Corinthians"),
    ("Galatians", "Galatians"), ("Ephesians", "Ephesians"),
    ("Philippians", "Philippians"), ("Colossians", "Colossians"),
    ("1 Thessalonians", "I Thessalonians"), ("2 Thessalonians", "II Thessalonians"),
    ("1 Timothy", "I Timothy"), ("2 Timothy", "II Timothy"), ("Titus", "Titus"),
    ("Philemon", "Philemon"), ("Hebrews", "Hebrews"), ("James", "James"),
    ("1 Peter", "I Peter"), ("2 Peter", "II Peter"), ("1 John", "I John"),
    ("2 John", "II John"), ("3 John", "III John"), ("Jude", "Jude"),
    ("Revelation", "Revelation of John"),
]
MODULE_BOOK = dict(BOOKS)

# Characters the modules may use that Windows-1252 lacks, mapped to the
# nearest character it has. Anything else unencodable stops the run.
CP1252_SUBSTITUTES = {
    "\u00a0": " ", "\u2002": " ", "\u2003": " ", "\u2009": " ", "\u200a": " ",
    "\u200b": "", "\u200c": "", "\u200d": "", "\ufeff": "", "\u00ad": "",
    "\u2010": "-", "\u2011": "-", "\u2012": "\u2013", "\u2015": "\u2014",
    "\u2032": "\u2019", "\u2033": "\u201d", "\u02bc": "\u2019",
    "\u2027": "\u00b7", "\u2219": "\u00b7",
}


class VerseError(Exception):
    """A problem that must stop the run; the message says what and where."""


class Reference:
    def __init__(self, text, book, chapter, verses):
        self.text = text
        self.book = book
        self.chapter = chapter
        self.verses = verses

    def keys(self):
        """The (module book, chapter, verse) triples this passage consists of."""
        return [(MODULE_BOOK[self.book], self.chapter, v) for v in self.verses]


_REFERENCE_RE = re.compile(
    r"^(?P<book>(?:[123] )?[A-Z][a-z]+(?: of [A-Z][a-z]+)?) "
    r"(?P<chapter>[1-9][0-9]*):"
    r"(?P<verses>[1-9][0-9]*(?:-[1-9][0-9]*|(?:, ?[1-9][0-9]*)+)?)$")


def parse_reference(text):
    """Check one reference line and split it into book, chapter and verses."""
    if len(text) > MAX_REFERENCE:
        raise VerseError("reference %r is longer than %d characters" % (text, MAX_REFERENCE))
    m = _REFERENCE_RE.match(text)
    if not m:
        raise VerseError("reference %r is not of the form 'Book C:V', 'Book C:V, W' "
                         "or 'Book C:V-W'" % text)
    book = m.group("book")
    if book not in MODULE_BOOK:
        raise VerseError("reference %r names an unknown book %r (write 'Psalm', "
                         "'1 John', 'Revelation', ...)" % (text, book))
    spec = m.group("verses")
    if "-" in spec:
        first, last = (int(x) for x in spec.split("-"))
        if last <= first:
            raise VerseError("reference %r has a range that does not go up" % text)
        verses = list(range(first, last + 1))
    else:
        verses = [int(x) for x in spec.split(",")]
        if any(b <= a for a, b in zip(verses, verses[1:])):
            raise VerseError("reference %r lists its verses out of order or twice" % text)
    return Reference(text, book, int(m.group("chapter")), verses)


def read_reference_list(path):
    """Read and check the common list: one reference a line, '#' starts a comment."""
    refs = []
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            try:
                refs.append(parse_reference(line))
            except VerseError as e:
                raise VerseError("%s:%d: %s" % (path, number, e))
    check_reference_list(refs)
    return refs


def check_reference_list(refs):
    if len(refs) != COMMON_PAIRS:
        raise VerseError("the reference list has %d passages, not %d" % (len(refs), COMMON_PAIRS))
    if refs[0].text != FIRST_REFERENCE:
        raise VerseError("the first reference is %r, not %r" % (refs[0].text, FIRST_REFERENCE))
    if refs[-1].text != LAST_REFERENCE:
        raise VerseError("the last reference is %r, not %r" % (refs[-1].text, LAST_REFERENCE))
    for _, text in EXTRA_PAIRS:
        if any(ref.text == text for ref in refs):
            raise VerseError("%r must not be in the common list: collection %d adds it"
                             % (text, EXTENDED_COLLECTION))
    check_no_overlap(refs + [parse_reference(t) for _, t in EXTRA_PAIRS])


def check_no_overlap(refs):
    """No verse may belong to two passages."""
    owner = {}
    for ref in refs:
        for key in ref.keys():
            if key in owner:
                raise VerseError("%s %d:%d is in both %r and %r"
                                 % (key + (owner[key], ref.text)))
            owner[key] = ref.text


def extended_references(refs):
    """The list of collection 150: the common one with the extra passages put in."""
    out = list(refs)
    for index, text in EXTRA_PAIRS:
        out.insert(index, parse_reference(text))
    return out


# ---------------------------------------------------------------- diatheke

def _prefix_re():
    names = sorted(MODULE_BOOK.values(), key=len, reverse=True)
    alternation = "|".join(re.escape(n) for n in names)
    return re.compile(r"(?:^|(?<=[\s>]))(%s) (\d+):(\d+): " % alternation)


_PREFIX_RE = _prefix_re()


def split_module_output(output, module):
    """Turn diatheke's internal-format output into {(book, chapter, verse): markup}.

    Each entry is "[headings] Book C:V: markup"; whatever stands before the
    key on its line is a heading of the verse and is dropped here.
    """
    verses = {}
    current = None
    for line in output.split("\n"):
        if not line.strip() or line.strip() == "(%s)" % module:
            continue
        m = _PREFIX_RE.search(line)
        if m:
            current = (m.group(1), int(m.group(2)), int(m.group(3)))
            verses[current] = line[m.end():]
        elif current is None:
            raise VerseError("%s printed text before any verse: %r" % (module, line[:80]))
        else:
            verses[current] += "\n" + line
    return verses


def run_diatheke(module, keys):
    """One diatheke call for a list of (book, chapter, verse) keys."""
    query = "; ".join("%s %d:%d" % key for key in keys)
    cmd = ["diatheke", "-b", module, "-f", "internal", "-e", "UTF8", "-k", query]
    try:
        done = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    except FileNotFoundError:
        raise VerseError("diatheke is not installed (Debian package 'diatheke')")
    if done.returncode != 0:
        raise VerseError("diatheke -b %s failed (exit %d): %s"
                         % (module, done.returncode, done.stderr.decode("utf-8", "replace")[:300]))
    return done.stdout.decode("utf-8")


def fetch_verses(module, refs, runner=run_diatheke):
    """Markup of every verse the references need, checked against what was asked."""
    wanted = []
    seen = set()
    for ref in refs:
        for key in ref.keys():
            if key not in seen:
                seen.add(key)
                wanted.append(key)
    got = {}
    for start in range(0, len(wanted), CHUNK):
        got.update(split_module_output(runner(module, wanted[start:start + CHUNK]), module))
    for ref in refs:
        for key in ref.keys():
            if key not in got:
                raise VerseError("%s cannot resolve %r: no verse %s %d:%d in the module "
                                 "(past the end of its chapter?)" % ((module, ref.text) + key))
    extra = sorted(set(got) - seen)
    if extra:
        raise VerseError("%s returned %s %d:%d, which was not asked for: a reference "
                         "runs past the end of its chapter" % ((module,) + extra[0]))
    return got


# ---------------------------------------------------------------- cleaning

# Markup whose content is not scripture text: notes, headings, speaker labels.
_DROPPED_ELEMENTS_RE = re.compile(
    r"<(note|title|speaker|rf)\b[^>]*?(?<!/)>.*?</\1>", re.S)
# The divine name is printed in small capitals: a few entries store it as "Lord"
# where the printed text reads "LORD".
_DIVINE_NAME_RE = re.compile(r"<divineName\b[^>]*>.*?</divineName>", re.S)
_SMALL_CAPS_RE = re.compile(r"\b(?:Lord|God)\b")
_TAG_RUN_RE = re.compile(r"(?:<[^>]*>)+")
# Tags that end a line, paragraph or line group stand between words.
_BLOCK_TAG_RE = re.compile(r"<\s*/?\s*(?:l|lg|lb|p|div|br|chapter|milestone)\b")
_SPACE_RE = re.compile(r"\s+")
_WORD_END = set(".,;:!?\u2019\u201d)")
_WORD_START = set("\u201c\u2018(")


def clean_markup(markup, tags_separate_words):
    """Plain passage text from one verse's markup.

    tags_separate_words: in the WEB module adjacent word elements stand for
    words whose blank was lost ("God</w><w>created"); in the KJV module a tag
    can fall inside a word ("give</w>n"), so there a tag joins.
    """
    text = _DROPPED_ELEMENTS_RE.sub(" ", markup)
    text = _DIVINE_NAME_RE.sub(lambda m: _SMALL_CAPS_RE.sub(lambda w: w.group(0).upper(),
                                                            m.group(0)), text)

    def replace(m):
        if _BLOCK_TAG_RE.search(m.group(0)):
            return " "
        if not tags_separate_words:
            return ""
        before = text[m.start() - 1] if m.start() > 0 else " "
        after = text[m.end()] if m.end() < len(text) else " "
        if (before.isalnum() or before in _WORD_END) and (after.isalnum() or after in _WORD_START):
            return " "
        return ""

    text = _TAG_RUN_RE.sub(replace, text)
    if "<" in text or ">" in text:
        raise VerseError("markup left in text: %r" % text[:120])
    text = html.unescape(text)
    text = text.replace("\u00b6", " ")
    text = "".join(CP1252_SUBSTITUTES.get(ch, ch) for ch in text)
    text = _SPACE_RE.sub(" ", text).strip()
    # A block tag before punctuation would leave "word ." behind.
    text = re.sub(r" (?=[,.;:!?\u2019\u201d](?:\s|$))", "", text)
    return text


def passage_text(ref, verses, tags_separate_words):
    parts = [clean_markup(verses[key], tags_separate_words) for key in ref.keys()]
    for key, part in zip(ref.keys(), parts):
        if not part:
            raise VerseError("%r: verse %s %d:%d has no text" % ((ref.text,) + key))
    return " ".join(parts)


def encode_line(text, what):
    try:
        data = text.encode("cp1252")
    except UnicodeEncodeError as e:
        raise VerseError("%s: character U+%04X cannot be written in Windows-1252"
                         % (what, ord(text[e.start])))
    if b"\r" in data or b"\n" in data:
        raise VerseError("%s: line break inside a line" % what)
    return data


def build_collection(pairs, terminated):
    """Bytes of one collection from (text, reference) pairs."""
    lines = []
    for text, reference in pairs:
        data = encode_line(text, reference)
        if len(data) < MIN_TEXT:
            raise VerseError("%s: text %r is too short; it would end the collection"
                             % (reference, text))
        if len(data) > MAX_TEXT:
            raise VerseError("%s: text has %d bytes, more than %d"
                             % (reference, len(data), MAX_TEXT))
        lines.append(data)
        lines.append(encode_line(reference, reference))
    body = b"\r\n".join(lines)
    return body + b"\r\n" if terminated else body


def collection_references(collection, refs):
    if collection == EXTENDED_COLLECTION:
        return extended_references(refs)
    if collection == SHORT_COLLECTION:
        return refs[:-1]
    return list(refs)


def build_all(refs, runner=run_diatheke):
    """{collection id: bytes} for all thirteen collections."""
    everything = extended_references(refs)
    texts = {}
    for module, separate in ((KJV_MODULE, False), (WEB_MODULE, True)):
        verses = fetch_verses(module, everything, runner)
        texts[module] = {ref.text: passage_text(ref, verses, separate) for ref in everything}
    files = {}
    for collection in COLLECTION_IDS:
        module = KJV_MODULE if collection == KJV_COLLECTION else WEB_MODULE
        pairs = [(texts[module][ref.text], ref.text)
                 for ref in collection_references(collection, refs)]
        files[collection] = build_collection(pairs, collection not in UNTERMINATED)
    return files


def file_name(collection):
    return "verses_%d.txt" % collection


def write_all(files, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for collection, data in sorted(files.items()):
        with open(os.path.join(out_dir, file_name(collection)), "wb") as f:
            f.write(data)


def compare_dirs(built_dir, committed_dir):
    """Names of the collection files that differ or are missing."""
    differing = []
    for collection in COLLECTION_IDS:
        name = file_name(collection)
        paths = (os.path.join(built_dir, name), os.path.join(committed_dir, name))
        if not all(os.path.exists(p) for p in paths):
            differing.append(name)
            continue
        with open(paths[0], "rb") as a, open(paths[1], "rb") as b:
            if a.read() != b.read():
                differing.append(name)
    return differing


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--references", default=DEFAULT_REFERENCES)
    parser.add_argument("--out", default=DEFAULT_OUT, help="folder of the collection files")
    parser.add_argument("--check", action="store_true",
                        help="build into a temporary folder and compare with --out")
    args = parser.parse_args(argv)
    try:
        refs = read_reference_list(args.references)
        files = build_all(refs)
    except VerseError as e:
        print("make_verses: error: %s" % e, file=sys.stderr)
        return 1
    if args.check:
        with tempfile.TemporaryDirectory() as tmp:
            write_all(files, tmp)
            differing = compare_dirs(tmp, args.out)
        if differing:
            print("make_verses: %s differ from a fresh build: %s"
                  % (args.out, ", ".join(differing)), file=sys.stderr)
            return 1
        print("make_verses: all %d collections reproduce byte for byte" % len(files))
        return 0
    write_all(files, args.out)
    for collection, data in sorted(files.items()):
        print("%s  %6d bytes" % (file_name(collection), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
