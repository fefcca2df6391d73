#!/usr/bin/env bash
# Fails when a source file includes one of ours across the dependency rule,
# or when the tree holds something the rule does not know. Denies by
# default: a folder not listed here fails.
#   include/trotix/ (installed)        its own headers only, as "trotix/..."
#   engine/                            the engine's public headers and itself
#   bitmap/                            itself
#   gaitlab/<layer>/                   the engine's public headers and the
#                                      layers before its own in
#                                      io, robot, run, servo, gaitfile, report,
#                                      tables, bus, drive, physics, sim, plot,
#                                      video, lab
#   view/                              the engine, bitmap and itself
#   app/                               the view, the engine, the gait lab's
#                                      run (and res/)
#   tools/, python/                    the gait lab, the engine and itself
#   testing/ tests/ bench/ fuzz/       anything of ours
# Everywhere: our headers by a quoted path from the source root ("gaitlab/
# run/WalkStep.h"), never in angle brackets, never with "..", and a bare
# name only for a file beside the includer; a shared core (a folder that is
# not linux/, windows/ or posix/) never includes a platform's file, nor a
# platform's file another platform's; a header that its library's
# CMakeLists.txt names private is included from that folder (and its
# platform folders) only, and from the tests. Every source file is added to git,
# and the top-level folders are those listed below.
# Usage: scripts/check-layers.sh [SOURCE_DIR]
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"

gaitlab_layers=(io robot run servo gaitfile report tables bus drive physics sim plot video lab)
top_level=(.ci Data app bench bitmap cmake docs engine examples fuzz gaitlab include python res
  scripts testing tests tools view)
# The first path component of every header of ours.
our_roots="trotix engine bitmap view app res gaitlab tools python testing tests bench fuzz"

status=0
fail() {
  echo "$*" >&2
  status=1
}

# The include prefixes a file in folder $1 may use; empty for a folder the
# rule does not know.
allowed_prefixes() {
  case "$1" in
    include/trotix/*) echo "trotix/" ;;
    engine/*) echo "trotix/ engine/" ;;
    bitmap/*) echo "bitmap/" ;;
    gaitlab/*/*)
      local own=${1#gaitlab/}
      own=${own%%/*}
      local prefixes="trotix/"
      for layer in "${gaitlab_layers[@]}"; do
        prefixes+=" gaitlab/$layer/"
        [ "$layer" = "$own" ] && { echo "$prefixes"; return; }
      done ;;
    view/*) echo "trotix/ bitmap/ view/" ;;
    app/*) echo "trotix/ view/ app/ res/ gaitlab/run/" ;;
    tools/* | python/*) echo "trotix/ gaitlab/ ${1%%/*}/" ;;
    testing/* | tests/* | bench/* | fuzz/*) echo "*" ;;
  esac
}

# Sets `platform` to the platform a path belongs to (linux, windows,
# posix), or none.
platform_of() {
  case "/$1" in
    */linux/*) platform=linux ;;
    */windows/*) platform=windows ;;
    */posix/*) platform=posix ;;
    *) platform=none ;;
  esac
}

in_git=no
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  in_git=yes
  tracked=$(git ls-files)
  while IFS= read -r file; do
    [ -n "$file" ] && fail "$file is not added to git"
  done < <(git ls-files --others --exclude-standard -- '*.h' '*.hpp' '*.c' '*.cc' '*.cpp' \
    '*.inl' 'CMakeLists.txt' '*.cmake')
else
  tracked=$(find . -path ./build -prune -o -type f -print | sed 's|^\./||')
fi

declare -A our_names
while IFS= read -r name; do our_names[$name]=1; done < <(sed 's|.*/||' <<<"$tracked")

# The headers private to their library, as its CMakeLists.txt names them
# (PRIVATE_HEADERS, or PRIVATE in trotix_stage_headers): only the library's
# own folder, and the tests, may include them.
declare -A private_headers
while IFS= read -r lists; do
  while IFS= read -r name; do private_headers[${lists%/*}/$name]=1; done < <(awk '
    /PRIVATE_HEADERS/ || /trotix_stage_headers\(.* PRIVATE / { on = 1 }
    on { for (i = 1; i <= NF; i++) {
           if ($i ~ /^(HEADERS|OMIT_HEADERS|OMIT)$/) { on = 0; break }
           word = $i; gsub(/\)/, "", word)
           if (word ~ /\.h$/) print word
         }
         if ($0 ~ /\)/) on = 0 }' "$lists")
done < <(grep -E '^(gaitlab|bitmap|view|app)/.*CMakeLists\.txt$' <<<"$tracked")

# Top-level folders and the gait lab's folders.
while IFS= read -r folder; do
  known=no
  for name in "${top_level[@]}"; do [ "$folder" = "$name" ] && known=yes; done
  [ $known = yes ] || fail "$folder/ is a top-level folder that the layer rule does not know"
done < <(grep / <<<"$tracked" | cut -d/ -f1 | sort -u)
while IFS= read -r folder; do
  known=no
  for name in "${gaitlab_layers[@]}"; do [ "$folder" = "$name" ] && known=yes; done
  [ $known = yes ] || fail "gaitlab/$folder/ is a gait lab folder that the layer rule does not know"
done < <(grep -E '^gaitlab/[^/]+/' <<<"$tracked" | cut -d/ -f2 | sort -u)

check_include() {  # FILE KIND HEADER PREFIXES
  local file=$1 kind=$2 header=$3 prefixes=$4
  local root=${header%%/*}
  case "$header" in */../* | ../* | */.. | ..)
    fail "$file includes \"$header\": a path with .. escapes the layer rule"
    return ;;
  esac
  if [ "$kind" = angle ]; then
    # Angle brackets are for other projects' headers: one of ours in them
    # would come from wherever the include path happens to point.
    case " $our_roots " in *" $root "*) [ "$header" != "$root" ] &&
      fail "$file includes <$header>, one of ours in angle brackets" ;;
    esac
    if [ "${header#*/}" = "$header" ] && [ -n "${our_names[$header]:-}" ]; then
      fail "$file includes <$header>, a bare name of ours in angle brackets"
    fi
    return
  fi
  if [ "${header#*/}" = "$header" ]; then
    # Beside the includer, or a header that each platform folder beside it
    # provides, chosen by the build's include path (view/MessageOwner.h).
    local folder=${file%/*}
    [ -f "$folder/$header" ] ||
      { [ -f "$folder/linux/$header" ] && [ -f "$folder/windows/$header" ]; } ||
      fail "$file includes \"$header\", a bare name that is not beside it"
    return
  fi
  [ "$prefixes" = "*" ] && return
  if [ -n "${private_headers[$header]:-}" ] && [ "${file#"${header%/*}"/}" = "$file" ]; then
    fail "$file includes \"$header\", a header private to ${header%/*}/"
    return
  fi
  local own_platform
  platform_of "$file"
  own_platform=$platform
  platform_of "$header"
  if [ "$platform" != none ] && [ "$platform" != "$own_platform" ]; then
    fail "$file includes \"$header\", a $platform file, from ${own_platform/none/a shared core}"
  fi
  for prefix in $prefixes; do
    case "$header" in "$prefix"*) return ;; esac
  done
  fail "$file includes \"$header\", which its layer may not use"
}

while IFS= read -r file; do
  prefixes=$(allowed_prefixes "$file")
  if [ -z "$prefixes" ]; then
    fail "$file is in a folder that the layer rule does not know"
    continue
  fi
  while IFS= read -r line; do
    case "$line" in
      *'"'*) kind=quote header=${line#*\"} header=${header%%\"*} ;;
      *'<'*) kind=angle header=${line#*<} header=${header%%>*} ;;
      *) continue ;;
    esac
    check_include "$file" "$kind" "$header" "$prefixes"
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "$file" || true)
done < <(grep -E '\.(h|hpp|c|cc|cpp|inl)$' <<<"$tracked" | grep -v -E '^(examples|docs|res)/' ||
  true)
[ $in_git = yes ] || echo "layers: not a git tree, so files not yet added went unchecked" >&2
[ $status -eq 0 ] && echo "layers: every include follows the dependency rule"
exit $status
