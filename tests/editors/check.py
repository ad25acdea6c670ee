#!/usr/bin/env python3
"""Checks the editor files of the story language: both are well-formed,
and each knows every statement keyword of the keyword table, so that a
keyword added to the language and forgotten here fails the test.

Usage: check.py KEYWORDS_H KATE_XML TEXTMATE_JSON
"""
import json
import re
import sys
import xml.etree.ElementTree as ET


def table_keywords(header):
    # Rows of the table read {"text", code, context, params}; the two rows
    # without a statement and the braces are no words.
    text = open(header, encoding="utf-8").read()
    return set(re.findall(r'\{"([A-Za-z]+)", \d+, k\w+, (?:true|false)\}', text))


def xml_words(path):
    root = ET.parse(path).getroot()
    words = set()
    for name in ("keywords", "types"):
        items = root.findall(f".//list[@name='{name}']/item")
        words.update(item.text.strip() for item in items)
    return words


def textmate_matches(path):
    grammar = json.load(open(path, encoding="utf-8"))
    rules = grammar["repository"].values()
    return [re.compile(rule["match"]) for rule in rules
            if "match" in rule and rule.get("name", "").startswith(("keyword.", "storage."))]


def main():
    header, kate, textmate = sys.argv[1:4]
    keywords = table_keywords(header)
    if len(keywords) < 40:
        sys.exit(f"only {len(keywords)} keywords read from {header}")
    failures = []
    missing = sorted(keywords - xml_words(kate))
    if missing:
        failures.append(f"{kate} lacks: {' '.join(missing)}")
    patterns = textmate_matches(textmate)
    missing = sorted(k for k in keywords if not any(p.fullmatch(k) for p in patterns))
    if missing:
        failures.append(f"{textmate} lacks: {' '.join(missing)}")
    # A keyword is highlighted only as a whole word: "format" is no "for".
    if any(p.search("format") and p.search("format").group() == "for" for p in patterns):
        failures.append(f"{textmate} takes part of a word for a keyword")
    if failures:
        sys.exit("\n".join(failures))
    print(f"{len(keywords)} keywords in both editor files")


if __name__ == "__main__":
    main()
