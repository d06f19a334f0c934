#!/usr/bin/env bash
# Installs the build (cmake --install, prefix /usr) into a scratch root and runs the installed
# programs from there: they must find their standard files in share/tavrin and their
# plug-ins in lib/tavrin/plugins, keep their settings in the user's XDG config folder, and
# turn portable again with a tavrin.ini beside them.
set -euo pipefail
build=${1:?usage: install_tree_test.sh BUILD_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$scratch/root/usr"
for f in bin/tavrin bin/tavrin-cli share/tavrin/tavrin.pal share/tavrin/tavrin.dat \
         share/tavrin/tavrin.adf share/tavrin/tavrin.chr share/tavrin/tavrin.htm \
         lib/tavrin/plugins/2bpp_packed.so lib/tavrin/plugins/8bpp_linear.so \
         lib/tavrin/plugins/8bpp_snes.so share/applications/org.example.tavrin.desktop \
         share/icons/hicolor/scalable/apps/org.example.tavrin.svg \
         share/metainfo/org.example.tavrin.metainfo.xml share/mime/packages/org.example.tavrin.xml; do
  [ -f "$usr/$f" ] || fail "$f not installed"
done

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$scratch"

# The command line: 13 built-in formats and the 3 sample plug-ins from lib/tavrin/plugins.
formats=$("$usr/bin/tavrin-cli" formats)
[ "$(echo "$formats" | wc -l)" -eq 16 ] || fail "formats: $formats"
echo "$formats" | grep -q $'^15\t8BPP SNES' || fail "no plug-in formats: $formats"

# The standard palette is read from share/tavrin: without it the same export differs.
"$usr/bin/tavrin-cli" export "$usr/share/tavrin/tavrin.chr" with.bmp
mv "$usr/share/tavrin/tavrin.pal" "$scratch/tavrin.pal"
"$usr/bin/tavrin-cli" export "$usr/share/tavrin/tavrin.chr" without.bmp
mv "$scratch/tavrin.pal" "$usr/share/tavrin/tavrin.pal"
cmp -s with.bmp without.bmp && fail "export did not use share/tavrin/tavrin.pal"

# The window names the folders it uses...
help=$("$usr/bin/tavrin" --help)
for part in "installed" "$XDG_CONFIG_HOME/tavrin/tavrin.ini" "$usr/share/tavrin/" \
            "$usr/lib/tavrin/plugins/" "$XDG_DATA_HOME/tavrin/plugins/" "$XDG_RUNTIME_DIR/tavrin/"; do
  grep -qF -- "$part" <<<"$help" || fail "--help does not name $part"
done
# ...starts offscreen in English, opens the demo from share/tavrin and writes its settings
# into the scratch config folder, nowhere beside itself.
TAVRIN_STARTUP_REPORT=quit timeout 60 "$usr/bin/tavrin" --lang en 2>"$scratch/err" ||
  fail "the window did not run: $(cat "$scratch/err")"
grep -q "first paint" "$scratch/err" || fail "no first paint: $(cat "$scratch/err")"
grep -q "could not be loaded" "$scratch/err" && fail "$(cat "$scratch/err")"
[ -f "$XDG_CONFIG_HOME/tavrin/tavrin.ini" ] || fail "no settings in $XDG_CONFIG_HOME/tavrin"
grep -q '^\[Tavrin.Linux\]' "$XDG_CONFIG_HOME/tavrin/tavrin.ini" || fail "settings incomplete"
[ ! -e "$usr/bin/tavrin.ini" ] || fail "settings written beside the program"

# A tavrin.ini beside the installed program makes it portable.
: >"$usr/bin/tavrin.ini"
"$usr/bin/tavrin" --help | grep -q "portable" || fail "tavrin.ini beside did not make it portable"
echo "install tree: 1 passed, 0 failed"
