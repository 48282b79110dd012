#!/bin/bash
# The language comes from the system's default language: each Nordic locale gives its code, an
# English one leaves it undecided; and pages look the same under other code pages. Locales are
# compiled once into a cache of the user's, not the system, and kept between builds: compiling
# them is most of this test's time.
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
LOC="$BUILD/locales"
LOCALES=${VINDREL_LOCALE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vindrel-locales}
mkdir -p "$LOC" "$LOCALES"
compile() {  # locale charset: into the cache unless it is there already
  [ -d "$LOCALES/$1.$2" ] && return 0
  localedef -i "$1" -f "$2" "$LOCALES/$1.$2.tmp" 2>/dev/null || true
  rm -rf "$LOCALES/$1.$2" && mv "$LOCALES/$1.$2.tmp" "$LOCALES/$1.$2" 2>/dev/null || true
}
for l in "da_DK UTF-8" "sv_SE UTF-8" "sv_FI UTF-8" "nb_NO UTF-8" "nn_NO UTF-8" "fi_FI UTF-8" \
  "pl_PL CP1250" "ru_RU CP1251" "el_GR CP1253" "ru_RU UTF-8"; do
  compile $l &
done
wait
# Wine's output goes to files, never to a pipe: the desktop process a program may start keeps its
# output handles, and a pipe would then never end.
. "$SRC/tools/wine-env.sh"
wine_env_hold_desktop "$BUILD/tests/sleeper.exe"
trap wine_env_release_desktop EXIT
# One test of the test program, in the environment the caller gives it: its output, without CRs,
# in $LOC/last.txt, and its result line shown.
run_test() {
  timeout 60 wine "$BUILD/tests/vindrel_tests.exe" --gtest_filter="$1" </dev/null >"$LOC/raw.txt" 2>&1 || true
  tr -d '\r' <"$LOC/raw.txt" >"$LOC/last.txt"
  grep -E '^\[  (PASSED|FAILED|SKIPPED)' "$LOC/last.txt" || true
}
check() {
  local locale=$1 expected=$2 filter=${3:-ShellTest.TakesTheLanguageFromTheSystem}
  echo "== $locale -> $expected"
  LOCPATH="$LOCALES" LANG="$locale.UTF-8" LC_ALL= VINDREL_EXPECT_LANGUAGE="$expected" run_test "$filter"
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

# Texts show the same letters on every single-byte code page: the main menu, a game page and the
# help page drawn under Polish (1250), Russian (1251) and Greek (1253) code pages are, pixel for
# pixel, the ones drawn under 1252. The pictures stay in <build>/locales/codepage-<n>/.
render() {
  local locale=$1 charset=$2 codepage=$3 dir="$LOC/codepage-$3"
  rm -rf "$dir"
  mkdir -p "$dir"
  echo "== $locale.$charset -> code page $codepage"
  LOCPATH="$LOCALES" LANG="$locale.$charset" LC_ALL= VINDREL_EXPECT_CODEPAGE="$codepage" \
    VINDREL_CODEPAGE_RENDERS="Z:$(echo "$dir" | tr / '\\')" \
    run_test MenuTest.TheMainMenuAndAGamePageAreDrawnAlikeOnEveryCodePage
  grep -q '^\[  PASSED  \] 1 test' "$LOC/last.txt" || { grep -B2 -A6 'Failure' "$LOC/last.txt" || true; exit 1; }
}
render da_DK UTF-8 1252
for other in "pl_PL CP1250 1250" "ru_RU CP1251 1251" "el_GR CP1253 1253"; do
  set -- $other
  render "$1" "$2" "$3"
  for page in menu game help; do
    if ! cmp -s "$LOC/codepage-1252/$page.bmp" "$LOC/codepage-$3/$page.bmp"; then
      echo "FAIL: the $page page drawn under code page $3 differs from the one under 1252:" \
        "$(compare -metric AE "$LOC/codepage-1252/$page.bmp" "$LOC/codepage-$3/$page.bmp" null: 2>&1 || true) pixels"
      exit 1
    fi
  done
  echo "   the same pictures as under code page 1252"
done

# A demo folder with a Nordic letter ("Stormfrønt") under a Russian Windows: a UTF-8 locale of a
# 1251 language changes only the ANSI code page, as the reader's Windows has it, while the folder's
# name on disk stays the same. The menu shows the demo's screenshot, starts its setup and records it.
echo "== ru_RU.UTF-8 -> a Nordic demo folder under code page 1251"
LOCPATH="$LOCALES" LANG=ru_RU.UTF-8 LC_ALL= VINDREL_EXPECT_CODEPAGE=1251 \
  run_test InstallTest.ADemoFolderWithANordicLetterInstallsWhateverTheCodePage
grep -q '^\[  PASSED  \] 1 test' "$LOC/last.txt" || { grep -B2 -A6 'Failure' "$LOC/last.txt" || true; exit 1; }
