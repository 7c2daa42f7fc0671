#!/bin/bash
# check_includes.sh [SOURCE_DIR]: the include rules of the source tree. Prints one line per
# include that breaks a rule and exits 1 when there is any.
#
# The layers, lowest first; each CMake library of the game is one of them
# (docs/architecture.md). A file includes only its own layer and the layers below it:
#
#   1 engine    scene/engine/
#   2 media     media/
#   3 facts     game/
#   4 gameplay  scene/ player/ enemies/
#   5 screens   screens/
#   6 app       app/ options/ demo/
#   7 tools     tools/
#   8 tests     tests/
#
# An include is the project's when it names one of the project's folders, in quotes or
# angle brackets; a quoted include is read relative to the including file first, as the
# compiler reads it ("../app/world.h", "world.h" beside the file).
set -u
set -f
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
project='^(app|demo|enemies|game|media|options|player|scene|screens|tests|tools)/'
names=(- engine media facts gameplay screens app tools tests)

# REPLY: the layer number of a path in the tree; 0 for a file outside the layers.
layer_of() {
    case $1 in
    scene/engine/*) REPLY=1 ;;
    media/*) REPLY=2 ;;
    game/*) REPLY=3 ;;
    scene/* | player/* | enemies/*) REPLY=4 ;;
    screens/*) REPLY=5 ;;
    app/* | options/* | demo/*) REPLY=6 ;;
    tools/*) REPLY=7 ;;
    tests/*) REPLY=8 ;;
    *) REPLY=0 ;;
    esac
}

# REPLY: the path with its "." and ".." parts worked out.
normalize() {
    local IFS=/ part
    local -a out=()
    for part in $1; do
        case $part in
        '' | .) ;;
        ..) if ((${#out[@]})); then unset 'out[-1]'; else out+=(..); fi ;;
        *) out+=("$part") ;;
        esac
    done
    REPLY="${out[*]}"
}

broken=0
check() {
    local file=$1 own number=0 line quote target dir layer
    layer_of "$file"
    own=$REPLY
    ((own == 0)) && return
    dir=${file%/*}
    while IFS= read -r line; do
        number=$((number + 1))
        [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]] || continue
        quote=${BASH_REMATCH[1]}
        target=${BASH_REMATCH[2]}
        if [[ $quote == '"' && ($target == ./* || $target == ../* || -e $dir/$target) ]]; then
            normalize "$dir/$target"
            target=$REPLY
        fi
        [[ $target =~ $project ]] || continue
        layer_of "$target"
        layer=$REPLY
        if ((layer > own)); then
            echo "$file:$number: includes $target: ${names[own]} includes only its own layer" \
                "and those below it, not ${names[layer]}"
            broken=1
        fi
    done <"$file"
}

while IFS= read -r f; do
    check "$f"
done < <(find app demo enemies game media options player scene screens tests tools -type f \
    \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
exit $broken
