#!/bin/sh
# Refreshes resources/language/english.ts (or the catalogue named as the argument) from the
# sources: new texts come in unfinished. Translate every new entry before committing; the
# catalogue test runs this script over a copy and fails on unfinished ones. $LUPDATE names the
# lupdate to run (default: the one on the path).
set -e
cd "$(dirname "$0")/.."
# TAMIRAdesk's texts: app and the folders it may include (layers.txt); servicetool has no catalogue.
folders="app $(sed -n 's/^app://p' layers.txt)"
"${LUPDATE:-lupdate}" -silent -locations none -no-obsolete -extensions cpp,h,ui -I . \
    $folders -ts "${1:-resources/language/english.ts}"
