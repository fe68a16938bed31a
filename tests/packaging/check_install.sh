#!/usr/bin/env bash
# Installs the build into a throw-away prefix and checks what a user gets: the application folder
# as one unit, the launcher, the desktop entry, metainfo and icons, and where an installed copy
# keeps its settings when its folder is not writable.
# Usage: check_install.sh <cmake> <build-folder> <source-folder> <path-probe> <version>
set -uo pipefail

cmake=$1 build=$2 source=$3 probe=$4 version=$5
id=org.vantorel.Vantorel
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
skip() { echo "SKIP: $*"; }

root=$(mktemp -d /tmp/vantorel-install-test.XXXXXX) || exit 1
cleanup() {
    chmod -R u+w "$root" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT
# Another user must be able to reach the installed copy.
chmod 755 "$root"
prefix=$root/prefix
app=$prefix/lib/vantorel

unset DESTDIR
if ! "$cmake" --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1; then
    cat "$root/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

# --- Layout: exactly these files, plus whatever the help page brings along in help/.
expected="bin/vantorel
lib/vantorel/data/conv.exe
lib/vantorel/help/index.html
lib/vantorel/sound.wav
lib/vantorel/vantorel
share/applications/$id.desktop
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/metainfo/$id.metainfo.xml"
actual=$(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
missing=$(comm -23 <(echo "$expected") <(echo "$actual"))
extra=$(comm -13 <(echo "$expected") <(echo "$actual") | grep -v '^lib/vantorel/help/')
[ -z "$missing" ] && pass "every file is installed" || fail "missing: $missing"
[ -z "$extra" ] && pass "nothing else is installed" || fail "unexpected: $extra"

for f in "$app/vantorel" "$app/data/conv.exe"; do
    if [ -f "$f" ] && [ -x "$f" ]; then pass "${f#"$prefix"/} is executable"; else fail "${f#"$prefix"/} is not an executable file"; fi
done
unreadable=$(find "$prefix" \( -type f ! -perm -o+r \) -o \( -type d ! -perm -o+rx \))
[ -z "$unreadable" ] && pass "everything is readable by every user" || fail "not readable by others: $unreadable"

# The installed files are the ones the build made or the project ships, not stale copies.
same() {
    if cmp -s "$1" "$2"; then pass "${2#"$prefix"/} matches ${1#"$build"/}"; else fail "${2#"$prefix"/} differs from $1"; fi
}
same "$build/app/vantorel" "$app/vantorel"
same "$build/app/data/conv.exe" "$app/data/conv.exe"
same "$source/assets/sound.wav" "$app/sound.wav"
same "$source/help/index.html" "$app/help/index.html"
same "$source/assets/src/icon.svg" "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
same "$source/assets/skin/icon.png" "$prefix/share/icons/hicolor/256x256/apps/$id.png"

for f in "$app/vantorel" "$app/data/conv.exe"; do
    if ldd "$f" >"$root/ldd.txt" 2>&1 && ! grep -q 'not found' "$root/ldd.txt"; then
        pass "${f#"$prefix"/} finds all its libraries"
    else
        fail "${f#"$prefix"/} cannot load: $(grep 'not found' "$root/ldd.txt")"
    fi
done

# --- The launcher: a relative link, so the tree works wherever it is unpacked.
link=$(readlink "$prefix/bin/vantorel")
if [ -L "$prefix/bin/vantorel" ] && [ "${link#/}" = "$link" ]; then
    pass "bin/vantorel is a relative link ($link)"
else
    fail "bin/vantorel is not a relative link (${link:-no link})"
fi
[ "$(readlink -f "$prefix/bin/vantorel")" = "$(readlink -f "$app/vantorel")" ] &&
    pass "bin/vantorel leads to the program" || fail "bin/vantorel leads to $(readlink -f "$prefix/bin/vantorel")"

# --- Desktop entry, metainfo and icon agree with each other and with what is installed.
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$exec_name" ] && [ -e "$prefix/bin/$exec_name" ] &&
    pass "the desktop entry starts bin/$exec_name" || fail "the desktop entry starts '$exec_name', not in bin/"
[ "$icon_name" = "$id" ] && pass "the desktop entry's icon is installed" || fail "the desktop entry's icon is '$icon_name'"
grep -q "<id>$id</id>" "$metainfo" && grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" &&
    pass "the metainfo names the desktop entry" || fail "the metainfo's id or launchable is not $id"
grep -q "<binary>$exec_name</binary>" "$metainfo" &&
    pass "the metainfo names the launcher" || fail "the metainfo does not provide the binary $exec_name"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | sed 's/.*"\(.*\)"/\1/')
[ "$newest" = "$version" ] && pass "the newest release is $version" || fail "the newest release in the metainfo is '$newest', the project is $version"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" && pass "desktop-file-validate" || fail "desktop-file-validate"
else
    skip "desktop-file-validate is not installed"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$root/appstream.txt" 2>&1 &&
        pass "appstreamcli validate" || fail "appstreamcli validate: $(cat "$root/appstream.txt")"
else
    skip "appstreamcli is not installed"
fi

# --- A staged install (as the package build does it) lands under DESTDIR and nowhere else.
if DESTDIR=$root/stage "$cmake" --install "$build" --prefix "$root/direct" >"$root/stage.log" 2>&1; then
    staged=$root/stage$root/direct
    [ -L "$staged/bin/vantorel" ] && [ -x "$staged/lib/vantorel/data/conv.exe" ] &&
        pass "a staged install is complete" || fail "a staged install lacks the launcher or the encoder"
    [ ! -e "$root/direct" ] && pass "a staged install writes nothing outside DESTDIR" ||
        fail "a staged install wrote into $root/direct"
else
    fail "staged install: $(cat "$root/stage.log")"
fi

# --- Started through a link from bin/ like the launcher, a program of the installed folder
# finds its files in that folder. The probe stands in for the program, which opens a window.
cp "$probe" "$app/vantorel-path-probe"
ln -s "${link%/*}/vantorel-path-probe" "$prefix/bin/vantorel-path-probe"
value() { sed -n "s/^$1=//p" <<<"$2"; }
real_app=$(readlink -f "$app")
out=$("$prefix/bin/vantorel-path-probe")
[ "$(value app "$out")" = "$real_app" ] && pass "through the link the program folder is lib/vantorel" ||
    fail "through the link the program folder is '$(value app "$out")', expected $real_app"
encoder=$(value encoder "$out")
[ "$encoder" = "$real_app/data/conv.exe" ] && [ -x "$encoder" ] &&
    pass "through the link the encoder is found and executable" || fail "encoder path '$encoder'"
[ -f "$(value sound "$out")" ] && pass "through the link sound.wav is found" || fail "sound path '$(value sound "$out")'"
[ "$(value setup "$out")" = "$real_app/setup.ini" ] &&
    pass "a copy in a writable folder keeps its settings beside the program" ||
    fail "a writable copy keeps setup.ini at '$(value setup "$out")'"

# Read-only, as under /usr: the settings move to ~/.config/vantorel. Root writes anywhere, so
# the copy is run as an ordinary user then.
chmod -R a-w "$app"
home=$root/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    if id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
        chown "$(id -u nobody):$(id -g nobody)" "$home"
        as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
    else
        skip "no ordinary user to run the read-only copy as"
        home=
    fi
fi
if [ -n "$home" ]; then
    out=$("${as_user[@]}" env -u XDG_CONFIG_HOME HOME="$home" "$prefix/bin/vantorel-path-probe")
    [ "$(value setup "$out")" = "$home/.config/vantorel/setup.ini" ] &&
        [ "$(value options "$out")" = "$home/.config/vantorel/options.ini" ] &&
        pass "a copy in a read-only folder keeps its settings in ~/.config/vantorel" ||
        fail "a read-only copy keeps its settings at '$(value setup "$out")' and '$(value options "$out")'"
    [ "$(value encoder "$out")" = "$real_app/data/conv.exe" ] &&
        pass "another user finds the encoder too" || fail "another user's encoder path '$(value encoder "$out")'"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
