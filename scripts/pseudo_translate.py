#!/usr/bin/python3
"""Makes a pseudo-translation of Ombrel's texts, to see every window as a
longer language would show it.

  pseudo_translate.py TEMPLATE.ts OUTPUT.ts [LANGUAGE]

Every letter of a source text gets an accent and the text grows by about
40 percent, so a caption that is cut, or a text that never went through the
translator, shows at a glance. What the program reads in a text stays as it
is: the arguments (%1, %L2, %n), the letter after "&" (the keyboard
shortcut, so Alt+F still opens the File menu), "&&", markup (<b>, &amp;)
and the key names after a tab.
"""
import re
import sys
import xml.etree.ElementTree as ET

ACCENTED = dict(zip(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "áƀçđéƒĝĥíĵķĺɱñóþǫŕšţúṽŵẋýžÁƁÇĐÉƑĜĤÍĴĶĹṀÑÓÞǪŔŠŢÚṼŴẊÝŽ"))
# Appended until the text is about 40% longer; accented too, so a clipped
# end shows.
FILLER = "ŵüñđéŕļîçĥ"
# Pieces copied unchanged: an argument, a shortcut letter, markup, an
# entity, a percent sign, everything after a tab (the shortcut's keys), a
# file name pattern (*.obr, .txt).
KEEP = re.compile(r"%L?\d+|%n|&&|&[A-Za-z0-9#]+;|&.|<[^>]*>|%%|\t.*$|\*?\.[A-Za-z*]+", re.S)


def accent(text):
    return "".join(ACCENTED.get(c, c) for c in text)


def pseudo(source):
    if not any(c.isalpha() for c in source):
        return source
    # A file dialog's filter: "Description|pattern|Description|pattern".
    if "|" in source:
        parts = source.split("|")
        return "|".join(pseudo(part) if i % 2 == 0 else part for i, part in enumerate(parts))
    out = []
    letters = 0
    last = 0
    for match in KEEP.finditer(source):
        words = source[last:match.start()]
        letters += sum(1 for c in words if c.isalpha())
        out.append(accent(words))
        out.append(match.group(0))
        last = match.end()
    letters += sum(1 for c in source[last:] if c.isalpha())
    out.append(accent(source[last:]))
    text = "".join(out)
    if letters == 0:
        return source
    extra = max(1, round(letters * 0.4))
    padding = (FILLER * (extra // len(FILLER) + 1))[:extra]
    # Before a trailing tab part or colon/ellipsis, so those stay where the
    # program expects them.
    tail = re.search(r"(\t.*|[:.…\s]+)$", text, re.S)
    if tail:
        return text[:tail.start()] + padding + text[tail.start():]
    return text + padding


def main():
    template, output = sys.argv[1], sys.argv[2]
    language = sys.argv[3] if len(sys.argv) > 3 else "en_XA"
    tree = ET.parse(template)
    root = tree.getroot()
    root.set("language", language)
    for message in root.iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        if translation is None:
            translation = ET.SubElement(message, "translation")
        translation.attrib.pop("type", None)
        if message.get("numerus") == "yes":
            translation.text = None
            for child in list(translation):
                translation.remove(child)
            for _ in range(2):
                ET.SubElement(translation, "numerusform").text = pseudo(source)
        else:
            translation.text = pseudo(source)
    tree.write(output, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main()
