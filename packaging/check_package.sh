#!/usr/bin/env bash
# Checks a built Debian package without installing it: unpacks it into a scratch root, checks that
# every file is where the programs, the desktop, man and bash look, runs the unpacked programs
# (they must take their language and help files from the unpacked share folder), validates the
# desktop entry and metainfo, and runs lintian.
#   packaging/check_package.sh talvero_VERSION_ARCH.deb
set -euo pipefail
if [[ $# -ne 1 || ! -f $1 ]]; then
    echo "usage: $0 PACKAGE.deb" >&2
    exit 2
fi
deb=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$(realpath "$scratch")/root
dpkg -x "$deb" "$root"
problems=0
problem() {
    echo "check_package: $*" >&2
    problems=$((problems + 1))
}

app=com.norvane.talvero
share=usr/share/talvero
for file in usr/bin/talvero usr/bin/talvero-cli usr/bin/talvero-radiosim \
    $share/talvero.0409.lang $share/talvero.0411.lang $share/talvero.chm \
    usr/share/man/man1/talvero.1.gz usr/share/man/man1/talvero-cli.1.gz \
    usr/share/man/man1/talvero-radiosim.1.gz \
    usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/talvero.svg usr/share/icons/hicolor/48x48/apps/talvero.png \
    usr/share/bash-completion/completions/talvero-cli \
    usr/share/doc/talvero/copyright usr/share/doc/talvero/changelog.Debian.gz; do
    [[ -f $root/$file ]] || problem "the package lacks /$file"
done
for lang in "$root"/usr/bin/*.lang "$root"/usr/bin/*.chm; do
    [[ -e $lang ]] && problem "a data file lies in bin/: ${lang#"$root"}"
done

# The unpacked programs report the files they use: those of the unpacked share folder.
for program in talvero talvero-cli; do
    report=$(TALVERO_LANG=0x0409 "$root/usr/bin/$program" --version) || problem "$program --version failed"
    grep -qxF "language file: $root/$share/talvero.0409.lang" <<<"$report" ||
        problem "$program does not use the installed language file:"$'\n'"$report"
    grep -qxF "help file: $root/$share/talvero.chm" <<<"$report" ||
        problem "$program does not find the installed help file:"$'\n'"$report"
done
# Japanese: the tool takes the installed Japanese file when the language asks for it.
TALVERO_LANG=0x0411 "$root/usr/bin/talvero-cli" --version | grep -qxF "language file: $root/$share/talvero.0411.lang" ||
    problem "talvero-cli does not use the installed Japanese language file"
# The program starts from its installed place and paints its window (headless).
XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=offscreen TALVERO_LANG=0x0409 \
    "$root/usr/bin/talvero" --exit-after-first-paint >/dev/null 2>"$scratch/err" ||
    problem "talvero did not start: $(cat "$scratch/err")"
# The tool works on a file, and its warnings are the program's texts, not ID_<n>.
cli="$root/usr/bin/talvero-cli"
if ! "$cli" new -o "$scratch/default.ini" || ! "$cli" check "$scratch/default.ini" >/dev/null; then
    problem "talvero-cli new/check failed"
fi
"$cli" idlist import "$scratch/default.ini" "$scratch/missing.csv" -o "$scratch/out.ini" 2>"$scratch/err" || true
grep -q 'ID_[0-9]' "$scratch/err" && problem "talvero-cli shows text IDs: $(cat "$scratch/err")"

# Every command of the tool has its section in the manual page.
page=$(MANWIDTH=100 man -l "$root/usr/share/man/man1/talvero-cli.1.gz" 2>/dev/null)
mapfile -t commands < <("$cli" --help | awk '/^commands:/ {on = 1; next} on && /^$/ {exit} on {print $1}')
[[ ${#commands[@]} -gt 0 ]] || problem "no commands in talvero-cli --help"
for command in "${commands[@]}"; do
    grep -qE "^ {3}$command\$" <<<"$page" || problem "man talvero-cli lacks the command $command"
done
grep -q "EXIT STATUS" <<<"$page" || problem "man talvero-cli lacks the exit statuses"
for program in talvero talvero-radiosim; do
    MANWIDTH=100 man -l "$root/usr/share/man/man1/$program.1.gz" 2>/dev/null | grep -q "usage: $program" ||
        problem "man $program does not render its usage"
done

desktop-file-validate "$root/usr/share/applications/$app.desktop" || problem "desktop entry invalid"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$app.metainfo.xml" ||
    problem "metainfo invalid"

# lintian: errors and warnings fail; the tags that stay for a reason are overridden, with the
# reason, in the package's own overrides (packaging/debian/lintian-overrides).
lintian --fail-on error,warning "$deb" || problem "lintian"

if [[ $problems -ne 0 ]]; then
    echo "check_package: $problems problem(s) in $deb" >&2
    exit 1
fi
echo "check_package: $deb is complete"
