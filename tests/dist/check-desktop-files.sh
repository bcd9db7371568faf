#!/usr/bin/env bash
# The installed desktop files pass their validators, and the design file type claims designs
# and only designs. Usage: check-desktop-files.sh QUILLFEN BUILT_DIST_DIR SOURCE_DIST_DIR APP_ID
set -euo pipefail
quillfen=$1 built=$2 source=$3 id=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# desktop-file-validate prints every error and warning; it must print nothing.
out=$(desktop-file-validate "$built/$id.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"

# appstreamcli: no errors and no warnings (information notes are allowed).
out=$(appstreamcli validate --no-net "$built/$id.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
! grep -q -E '^[EW]:' <<<"$out" || fail "appstreamcli: $out"

# Every screenshot the metadata names was rendered by the build.
shots=$(grep -o '<image>[^<]*</image>' "$built/$id.metainfo.xml" | sed 's|.*/\([^/<]*\)</image>|\1|')
[ -n "$shots" ] || fail "the metadata names no screenshot"
for s in $shots; do
  file "$built/screenshots/$s" | grep -q 'PNG image data' || fail "screenshot $s was not rendered"
done

# The icon in every size, each PNG exactly that size.
for size in 16 22 24 32 48 64 128 256; do
  file "$built/icons/${size}x$size/$id.png" | grep -q "PNG image data, $size x $size" ||
    fail "icon ${size}x$size missing or of another size"
done

# The file type: a private shared-mime-info database holding only our package besides the
# system's. Design files (as Generate writes them) get the design type through GIO and through
# the generic reader; another form, a binary form and an empty file do not.
mkdir -p "$work/share/mime/packages"
cp "$source/quillfen-mime.xml" "$work/share/mime/packages/$id.xml"
update-mime-database "$work/share/mime" >/dev/null
"$quillfen" generate --dfm --title Saved --instruction 'Keep it?' > "$work/saved.dfm"
printf '\xef\xbb\xbf' > "$work/bom.dfm"; cat "$work/saved.dfm" >> "$work/bom.dfm"
# A form that holds a dialog is not a design (the designer can still open it).
printf 'object Form1: TForm1\r\n  Left = 0\r\n  Top = 0\r\n  Caption = %s\r\n  object VxDialog1: TVxDialog\r\n  end\r\nend\r\n' "'Form1'" > "$work/form.dfm"
printf 'TPF0\x06TForm1\x05Form1\x00\x00' > "$work/binary.dfm"
: > "$work/empty.dfm"
export XDG_DATA_HOME="$work/share" XDG_DATA_DIRS=/usr/share
for desktop in GNOME ""; do
  for f in saved:application/x-quillfen-design bom:application/x-quillfen-design \
           form:application/x-delphi-form binary:application/x-delphi-form; do
    name=${f%%:*} want=${f#*:}
    got=$(XDG_CURRENT_DESKTOP=$desktop xdg-mime query filetype "$work/$name.dfm")
    [ "$got" = "$want" ] || fail "${desktop:-generic} reader: $name.dfm is $got, not $want"
  done
  got=$(XDG_CURRENT_DESKTOP=$desktop xdg-mime query filetype "$work/empty.dfm")
  [ "$got" != application/x-quillfen-design ] || fail "${desktop:-generic} reader claims an empty file"
done
grep -q "^MimeType=application/x-quillfen-design;$" "$built/$id.desktop" || fail "the entry does not open designs"
echo "desktop entry, metadata, screenshots, icons and file type are sound"
