#!/usr/bin/env python3
"""Fills unfinished entries of a Qt .ts catalogue from a JSON object read on stdin.

Keys are source texts, or "Context|source text" to translate one context only; values are the
translations. With --from OLD.ts, translations of the same source text in any context of an
older catalogue are used too (for texts that moved to another class). Run scripts/update-catalogue.sh first (to bring new texts in) and afterwards
(to normalise the file). Prints the entries that are still unfinished.
"""
import json
import sys
import xml.etree.ElementTree as ET

args = sys.argv[1:]
mapping = {}
if len(args) == 3 and args[1] == "--from":
    for message in ET.parse(args[2]).getroot().iter("message"):
        tr = message.find("translation")
        if tr is not None and tr.get("type") is None and tr.text:
            mapping.setdefault(message.findtext("source"), tr.text)
else:
    mapping = json.load(sys.stdin)
path = args[0]
tree = ET.parse(path)
left = []
for context in tree.getroot().iter("context"):
    cname = context.findtext("name")
    for message in context.iter("message"):
        source = message.findtext("source")
        tr = message.find("translation")
        if tr is None or tr.get("type") != "unfinished":
            continue
        key = cname + "|" + source
        value = mapping.get(key, mapping.get(source))
        if value is None:
            left.append(key)
            continue
        tr.text = value
        del tr.attrib["type"]
tree.write(path, encoding="utf-8", xml_declaration=True)
for key in left:
    print("unfinished:", key.replace("\n", "\\n"))
