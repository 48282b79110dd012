#!/bin/bash
# The language comes from the system's default language: each Nordic locale gives its code, an
# English one leaves it undecided. Locales are compiled into the build folder, not the system.
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
LOC="$BUILD/locales"
mkdir -p "$LOC"
check() {
  local locale=$1 expected=$2 filter=${3:-ShellTest.TakesTheLanguageFromTheSystem}
  if [ "$locale" != C ] && [ ! -d "$LOC/$locale.UTF-8" ]; then
    localedef -i "$locale" -f UTF-8 "$LOC/$locale.UTF-8" 2>/dev/null || true
  fi
  echo "== $locale -> $expected"
  LOCPATH="$LOC" LANG="$locale.UTF-8" LC_ALL= VINDREL_EXPECT_LANGUAGE="$expected" \
    timeout 60 wine "$BUILD/tests/vindrel_tests.exe" --gtest_filter="$filter" \
    </dev/null 2>&1 | tr -d '\r' | tee "$LOC/last.txt" | grep -E '^\[  (PASSED|FAILED|SKIPPED)' || true
  grep -q '^\[  PASSED  \] 1 test' "$LOC/last.txt"
}
check da_DK da
check sv_SE se
check sv_FI se
check nb_NO no
check nn_NO no
check fi_FI fi
check C '??'
# The command line's "??" asks for a flag even where the system names a language.
check da_DK da LanguageChoice.QuestionMarksAskEvenOnANordicSystem
