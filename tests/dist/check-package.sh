#!/usr/bin/env bash
# Builds the Debian packages of this build folder, checks them with lintian, installs them into a
# throw-away root, uses them, and removes them again.
# Usage: check-package.sh BUILD_DIR APP_ID SOURCE_DIR CXX
set -euo pipefail
build=$1 id=$2 source=$3 cxx=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb="$work/out/quillfen_${version}_${arch}.deb"
# The library package is named after the SONAME, as Debian names library packages.
soname=$(objdump -p "$build"/dialogs/libquillfen-dialogs.so.*.*.* | sed -n 's/^ *SONAME *//p')
libpkg=$(sed 's/\.so\.//' <<<"$soname")
lib="$work/out/${libpkg}_${version}_${arch}.deb" dev="$work/out/libquillfen-dev_${version}_${arch}.deb"
for p in "$deb" "$lib" "$dev"; do
  [ -f "$p" ] || { ls "$work/out"; fail "no $(basename "$p")"; }
done
[ "$(ls "$work"/out/*.deb | wc -l)" = 3 ] || { ls "$work/out"; fail "packages other than the three"; }

# Dependencies come from dpkg-shlibdeps: Qt's libraries with versions; the development files
# need the library of the same version.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6 (>=' <<<"$depends" || fail "Depends lacks Qt Widgets: $depends"
grep -q 'libqt6widgets6 (>=' <<<"$(dpkg-deb -f "$lib" Depends)" || fail "library Depends lacks Qt Widgets"
grep -q "$libpkg (= $version)" <<<"$(dpkg-deb -f "$dev" Depends)" || fail "libquillfen-dev does not depend on $libpkg"
# The split: the library and its SONAME link in the runtime package, the development link,
# headers, CMake package and pkg-config file in -dev, nothing of either in the program's.
contents() { dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|'; }
contents "$lib" | grep -q "/$soname\$" || fail "$libpkg lacks $soname"
contents "$lib" | grep -q -E '\.h$|/libquillfen-dialogs\.so$|\.pc$|cmake' && fail "$libpkg holds development files"
for f in /include/quillfen/VxDialog.h /libquillfen-dialogs.so /pkgconfig/quillfen.pc /cmake/Quillfen/QuillfenConfig.cmake; do
  contents "$dev" | grep -q -F "$f" || fail "libquillfen-dev lacks $f"
done
contents "$deb" | grep -q -E 'libquillfen|/include/' && fail "quillfen holds library files"
objdump -p "$build/app/quillfen" | grep -q 'NEEDED.*libquillfen' &&
  ! grep -q "$libpkg" <<<"$depends" && fail "quillfen needs the library but does not depend on it"

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
dpkg_root --install "$lib" "$dev" "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --install"; }
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

# A client program builds against the installed development package alone (pkg-config) and
# runs on the installed library.
pcdir=$(dirname "$(find "$root/usr" -name quillfen.pc)")
flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs quillfen) || fail "pkg-config quillfen"
"$cxx" -std=c++20 "$source/examples/minimal/main.cpp" $flags -o "$work/minimal" || fail "building against libquillfen-dev"
ldd "$work/minimal" | grep -q "$soname => $root/" || fail "the client does not load the installed $soname"

# Removing (and purging) the package leaves the user's files and nothing of its own.
dpkg_root --purge quillfen libquillfen-dev "$libpkg" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge"; }
rm -rf "$root/usr/share/mime"  # the database the trigger stand-in made above
left=$(find "$root" -path "$admin" -prune -o -path "$HOME" -prune -o -type f -print)
[ -z "$left" ] || fail "left behind: $left"
[ -f "$HOME/saved.dfm" ] && [ -f "$HOME/.config/Quillfen/recent.ini" ] || fail "removal touched the user's files"
echo "packages $(cd "$work/out" && echo *.deb) install, work and leave nothing behind"
