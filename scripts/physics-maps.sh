#!/bin/sh
# The four slider maps of docs/physics.md, each walked by trotix-gait
# --physics-map (9 x 9 settings, 10 s each, as ensembles) with the gait file
# its caption names, and each one's count of settings that walk, fall or
# are uncertain, with the wall and processor time it took.
#
# Run from the repository's root:
#
#   scripts/physics-maps.sh [build/default/tools/trotix-gait/trotix-gait]
set -eu
program=$(realpath "${1:-build/default/tools/trotix-gait/trotix-gait}")
root=$(pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# map NAME [GAIT_FILE_NAME GAIT_TEXT]: the map docs/NAME.svg, its caption
# naming the gait file.
map() {
    if [ $# -gt 1 ]; then
        printf '%s\n' "$3" > "$dir/$2"
        (cd "$dir" && /usr/bin/time -o "$dir/time" -f '%e s wall, %U s CPU' \
            "$program" --gait "$2" --physics-map "$root/docs/$1.svg" 2> /dev/null)
    else
        /usr/bin/time -o "$dir/time" -f '%e s wall, %U s CPU' \
            "$program" --physics-map "$root/docs/$1.svg" 2> /dev/null
    fi
    # Each cell's label shows in both panels, speed and yaw.
    fall=$(grep -o '>fell[^<]*<' "docs/$1.svg" | wc -l)
    unsure=$(grep -o '>? [0-9]*%<' "docs/$1.svg" | wc -l)
    echo "docs/$1.svg: $((81 - fall / 2 - unsure / 2)) walk, $((fall / 2)) fall, $((unsure / 2)) uncertain; $(cat "$dir/time")"
}
map physics-map
map physics-map-roll-first rf.yaml 'physics: {leg_chain: roll_first, lateral_axis: shared}'
map physics-map-rigid rigid.yaml 'variants: {turn: rigid}'
map physics-map-roll-first-exact rfe.yaml 'physics: {leg_chain: roll_first, lateral_axis: shared}
variants: {roll: exact_roll_first}'
