#!/bin/sh
# Refreshes resources/language/english.ts (or the catalogue named as the argument) from the
# sources: new texts come in unfinished. Translate every new entry before committing; the
# catalogue test runs this script over a copy and fails on unfinished ones. $LUPDATE names the
# lupdate to run (default: the one on the path).
set -e
cd "$(dirname "$0")/.."
"${LUPDATE:-lupdate}" -silent -locations none -no-obsolete -extensions cpp,h,ui -I . \
    app base bootcheck device dialogs editors jobs model simulation -ts "${1:-resources/language/english.ts}"
