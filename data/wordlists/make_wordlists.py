#!/usr/bin/env python3
"""Writes the shipped word lists EN.words, DE.words and YU.words.

Each output holds one upper-case word a line, CR LF, in the language's board code
page, and only words made entirely of the letters a crossword of that language can
hold; a word already written (after upper-casing) is not written again. English and
Serbian entries that start with a capital are names (AARON, EDSEL, Београд) and are
left out: a crossword wants common words. German capitalises every noun, so its list
keeps them.

usage: make_wordlists.py OUTPUT_FOLDER ENGLISH_LIST GERMAN_LIST SERBIAN_HUNSPELL_DIC
"""
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
    return data.count(b"\n")


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    out, english_list, german_list, serbian_dic = argv[1:]
    os.makedirs(out, exist_ok=True)
    jobs = [
        ("EN.words", common_words(read_plain(english_list)), english, ENGLISH_LETTERS, "cp1252"),
        ("DE.words", read_plain(german_list), german, ENGLISH_LETTERS, "cp1252"),
        ("YU.words", common_words(read_hunspell(serbian_dic, hunspell_encoding(serbian_dic))), serbian,
         SERBIAN_LETTERS, "cp1251"),
    ]
    for name, words, spell, letters, codepage in jobs:
        count = write_atomically(os.path.join(out, name), select(words, spell, letters), codepage)
        print(f"{name}: {count} words")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
