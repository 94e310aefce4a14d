#!/usr/bin/env bash
# Makes the release ZIP of the game folder: installs what is missing, builds
# the win32 preset and packs the folder with CPack. Prints the ZIP's path and
# its SHA-256.
#
#   scripts/release.sh                        the ZIP, in build/win32/package/
#   scripts/release.sh --check-reproducible   then builds the commit again in two
#                                             fresh clones in two different folders
#                                             and fails unless their ZIPs are the
#                                             same bytes (and the same as the first
#                                             one, when the working tree is clean)
#
# The files in the ZIP are dated with SOURCE_DATE_EPOCH when it is set, else
# with the time of the last commit (cmake/PackageZip.cmake).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

check=0
case "${1:-}" in
  "") ;;
  --check-reproducible) check=1 ;;
  *)
    sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac

# Builds and packs the tree at $1; prints the ZIP's path.
make_zip() {
  local tree=$1
  # Runs inside $(...), where set -e does not hold: each step is checked, so a
  # failed build never packs the programs of an earlier one.
  (
    cd "$tree" &&
      cmake --preset win32 >/dev/null &&
      cmake --build --preset win32 >&2 &&
      rm -rf build/win32/package &&
      cpack --preset win32 >&2
  ) || {
    echo "release.sh: building or packing $tree failed" >&2
    return 1
  }
  local zips=("$tree"/build/win32/package/*.zip)
  if [ ${#zips[@]} -ne 1 ] || [ ! -f "${zips[0]}" ]; then
    echo "release.sh: expected one ZIP in $tree/build/win32/package" >&2
    return 1
  fi
  echo "${zips[0]}"
}

scripts/setup.sh
changed=$(git status --porcelain)
zip=$(make_zip "$root")
sum=$(sha256sum "$zip" | cut -d' ' -f1)
echo "release.sh: $zip ($(stat -c %s "$zip") bytes)"
echo "release.sh: SHA-256 $sum"
if [ -n "$changed" ]; then
  echo "release.sh: the working tree has changes: the ZIP holds them, but its files carry the last commit's date" >&2
fi
[ $check -eq 1 ] || exit 0

commit=$(git rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/quil-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
sums=()
# Two folders of different names and depths, so a build path that reached the
# ZIP would show.
for clone in "$work/a" "$work/second/clone"; do
  echo "release.sh: building $commit in $clone" >&2
  git clone --quiet --no-checkout "$root" "$clone"
  git -C "$clone" -c advice.detachedHead=false checkout --quiet "$commit"
  clone_zip=$(make_zip "$clone")
  sums+=("$(sha256sum "$clone_zip" | cut -d' ' -f1)")
  echo "release.sh: SHA-256 ${sums[-1]} for $clone_zip"
done
if [ "${sums[0]}" != "${sums[1]}" ]; then
  echo "release.sh: NOT reproducible: the two clones' ZIPs differ" >&2
  exit 1
fi
if [ -n "$changed" ]; then
  echo "release.sh: reproducible: both clones of $commit give the same ZIP (the working tree has changes, so its ZIP was not compared)"
elif [ "${sums[0]}" != "$sum" ]; then
  echo "release.sh: NOT reproducible: the clones' ZIP differs from $zip" >&2
  exit 1
else
  echo "release.sh: reproducible: $commit gives the same ZIP in all three folders"
fi
