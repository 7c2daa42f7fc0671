#!/bin/bash
# scripts/check_includes.sh on small trees of one file each: every rule refuses what it
# forbids and lets through what it allows.
set -u
checker="$1/scripts/check_includes.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# case EXPECTED FILE INCLUDE: a tree holding only FILE with the include line.
case_of() {
  local expected=$1 file=$2 include=$3 got
  rm -rf "$work/tree"
  mkdir -p "$work/tree/$(dirname "$file")"
  printf '// a file\n%s\nint x;\n' "$include" >"$work/tree/$file"
  if output=$(bash "$checker" "$work/tree"); then got=ok; else got=broken; fi
  if [ "$got" != "$expected" ]; then
    echo "FAIL: $file with '$include': $got, expected $expected ($output)"
    failures=$((failures + 1))
  elif [ "$got" = broken ] && [[ $output != "$file:2: includes "* ]]; then
    echo "FAIL: $file with '$include': the report does not name the file and line: $output"
    failures=$((failures + 1))
  fi
}

# The engine: itself, the standard library and third-party libraries only.
case_of ok scene/engine/frame.cpp '#include "scene/engine/frame.h"'
case_of ok scene/engine/frame.cpp '#include <vector>'
case_of ok scene/engine/frame.cpp '#include <glm/glm.hpp>'
case_of broken scene/engine/frame.cpp '#include "media/clock.h"'
case_of broken scene/engine/frame.cpp '#include <app/world.h>'
case_of broken scene/engine/frame.cpp '#include "scene/scene.h"'
# media/: itself and the engine, never the game.
case_of ok media/display.cpp '#include "media/surface.h"'
case_of ok media/display.cpp '#include "scene/engine/rm.h"'
case_of broken media/display.cpp '#include "app/main_form.h"'
case_of broken media/display.cpp '#include "options/options.h"'
# Leaf headers: nothing of app/.
case_of ok game/waves.h '#include "media/sound.h"'
case_of broken game/waves.h '#include "app/main_form.h"'
# The game folders reach app/ only through the hub, on either side of the rule.
for folder in player enemies scene screens; do
  case_of ok $folder/step.cpp '#include "app/main_form.h"'
  case_of ok $folder/step.cpp '#include "game/waves.h"'
  case_of broken $folder/step.cpp '#include "app/world.h"'
  case_of broken $folder/step.cpp '  #  include "app/game.h"'
done
# Folders without a rule may include app/.
case_of ok options/read.cpp '#include "app/world.h"'
case_of ok tools/replay/levers.cpp '#include "app/game.h"'

[ $failures -eq 0 ] && echo "all include rules hold on both sides"
exit $((failures > 0))
