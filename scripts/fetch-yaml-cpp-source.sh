#!/usr/bin/env bash
# Fetches Debian's yaml-cpp source package (with Debian's patches applied)
# into DIR, for builds that have no yaml-cpp library of their own, e.g. the
# Windows one:
#   fetch-yaml-cpp-source.sh build/yaml-cpp-source
# apt-get reads the archive that the machine's own sources name, as source
# packages, with a state of its own under DIR's parent, so the machine's apt
# set-up is left as it was. Does nothing when DIR already holds the source.
set -euo pipefail
target=$1
[ -f "$target/CMakeLists.txt" ] && exit 0
work="$(dirname "$target")/apt-source"
rm -rf "$work"
mkdir -p "$work/sources" "$work/lists/partial" "$work/cache/archives/partial" "$work/unpack"
work=$(cd "$work" && pwd)
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" >"$work/sources/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/sources/main.list"
fi
apt=(apt-get -q -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
  -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
  -o APT::Sandbox::User=root)
"${apt[@]}" update >/dev/null
(cd "$work/unpack" && "${apt[@]}" source yaml-cpp >/dev/null)
rm -rf "$target"
mv "$work"/unpack/yaml-cpp-*/ "$target"
rm -rf "$work"
