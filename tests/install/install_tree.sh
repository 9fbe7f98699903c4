#!/usr/bin/env bash
# install_tree.sh BUILD_DIR SOURCE_DIR
# Installs the build into a temporary DESTDIR, checks the installed tree,
# runs the installed program from it, and builds the example form against
# the installed widget package with find_package.
set -euo pipefail
build=$1 source=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp/dest cmake --install "$build" --prefix /usr >/dev/null
root=$tmp/dest/usr
for f in bin/myveltrane bin/veltrane \
  share/applications/myveltrane.desktop \
  share/icons/hicolor/48x48/apps/myveltrane.png share/icons/hicolor/scalable/apps/myveltrane.svg \
  share/man/man1/veltrane.1 share/man/man1/myveltrane.1 \
  share/bash-completion/completions/veltrane \
  share/myveltrane/demo-profile.txt share/myveltrane/demo/harbour-news.htm \
  include/VeltraneWidgets/syntaxbox/htmSyntaxBox.h include/VeltraneWidgets/buttons/wenButtons_H.h \
  include/VeltraneWidgets/host/PropertyBag.h \
  lib/cmake/VeltraneWidgets/VeltraneWidgetsConfig.cmake; do
  [ -s "$root/$f" ] || fail "$f not installed"
done
ls "$root"/share/metainfo/*.metainfo.xml >/dev/null || fail "no AppStream metadata"
ls "$root"/lib/*/plugins/designer/*.so "$root"/lib/qt6/plugins/designer/*.so 2>/dev/null | grep -q . ||
  fail "no Designer plugin"
# Nothing of the build or source tree leaks into the package's files.
if grep -rl -e "$build" -e "$source" "$root/lib/cmake" "$root/share"; then fail "build paths installed"; fi
# The engine's own headers stay out.
[ ! -e "$root/include/VeltraneWidgets/syntaxbox/LookBuffer.h" ] || fail "private header installed"

# Run from the install, the program keeps its profiles in the user's data
# folder, laid with the demo profile on first start (what the demo profile
# holds is the program folder's own test).
"$root/bin/veltrane" --version | grep -q '^veltrane ' || fail "installed veltrane --version"
listed=$(HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg "$root/bin/veltrane" list)
[ "$listed" = "Harbour Town Weekly - demo (000001.rss)" ] || fail "installed veltrane list: $listed"
[ -s "$tmp/xdg/myveltrane/000001.rss" ] && [ ! -e "$root/bin/000001.rss" ] ||
  fail "profile not in the user's data folder"

# An outside project finds the package and builds the example form.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source/examples/widget-form" -B "$tmp/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$root" "${launcher[@]}" >/dev/null
cmake --build "$tmp/example" >/dev/null
QT_QPA_PLATFORM=offscreen "$tmp/example/widget-form" --quit 2>/dev/null || fail "example form does not start"
echo "installed tree, installed program and example form: ok"
