#!/usr/bin/env bash
# Builds the Debian package from a finished build tree, unpacks it and checks
# what a desktop and a software centre need from it: both programs, their
# desktop entries, icon and metainfo, and the run-time dependencies, among
# them the packages of the fonts the programs name.
# Usage: check-package.sh <build-dir> [cpack-command]
set -euo pipefail

build_dir=$(cd "$1" && pwd)
cpack=${2:-cpack}
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The program, its desktop-file id, and the icon both entries share.
programs=(
  "quarvel org.quarvel.Quarvel"
  "norvia org.quarvel.Norvia"
)
icon_dir=usr/share/icons/hicolor/scalable/apps
# Libraries and packages the programs cannot do without; the font packages
# are derived below from the font families the programs name.
required_depends=(libc6 libstdc++6 libqt6core6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n)
# Everything the package may put on a system; anything else (headers, static
# libraries, test programs) leaked in from an install rule by mistake.
allowed_paths='^usr/(bin/(quarvel|norvia)|share/(applications|metainfo|icons/hicolor|doc/quarvel)/)'

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# -B keeps the staging tree and the package out of the shared build tree, so
# this can run beside other tests and beside `make package`.
if ! (cd "$work" && "$cpack" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out") \
  >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
shopt -s nullglob
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "FAIL: expected one .deb, found ${#debs[@]}" >&2
  exit 1
fi
deb=${debs[0]}
root="$work/root"
dpkg -x "$deb" "$root"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quarvel ] || fail "Package is '$(field Package)'"
[ "$(field Section)" = science ] || fail "Section is '$(field Section)'"
[ "$(field Maintainer)" = "Quarvel developers <dev@quarvel.invalid>" ] ||
  fail "Maintainer is '$(field Maintainer)'"
version=$(field Version)
depends=$(field Depends)
# Every package Depends names, alternatives included, without versions.
declare -A depended=()
while read -r dep; do
  [ -n "$dep" ] && depended[${dep%%:*}]=1
done < <(sed 's/([^)]*)//g; s/[,|]/\n/g' <<<"$depends" | tr -d ' ')
for dep in "${required_depends[@]}"; do
  [ -n "${depended[$dep]:-}" ] || fail "Depends lacks $dep: $depends"
done
# Speech is loaded at run time: the package recommends the Qt plugin, the
# service and its engine, and must not require them.
recommends=$(field Recommends)
for dep in qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng; do
  [[ ", $recommends," == *", $dep,"* ]] || fail "Recommends lacks $dep: $recommends"
  [ -z "${depended[$dep]:-}" ] || fail "Depends requires $dep, which is optional: $depends"
done

# Fonts. Qt string literals keep the family names Fonts.cpp asks for as
# UTF-16 in the binary; any string there that fontconfig knows as a family is
# one the program draws with, so a family added to the program is checked
# with no second list here. One of the family's files must come from a
# package in Depends, or without it captions are drawn in a fallback font
# and no longer fit. A family the program only substitutes (the Windows
# Gothic name) is not installed; its substitute is checked instead.
fc-list --format '%{family}\t%{file}\n' >"$work/fonts.tsv"
# Prints "family<TAB>file" for each file of each family named in binary $1.
named_font_files() {
  { strings -a -e l "$1"; strings -a -e S "$1"; } | awk -F '\t' '
    NR == FNR {  # fonts.tsv: the names of a file'"'"'s family, and the file
      n = split($1, names, ",")
      for (i = 1; i <= n; i++) files[names[i]] = files[names[i]] "\t" $2
      next
    }
    ($0 in files) && !seen[$0]++ {
      n = split(files[$0], f, "\t")
      for (i = 2; i <= n; i++) print $0 "\t" f[i]
    }
  ' "$work/fonts.tsv" -
}
for entry in "${programs[@]}"; do
  read -r exe _ <<<"$entry"
  [ -f "$root/usr/bin/$exe" ] || continue
  declare -A family_packages=() family_depended=()
  while IFS=$'\t' read -r family file; do
    family_packages[$family]+=""
    for package in $(dpkg-query -S "$file" 2>/dev/null | sed -n 's/: \/.*//p' | tr ',' ' '); do
      package=${package%%:*}
      [[ " ${family_packages[$family]} " == *" $package "* ]] || family_packages[$family]+=" $package"
      [ -z "${depended[$package]:-}" ] || family_depended[$family]=1
    done
  done < <(named_font_files "$root/usr/bin/$exe")
  # Without this, storing the names some other way would pass unnoticed.
  [ ${#family_packages[@]} -gt 0 ] || fail "found no font family named in $exe"
  for family in "${!family_packages[@]}"; do
    [ -n "${family_depended[$family]:-}" ] ||
      fail "$exe draws with '$family' from${family_packages[$family]:- no package}," \
        "which Depends lacks: $depends"
  done
  unset family_packages family_depended
done

# Only the expected files, and the license where Debian looks for it.
while IFS= read -r path; do
  grep -Eq "$allowed_paths" <<<"$path" || fail "unexpected file in package: $path"
done < <(cd "$root" && find . ! -type d -printf '%P\n')
[ -s "$root/usr/share/doc/quarvel/copyright" ] || fail "no copyright file"

# The key's value in a desktop entry (each has the one group).
desktop_key() { sed -n "s/^$2=//p" "$1"; }

for entry in "${programs[@]}"; do
  read -r exe app_id <<<"$entry"
  bin="$root/usr/bin/$exe"
  desktop="$root/usr/share/applications/$app_id.desktop"
  metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"

  if [ -f "$bin" ] && [ -x "$bin" ]; then
    # A build-tree RUNPATH would make the installed program load stale libraries.
    if readelf -d "$bin" | grep -Eq 'RPATH|RUNPATH'; then fail "$exe carries an RPATH"; fi
  else
    fail "usr/bin/$exe missing or not executable"
  fi

  if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" >"$work/validate.log" 2>&1 ||
      fail "desktop-file-validate $app_id.desktop: $(cat "$work/validate.log")"
    exec_line=$(desktop_key "$desktop" Exec)
    [ "${exec_line%% *}" = "$exe" ] || fail "$app_id.desktop runs '$exec_line', not $exe"
    icon=$(desktop_key "$desktop" Icon)
    if [ -f "$root/$icon_dir/$icon.svg" ]; then
      grep -q '<svg' "$root/$icon_dir/$icon.svg" || fail "icon $icon is not SVG"
    else
      fail "$app_id.desktop names icon '$icon', not installed in $icon_dir"
    fi
    [ "$(desktop_key "$desktop" Name)" = "${exe^}" ] || fail "$app_id.desktop Name is not ${exe^}"
    grep -q '^Name\[ja\]=.' "$desktop" || fail "$app_id.desktop has no Name[ja]"
    grep -q '^Comment\[ja\]=.' "$desktop" || fail "$app_id.desktop has no Comment[ja]"
  else
    fail "no desktop entry $app_id.desktop"
  fi

  if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >"$work/validate.log" 2>&1 ||
      fail "appstreamcli validate $app_id: $(cat "$work/validate.log")"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "$app_id metainfo has another id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
      fail "$app_id metainfo does not launch $app_id.desktop"
    grep -q "<binary>$exe</binary>" "$metainfo" || fail "$app_id metainfo does not provide $exe"
    # A version bump without a release entry leaves software centres showing the old one.
    grep -q "<release version=\"$version\"" "$metainfo" ||
      fail "$app_id metainfo has no release $version"
  else
    fail "no metainfo $app_id.metainfo.xml"
  fi
done

# Cross-checks the installed tree as a whole: metainfo against desktop entries.
appstreamcli validate-tree --no-net "$root" >"$work/tree.log" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$work/tree.log")"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed"
