#!/usr/bin/env python3
"""Writes the shipped word lists EN.words, DE.words and YU.words.

Each output holds one upper-case word a line, CR LF, in the language's board code
page, and only words made entirely of the letters a crossword of that language can
hold; a word already written (after upper-casing) is not written again. English and
Serbian entries that start with a capital are names (AARON, EDSEL, Београд) and are
left out: a crossword wants common words. German capitalises every noun, so its list
keeps them.

With a fifth argument, the folder of Debian's SCOWL lists (package scowl,
/usr/share/dict/scowl), it also writes EN.scores: one WORD;SCORE line (UTF-8, LF) for
every English word whose score is not 50. SCOWL sorts words by how common they are
(size 10: the most common, 95: the rarest) and by kind; the recipe, first rule that applies:
  1. a word of the english or american lists of size 10 to 50: the LEVEL_SCORES below
     (10 -> 95 ... 50 -> 50);
  2. an abbreviation (any *-abbreviations list): 20;
  3. a spelling variant or a British, Canadian or Australian spelling only: 30;
  4. a word of the english or american lists of size 55 to 95: LEVEL_SCORES (45 ... 10);
  5. hacker slang or a Roman numeral: 10;
  6. anything else keeps the default 50 (no line).
Only lower-case SCOWL entries count (capitalised ones are names, which the English list
leaves out). SCOWL is Copyright 2000-2011 by Kevin Atkinson and others; the notice of
/usr/share/doc/scowl/copyright permits using and distributing the lists and output created
from them, with that notice kept (data/wordlists/SCOWL-COPYRIGHT).

usage: make_wordlists.py OUTPUT_FOLDER ENGLISH_LIST GERMAN_LIST SERBIAN_HUNSPELL_DIC [SCOWL_FOLDER]
"""
import glob
import os
import sys
import tempfile

ENGLISH_LETTERS = frozenset("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
# The 30 capitals of the Serbian Cyrillic alphabet (no Ѐ, Ѝ or Russian-only letters).
SERBIAN_LETTERS = frozenset("АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ")
# Crossword convention: a German umlaut or sharp s takes two cells.
GERMAN_SPELLING = str.maketrans({"Ä": "AE", "Ö": "OE", "Ü": "UE", "ß": "SS", "ẞ": "SS"})


def english(word):
    return word.upper()


def german(word):
    # Translate before upper-casing so that ß never depends on str.upper's choice.
    return word.translate(GERMAN_SPELLING).upper().translate(GERMAN_SPELLING)


def serbian(word):
    return word.upper()


def read_plain(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            yield line.rstrip("\r\n")


def read_hunspell(path, encoding):
    """The stems of a hunspell .dic: the first line is a count, then stem[/flags]."""
    with open(path, encoding=encoding) as f:
        first = True
        for line in f:
            line = line.rstrip("\r\n")
            if first:
                first = False
                if line.strip().isdigit():
                    continue
            stem = line.split("/", 1)[0]
            # Some dictionaries append morphological fields after a tab.
            yield stem.split("\t", 1)[0].strip()


def hunspell_encoding(dic_path):
    """The SET line of the .aff beside the .dic names its encoding."""
    aff = os.path.splitext(dic_path)[0] + ".aff"
    try:
        with open(aff, encoding="latin-1") as f:
            for line in f:
                if line.startswith("SET "):
                    name = line.split()[1].lower()
                    return {"microsoft-cp1251": "cp1251"}.get(name, name)
    except OSError:
        pass
    return "utf-8"


def common_words(words):
    return (word for word in words if not word[:1].isupper())


def select(words, spell, letters):
    seen = set()
    for word in words:
        word = spell(word)
        if word and word not in seen and all(c in letters for c in word):
            seen.add(word)
            yield word


def write_atomically(path, words, codepage):
    data = b"".join(word.encode(codepage) + b"\r\n" for word in words)
    write_bytes_atomically(path, data)
    return data.count(b"\n")


def write_bytes_atomically(path, data):
    folder = os.path.dirname(path) or "."
    fd, tmp = tempfile.mkstemp(dir=folder, prefix="." + os.path.basename(path))
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(tmp, 0o666 & ~umask)  # mkstemp's 0600 would hide the list from other users
        os.replace(tmp, path)
    except BaseException:
        os.unlink(tmp)
        raise


LEVEL_SCORES = {10: 95, 20: 85, 35: 75, 40: 65, 50: 50, 55: 45, 60: 40, 70: 30, 80: 20, 95: 10}
ABBREVIATION_SCORE = 20
VARIANT_SCORE = 30
SPECIAL_SCORE = 10
DEFAULT_SCORE = 50


def scowl_entries(folder, pattern):
    """(level, upper-cased word) of every lower-case entry of the lists matching pattern."""
    for path in sorted(glob.glob(os.path.join(folder, pattern))):
        level = int(path.rsplit(".", 1)[1])
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                word = line.strip()
                if word and not word[:1].isupper():
                    yield level, english(word)


def scowl_scores(folder):
    """The score of every word SCOWL knows, by the recipe of this file's docstring."""
    common, rare = {}, {}
    for level, word in scowl_entries(folder, "english-words.*"):
        target = common if level <= 50 else rare
        target[word] = min(level, target.get(word, level))
    for level, word in scowl_entries(folder, "american-words.*"):
        target = common if level <= 50 else rare
        target[word] = min(level, target.get(word, level))
    abbreviations = {w for _, w in scowl_entries(folder, "*-abbreviations.*")}
    variants = {w for pattern in ("variant_*-words.*", "british*-words.*", "canadian*-words.*",
                                  "australian*-words.*") for _, w in scowl_entries(folder, pattern)}
    special = {w for _, w in scowl_entries(folder, "special-*")}
    scores = {}
    for word in set(common) | abbreviations | variants | set(rare) | special:
        if word in common:
            scores[word] = LEVEL_SCORES[common[word]]
        elif word in abbreviations:
            scores[word] = ABBREVIATION_SCORE
        elif word in variants:
            scores[word] = VARIANT_SCORE
        elif word in rare:
            scores[word] = LEVEL_SCORES[rare[word]]
        else:
            scores[word] = SPECIAL_SCORE
    return scores


def write_scores(path, words, scores):
    lines = sorted(f"{w};{scores[w]}" for w in words if scores.get(w, DEFAULT_SCORE) != DEFAULT_SCORE)
    write_bytes_atomically(path, "".join(line + "\n" for line in lines).encode("utf-8"))
    return len(lines)


def main(argv):
    if len(argv) not in (5, 6):
        sys.stderr.write(__doc__)
        return 2
    out, english_list, german_list, serbian_dic = argv[1:5]
    scowl_folder = argv[5] if len(argv) == 6 else None
    os.makedirs(out, exist_ok=True)
    jobs = [
        ("EN.words", common_words(read_plain(english_list)), english, ENGLISH_LETTERS, "cp1252"),
        ("DE.words", read_plain(german_list), german, ENGLISH_LETTERS, "cp1252"),
        ("YU.words", common_words(read_hunspell(serbian_dic, hunspell_encoding(serbian_dic))), serbian,
         SERBIAN_LETTERS, "cp1251"),
    ]
    for name, words, spell, letters, codepage in jobs:
        selected = list(select(words, spell, letters))
        count = write_atomically(os.path.join(out, name), selected, codepage)
        print(f"{name}: {count} words")
        if name == "EN.words" and scowl_folder:
            scored = write_scores(os.path.join(out, "EN.scores"), selected, scowl_scores(scowl_folder))
            print(f"EN.scores: {scored} scores")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
