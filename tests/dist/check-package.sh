#!/usr/bin/env bash
# Builds the Debian packages of this build folder, checks them with lintian, installs the
# program's package into a throw-away root, uses it, and removes it again.
# Usage: check-package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb="$work/out/quillfen_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$work/out"; fail "no quillfen_${version}_${arch}.deb"; }

# Dependencies come from dpkg-shlibdeps: Qt's libraries with versions.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6 (>=' <<<"$depends" || fail "Depends lacks Qt Widgets: $depends"

# lintian: no errors in any of the packages.
for p in "$work"/out/*.deb; do
  out=$(lintian --tag-display-limit 0 "$p" 2>&1 || true)
  if grep -q '^E:' <<<"$out"; then echo "$out"; fail "lintian errors in $(basename "$p")"; fi
  grep '^W:' <<<"$out" || true
done

# Install into a throw-away root with a database of its own; the system's libraries serve it.
root="$work/root" admin="$work/root/var/lib/dpkg"
mkdir -p "$admin/updates" "$admin/info" "$root/home/user/.config/Quillfen"
touch "$admin/status" "$admin/available"
dpkg_root() { dpkg --root="$root" --admindir="$admin" --force-not-root --force-depends \
                   --force-script-chrootless --log=/dev/null "$@"; }
dpkg_root --install "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --install"; }
export HOME="$root/home/user" XDG_CONFIG_HOME="$root/home/user/.config"
bin="$root/usr/bin/quillfen"
libs=$(find "$root/usr/lib" -name 'libquillfen*.so*' -printf '%h\n' 2>/dev/null | sort -u | paste -sd: || true)
export LD_LIBRARY_PATH=${libs}${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}

"$bin" --version | grep -q "^quillfen $version$" || fail "quillfen --version"
"$bin" generate --dfm --title Saved --instruction 'Keep it?' > "$HOME/saved.dfm"
QT_QPA_PLATFORM=offscreen "$bin" render --from "$HOME/saved.dfm" --out "$HOME/saved.png"
file "$HOME/saved.png" | grep -q 'PNG image data' || fail "quillfen render"

# The file type as a desktop sees it once the trigger of shared-mime-info has run.
update-mime-database "$root/usr/share/mime" >/dev/null
for desktop in GNOME ""; do
  got=$(XDG_DATA_HOME=/nonexistent XDG_DATA_DIRS="$root/usr/share" XDG_CURRENT_DESKTOP=$desktop \
        xdg-mime query filetype "$HOME/saved.dfm")
  [ "$got" = application/x-quillfen-design ] || fail "${desktop:-generic} reader: saved design is $got"
done
for f in applications/$id.desktop metainfo/$id.metainfo.xml icons/hicolor/scalable/apps/$id.svg \
         icons/hicolor/16x16/apps/$id.png icons/hicolor/256x256/apps/$id.png man/man1/quillfen.1.gz; do
  [ -f "$root/usr/share/$f" ] || fail "not installed: /usr/share/$f"
done
echo 'settings' > "$HOME/.config/Quillfen/recent.ini"

# Removing (and purging) the package leaves the user's files and nothing of its own.
dpkg_root --purge quillfen >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge"; }
rm -rf "$root/usr/share/mime"  # the database the trigger stand-in made above
left=$(find "$root" -path "$admin" -prune -o -path "$HOME" -prune -o -type f -print)
[ -z "$left" ] || fail "left behind: $left"
[ -f "$HOME/saved.dfm" ] && [ -f "$HOME/.config/Quillfen/recent.ini" ] || fail "removal touched the user's files"
echo "package $(basename "$deb") installs, works and leaves nothing behind"
