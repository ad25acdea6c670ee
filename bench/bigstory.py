#!/usr/bin/env python3
"""Writes a big story for the opening benchmark: CLASSES classes, each
with a variable, a name and a short function, all in one room.
About 2 MB of source with the default 8,000 classes.

Usage: bigstory.py OUT.velmo [CLASSES]
Then: /usr/bin/time -v velmo-term --run OUT.velmo   (time and peak memory)
"""

import sys


def letters(n):
    text = ""
    while True:
        text = chr(ord("a") + n % 26) + text
        n //= 26
        if n == 0:
            break
    return text if len(text) >= 2 else "a" + text


def story(classes):
    parts = [
        'class Raum { setShort("-Halle"); }\n',
    ]
    for k in range(classes):
        w = letters(k)
        parts.append(
            "// Ein Gegenstand unter vielen, mit einem Zähler und einer Funktion.\n"
            "class Gegenstand%d\n{\n"
            "  int zaehler%d = %d;\n"
            '  setShort("+alt* Kasten%s");\n'
            "  moveto(Raum);\n\n"
            "  int zaehle(int schritt)\n  {\n"
            "    zaehler%d = zaehler%d + schritt;\n"
            '    if (zaehler%d > 100) { write("Der Kasten ist voll.^"); }\n'
            "    return(zaehler%d);\n  }\n}\n\n" % (k, k, k % 50, w, k, k, k, k))
    parts.append("void main() { write(Gegenstand0.zaehle(1)); }\n")
    return "".join(parts)


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    classes = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write(story(classes))
    return 0


if __name__ == "__main__":
    sys.exit(main())
