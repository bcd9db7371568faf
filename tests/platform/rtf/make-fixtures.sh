#!/bin/sh
# Makes the RTF test fixtures from the sources in this folder. Needs pandoc and LibreOffice
# (Debian: pandoc, libreoffice-writer-nogui); the tests only read the results, which are
# committed. Each .txt is LibreOffice's own plain-text export of the .rtf beside it.
set -e
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"
office() { soffice --headless "$@" >/dev/null 2>&1; }

pandoc -s writer-notes.md -o pandoc-notes.rtf
pandoc -s writer-notes.md -o "$work/writer-notes.docx"
office --convert-to rtf --outdir "$work" "$work/writer-notes.docx"
office --convert-to rtf --outdir "$work" writer-layout.fodt
office --convert-to rtf --outdir "$work" writer-intl.fodt
for f in writer-notes writer-layout writer-intl; do
    python3 legacy.py trim "$work/$f.rtf" "$f.rtf"
done
python3 legacy.py codepages writer-intl.rtf legacy-fcharset.rtf legacy-ansicpg932.rtf
for f in pandoc-notes writer-notes writer-layout writer-intl legacy-fcharset legacy-ansicpg932; do
    office --convert-to "txt:Text (encoded):UTF8" --outdir "$work" "$f.rtf"
    sed '1s/^\xef\xbb\xbf//' "$work/$f.txt" > "$f.txt"
done
