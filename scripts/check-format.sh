#!/bin/sh
# Checks that the C++ sources follow .clang-format and names every file that does not.
#   scripts/check-format.sh             every C++ file git tracks (the CI stage)
#   scripts/check-format.sh FILE...     the files given
#   scripts/check-format.sh --staged    the lines staged for the next commit (scripts/hooks/pre-commit)
# Exit status 1 when something is not formatted. To fix a file: clang-format -i FILE; to fix the
# staged lines only: git clang-format. The style is that of clang-format 14 (Debian 12): other
# versions break some lines differently, so the check says when it runs another one.
set -e
cd "$(dirname "$0")/.."
format="${CLANG_FORMAT:-clang-format}"
if ! command -v "$format" >/dev/null 2>&1; then
    echo "check-format: $format is not installed (apt-get install clang-format)" >&2
    exit 2
fi
version=$("$format" --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
[ "$version" = 14 ] || echo "check-format: clang-format $version here; the style is checked with 14" >&2

if [ "$1" = "--staged" ]; then
    # Only the lines this commit changes: a file touched for one line is not made to carry a
    # reformat of the rest (git clang-format formats the same lines).
    out=$(git clang-format --binary "$(command -v "$format")" --staged --diff --extensions cpp,h 2>&1) || true
    case "$out" in
    diff*)
        printf '%s\n' "$out"
        echo "check-format: the staged lines above are not formatted; run git clang-format and stage again" >&2
        exit 1
        ;;
    esac
    exit 0
fi

list=$(mktemp)
trap 'rm -f "$list"' EXIT
if [ "$#" -gt 0 ]; then
    printf '%s\n' "$@" > "$list"
else
    git ls-files '*.cpp' '*.h' > "$list"
fi
# One clang-format per file, as many at once as there are cores; a file that differs from its
# formatted self is named.
bad=$(tr '\n' '\0' < "$list" | xargs -0 -P "$(nproc)" -I{} sh -c \
    '"$0" --dry-run --Werror "$1" >/dev/null 2>&1 || echo "$1"' "$format" {} | sort)
total=$(grep -c . "$list" || true)
if [ -n "$bad" ]; then
    printf '%s\n' "$bad"
    echo "check-format: $(printf '%s\n' "$bad" | grep -c .) of $total files are not formatted (clang-format -i FILE)" >&2
    exit 1
fi
echo "check-format: $total files formatted"
