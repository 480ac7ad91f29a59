#!/usr/bin/env bash
# Builds what a user downloads, into build/package:
#   keyreel-VERSION-setup.exe     the per-user installer (NSIS, installer/)
#   keyreel-VERSION-portable.zip  the same files, to unpack and run anywhere
# Both hold keyreel.exe, kyr.exe, keyreel.chm and examples/*.kyr, as the
# windows preset's install rules gather them. VERSION is the CMake project's.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target keyreel kyr -j "$(nproc)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
out=$PWD/build/package
stage=$out/stage
setup=$out/keyreel-$version-setup.exe
portable=$out/keyreel-$version-portable.zip

rm -rf "$stage" "$setup" "$portable"
mkdir -p "$stage"
cmake --install build/windows --prefix "$stage" >/dev/null

# The installer's file lists: what it installs is exactly what its
# uninstaller removes, and nothing the user put beside them; the examples
# go through installed_examples.nsh, which keeps those the user changed.
files_nsh=$out/files.nsh
{
  echo '!macro KeyreelInstallFiles'
  (cd "$stage" && find . -type d | sort) | while read -r dir; do
    rel=${dir#.}
    echo "  SetOutPath \"\$INSTDIR${rel//\//\\}\""
    find "$stage/$dir" -maxdepth 1 -type f | sort | while read -r file; do
      if [ "$rel" = /examples ]; then
        echo "  !insertmacro KeyreelInstallExample \"$file\" \"${file##*/}\""
      else
        echo "  File \"$file\""
      fi
    done
  done
  echo '!macroend'
  echo '!macro KeyreelRemoveFiles'
  (cd "$stage" && find . -type f | sort) | while read -r file; do
    rel=${file#.}
    if [ "${rel%/*}" = /examples ]; then
      echo "  !insertmacro KeyreelRemoveExample \"${rel##*/}\""
    else
      echo "  Delete \"\$INSTDIR${rel//\//\\}\""
    fi
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    rel=${dir#.}
    echo "  RMDir \"\$INSTDIR${rel//\//\\}\""
  done
  echo '!macroend'
} >"$files_nsh"

size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DFILES_NSH="$files_nsh" \
  -DSIZE_KB="$size_kb" -DOUTFILE="$setup" "$PWD/installer/keyreel.nsi"

(cd "$stage" && zip -q -X -r "$portable" .)

echo "package: $setup"
echo "package: $portable"
