#!/usr/bin/env bash
# Installs the build (cmake --install, prefix /usr) into a scratch root and runs the installed
# programs from there: they must find their standard files in share/tavrin, take plug-ins from
# TAVRIN_PLUGIN_PATH, the user's folder and lib/tavrin/plugins (never the installed samples),
# keep their settings in the user's XDG config folder, and
# turn portable again with a tavrin.ini beside them.
set -euo pipefail
build=${1:?usage: install_tree_test.sh BUILD_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$scratch/root/usr"
for f in bin/tavrin bin/tavrin-cli share/tavrin/tavrin.pal share/tavrin/tavrin.dat \
         share/tavrin/tavrin.adf share/tavrin/tavrin.chr share/tavrin/tavrin.htm share/tavrin/tavrin_en.htm \
         share/tavrin/plugin-samples/2bpp_packed.so share/tavrin/plugin-samples/8bpp_linear.so \
         share/tavrin/plugin-samples/8bpp_snes.so share/tavrin/plugin-samples/README.md \
         include/tavrin/tavrin_plugin.h include/tavrin/tavrin_plugin_block.h \
         share/applications/org.example.tavrin.desktop \
         share/icons/hicolor/scalable/apps/org.example.tavrin.svg \
         share/metainfo/org.example.tavrin.metainfo.xml share/mime/packages/org.example.tavrin.xml \
         share/doc/tavrin/LICENSE share/doc/tavrin/copyright; do
  [ -f "$usr/$f" ] || fail "$f not installed"
done

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$scratch"

# The command line: the 13 built-in formats; the installed samples are not scanned.
[ -d "$usr/lib/tavrin/plugins" ] || fail "no lib/tavrin/plugins"
formats=$("$usr/bin/tavrin-cli" formats)
[ "$(echo "$formats" | wc -l)" -eq 13 ] || fail "samples scanned: $formats"
# Copied into the user's folder, as the plug-ins' guide says, they become formats 13 to 15.
mkdir -p "$XDG_DATA_HOME/tavrin/plugins"
cp "$usr"/share/tavrin/plugin-samples/*.so "$XDG_DATA_HOME/tavrin/plugins/"
formats=$("$usr/bin/tavrin-cli" formats 2>/dev/null)
[ "$(echo "$formats" | wc -l)" -eq 16 ] || fail "formats: $formats"
echo "$formats" | grep -q $'^15\t8BPP SNES' || fail "no plug-in formats: $formats"
# A plug-in being developed comes first through TAVRIN_PLUGIN_PATH; the user's last one is then
# refused as the fourth. A copy cut short is skipped with its reason, not mapped.
mkdir -p "$scratch/dev"
cp "$usr/share/tavrin/plugin-samples/8bpp_snes.so" "$scratch/dev/a_mine.so"
head -c 4000 "$usr/share/tavrin/plugin-samples/8bpp_linear.so" >"$scratch/dev/b_cut.so"
formats=$(TAVRIN_PLUGIN_PATH="$scratch/none:$scratch/dev" "$usr/bin/tavrin-cli" formats 2>"$scratch/err")
echo "$formats" | grep -q $'^13\t8BPP SNES' || fail "TAVRIN_PLUGIN_PATH not first: $formats"
grep -q "b_cut.so: not a loadable library (cut short" "$scratch/err" || fail "cut: $(cat "$scratch/err")"
grep -q "8bpp_snes.so: not added: the format list is full" "$scratch/err" ||
  fail "no fourth refused: $(cat "$scratch/err")"
TAVRIN_PLUGIN_PATH="$scratch/dev" "$usr/bin/tavrin-cli" --help >/dev/null 2>&1 || fail "--help with a cut plug-in"
TAVRIN_PLUGIN_PATH="$scratch/dev" "$usr/bin/tavrin" --help >/dev/null 2>&1 ||
  fail "tavrin --help with a cut plug-in"
rm -r "$XDG_DATA_HOME/tavrin/plugins"

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
