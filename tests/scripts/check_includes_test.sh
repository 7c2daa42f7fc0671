#!/bin/bash
# scripts/check_includes.sh on small trees of one file each: every layer refuses the layers
# above it and lets through its own and those below, whichever way the include is written.
set -u
checker="$1/scripts/check_includes.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# case EXPECTED FILE INCLUDE [OTHER]: a tree holding FILE with the include line (and the
# file OTHER, for an include that names a file beside it).
case_of() {
    local expected=$1 file=$2 include=$3 other=${4:-} got
    rm -rf "$work/tree"
    mkdir -p "$work/tree/$(dirname "$file")"
    printf '// a file\n%s\nint x;\n' "$include" >"$work/tree/$file"
    [ -n "$other" ] && touch "$work/tree/$other"
    if output=$(bash "$checker" "$work/tree"); then got=ok; else got=broken; fi
    if [ "$got" != "$expected" ]; then
        echo "FAIL: $file with '$include': $got, expected $expected ($output)"
        failures=$((failures + 1))
    elif [ "$got" = broken ] && [[ $output != "$file:2: includes "* ]]; then
        echo "FAIL: $file with '$include': the report does not name the file and line: $output"
        failures=$((failures + 1))
    fi
}

# Each layer, lowest first, with a file of its own, the nearest layer below it (ok) and
# the nearest above it (broken).
rows=(
    "scene/engine/frame.cpp  -                          media/clock.h"
    "media/display.cpp       scene/engine/rm.h          game/waves.h"
    "game/waves.cpp          media/sound.h              player/player.h"
    "player/guard.cpp        game/context.h             screens/screens.h"
    "enemies/boss_walk.cpp   scene/scene.h              screens/screens.h"
    "scene/camera.cpp        player/player.h            screens/screens.h"
    "screens/ending.cpp      scene/scene.h              options/records.h"
    "options/records.cpp     screens/screens.h          tools/replay/levers.h"
    "demo/demo.cpp           app/main_form.h            tests/support/form_fixture.h"
    "tools/replay/levers.cpp app/main_form.h            tests/support/form_fixture.h"
)
for row in "${rows[@]}"; do
    read -r file below above <<<"$row"
    [ "$below" != - ] && case_of ok "$file" "#include \"$below\""
    case_of broken "$file" "#include \"$above\""
    case_of broken "$file" "  #  include <$above>"
done
# The standard library and third-party headers are no layer.
case_of ok scene/engine/frame.cpp '#include <glm/glm.hpp>'
case_of ok game/waves.cpp '#include <vector>'
# Relative includes are read from the including file's folder.
case_of broken screens/hud_text.cpp '#include "../options/record_table.h"'
case_of broken game/world.h '#include "./../app/main_form.h"'
case_of ok screens/hud_text.cpp '#include "../game/time_text.h"'
case_of ok player/blade.cpp '#include "movement.h"' player/movement.h
case_of broken scene/engine/frame.cpp '#include "../camera.h"'

[ $failures -eq 0 ] && echo "every layer refuses the layers above it and takes those below"
exit $((failures > 0))
