#!/usr/bin/env bash
# Plants deliberate faults, one at a time, into a private copy of the tree
# and runs the tests that ought to notice each one. A fault that every test
# program lets through points at a gap in the tests.
#
#   bash scripts/mutate.sh                 plant every fault of scripts/mutations.txt
#   bash scripts/mutate.sh --only ID[,ID]  plant only these faults
#   bash scripts/mutate.sh --list          show the faults and whether each still applies
#   bash scripts/mutate.sh --check         only check that every fault still applies (no build)
#
# Other options:
#   --faults FILE     read the faults from FILE instead of scripts/mutations.txt
#   --workdir DIR     where the private copy and its build live (kept between
#                     runs, so only the first run builds everything)
#   --timeout SECS    limit for one fault's test run (default 300)
#
# The working tree is only read: its files (committed or not, ignored ones
# left out) are copied into DIR/src, built in DIR/build, and every fault is
# planted and taken out again there. An interrupted run leaves nothing behind
# in the working tree, and the next run overwrites whatever it left in DIR.
#
# Exit status: 0 every fault was planted and caught; 1 a fault survived or
# could not be planted (its snippet is gone or no longer unique); 2 the run
# could not start (bad option, the unchanged tree does not build or its
# tests fail).
set -uo pipefail
export LC_ALL=C  # snippets are matched byte for byte

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
FAULTS="$ROOT/scripts/mutations.txt"
WORK=""
TEST_TIMEOUT=300
BUILD_TIMEOUT=1800
ONLY=""
MODE=run

usage() { sed -n '2,/^set -uo/p' "$0" | sed '$d; s/^# \{0,1\}//'; }
die() { echo "mutate: $*" >&2; exit 2; }

while [ $# -gt 0 ]; do
    case "$1" in
    --only) [ $# -ge 2 ] || die "--only needs a list of ids"; ONLY=$2; shift 2 ;;
    --only=*) ONLY=${1#*=}; shift ;;
    --list) MODE=list; shift ;;
    --check) MODE=check; shift ;;
    --faults) [ $# -ge 2 ] || die "--faults needs a file"; FAULTS=$2; shift 2 ;;
    --faults=*) FAULTS=${1#*=}; shift ;;
    --workdir) [ $# -ge 2 ] || die "--workdir needs a folder"; WORK=$2; shift 2 ;;
    --workdir=*) WORK=${1#*=}; shift ;;
    --timeout) [ $# -ge 2 ] || die "--timeout needs seconds"; TEST_TIMEOUT=$2; shift 2 ;;
    --timeout=*) TEST_TIMEOUT=${1#*=}; shift ;;
    -h | --help) usage; exit 0 ;;
    *) die "unknown option '$1' (see --help)" ;;
    esac
done
[[ $TEST_TIMEOUT =~ ^[1-9][0-9]*$ ]] || die "--timeout takes a whole number of seconds"
[ -f "$FAULTS" ] || die "no fault list at $FAULTS"

# ---- the fault list ----------------------------------------------------------
# Records are separated by blank lines; '#' starts a comment line. Each line
# is "key: value", the value being everything after the first ": " exactly as
# written (leading blanks included). find and replace may be given on several
# lines; they are joined with line breaks.

R_ID=() R_FILE=() R_TESTS=() R_WHAT=() R_FIND=() R_REPL=() R_LINE=()
list_errors=0

list_error() { echo "mutate: $FAULTS:$1: $2" >&2; list_errors=$((list_errors + 1)); }

parse_faults() {
    local line key value n=0 start=0
    local id="" file="" tests="" what="" find="" repl="" has_find=0 has_repl=0 any=0
    flush() {
        if [ $any -eq 1 ]; then
            local missing=""
            [ -n "$id" ] || missing+=" id"
            [ -n "$file" ] || missing+=" file"
            [ -n "$tests" ] || missing+=" tests"
            [ -n "$what" ] || missing+=" what"
            [ $has_find -eq 1 ] && [ -n "$find" ] || missing+=" find"
            [ $has_repl -eq 1 ] || missing+=" replace"
            if [ -n "$missing" ]; then
                list_error "$start" "record '${id:-?}' lacks:$missing"
            elif [ "$find" = "$repl" ]; then
                list_error "$start" "record '$id' replaces its snippet with itself"
            else
                R_ID+=("$id") R_FILE+=("$file") R_TESTS+=("$tests") R_WHAT+=("$what")
                R_FIND+=("$find") R_REPL+=("$repl") R_LINE+=("$start")
            fi
        fi
        id="" file="" tests="" what="" find="" repl="" has_find=0 has_repl=0 any=0
    }
    while IFS= read -r line || [ -n "$line" ]; do
        n=$((n + 1))
        case "$line" in
        '#'*) continue ;;
        '') flush; continue ;;
        esac
        if [[ ! $line =~ ^([a-z]+):( |$)(.*)$ ]]; then
            list_error "$n" "not a 'key: value' line"
            continue
        fi
        key=${BASH_REMATCH[1]} value=${BASH_REMATCH[3]}
        [ $any -eq 1 ] || start=$n
        any=1
        case "$key" in
        id) id=$value ;;
        file) file=$value ;;
        tests) tests=${value//[[:space:]]/} ;;
        what) what=$value ;;
        find) if [ $has_find -eq 1 ]; then find+=$'\n'$value; else find=$value; fi; has_find=1 ;;
        replace) if [ $has_repl -eq 1 ]; then repl+=$'\n'$value; else repl=$value; fi; has_repl=1 ;;
        *) list_error "$n" "unknown key '$key'" ;;
        esac
    done <"$FAULTS"
    flush
    local i j
    for ((i = 0; i < ${#R_ID[@]}; i++)); do
        [[ ${R_ID[i]} =~ ^[A-Za-z0-9._-]+$ ]] || list_error "${R_LINE[i]}" "id '${R_ID[i]}' has characters other than letters, digits, '.', '_', '-'"
        for ((j = 0; j < i; j++)); do
            [ "${R_ID[i]}" != "${R_ID[j]}" ] || list_error "${R_LINE[i]}" "id '${R_ID[i]}' is used twice"
        done
    done
}

# The test programs registered with ctest, as the test CMake files name them.
known_tests() {
    grep -rhoE 'mv_add_(gtest|fuzz)\([A-Za-z0-9_]+' --include=CMakeLists.txt "$1/tests" 2>/dev/null | sed 's/.*(//' | sort -u
}

# Whole content of a file, every byte but NUL kept (trailing line breaks too).
slurp() { IFS= read -r -d '' "$1" <"$2" || true; }

# Occurrences of a snippet in a text (0, 1 or "several").
occurrences() {
    local text=$1 snippet=$2
    [[ $text == *"$snippet"* ]] || { echo 0; return; }
    local before=${text%%"$snippet"*}
    text=${text:${#before}+${#snippet}}
    [[ $text == *"$snippet"* ]] && echo several || echo 1
}

# Why a record cannot be planted into the tree under $1, or nothing.
snippet_problem() {
    local tree=$1 i=$2 content count
    [ -f "$tree/${R_FILE[i]}" ] || { echo "file not found: ${R_FILE[i]}"; return; }
    slurp content "$tree/${R_FILE[i]}"
    count=$(occurrences "$content" "${R_FIND[i]}")
    case "$count" in
    0) echo "snippet not found in ${R_FILE[i]}" ;;
    several) echo "snippet occurs more than once in ${R_FILE[i]}" ;;
    esac
}

parse_faults
[ ${#R_ID[@]} -gt 0 ] || [ $list_errors -gt 0 ] || die "$FAULTS holds no faults"

# Selection.
SEL=()
if [ -n "$ONLY" ]; then
    IFS=',' read -r -a wanted <<<"$ONLY"
    for w in "${wanted[@]}"; do
        [ -n "$w" ] || continue
        found=-1
        for ((i = 0; i < ${#R_ID[@]}; i++)); do [ "${R_ID[i]}" = "$w" ] && found=$i; done
        [ $found -ge 0 ] || die "no fault with id '$w' in $FAULTS"
        SEL+=("$found")
    done
else
    for ((i = 0; i < ${#R_ID[@]}; i++)); do SEL+=("$i"); done
fi

# Every test name must be a registered test program.
KNOWN=$(known_tests "$ROOT")
for i in "${SEL[@]}"; do
    IFS=',' read -r -a names <<<"${R_TESTS[i]}"
    for t in "${names[@]}"; do
        grep -qxF "$t" <<<"$KNOWN" || list_error "${R_LINE[i]}" "record '${R_ID[i]}' names unknown test '$t'"
    done
done

if [ "$MODE" = list ] || [ "$MODE" = check ]; then
    bad=0
    for i in "${SEL[@]}"; do
        problem=$(snippet_problem "$ROOT" "$i")
        if [ -n "$problem" ]; then bad=$((bad + 1)); fi
        if [ "$MODE" = list ]; then
            printf '%-28s %-38s %s\n' "${R_ID[i]}" "${R_FILE[i]}" "${R_TESTS[i]}"
            printf '    %s\n' "${R_WHAT[i]}"
            [ -z "$problem" ] || printf '    NOT PLANTABLE: %s\n' "$problem"
        elif [ -n "$problem" ]; then
            echo "mutate: ${R_ID[i]} ($FAULTS:${R_LINE[i]}): $problem" >&2
        fi
    done
    if [ "$MODE" = check ]; then
        echo "${#SEL[@]} faults listed, $((${#SEL[@]} - bad)) can be planted, $list_errors errors in the list"
    fi
    [ $bad -eq 0 ] && [ $list_errors -eq 0 ] && exit 0
    exit 1
fi
[ $list_errors -eq 0 ] || die "fix the fault list first"

# ---- the private copy ----------------------------------------------------------

command -v git >/dev/null || die "git is needed to list the files of the working tree"
git -C "$ROOT" rev-parse --git-dir >/dev/null 2>&1 || die "$ROOT is not a git working tree"
if [ -z "$WORK" ]; then
    WORK="${TMPDIR:-/tmp}/veltrane-mutate-$(printf '%s' "$ROOT" | cksum | cut -d' ' -f1)"
fi
mkdir -p "$WORK" || die "cannot create $WORK"
WORK=$(cd "$WORK" && pwd)
case "$WORK/" in "$ROOT/"*) die "the work folder must lie outside the working tree" ;; esac
SRC="$WORK/src" BUILD="$WORK/build" LOGS="$WORK/logs"
exec 9>"$WORK/lock"
flock -n 9 || die "another run is using $WORK"
mkdir -p "$SRC" "$LOGS"
rm -f "$LOGS"/*.log

START=$(date +%s)
elapsed() {
    local s=$(($(date +%s) - $1))
    if [ $s -ge 60 ]; then printf '%dm %02ds' $((s / 60)) $((s % 60)); else printf '%ds' "$s"; fi
}

# Copies the working tree's files into the private copy. Unchanged files are
# left alone, so the build there only redoes what changed; copied files get
# the current time, so the build never mistakes them for older ones.
sync_tree() {
    declare -A listed=()
    local f
    while IFS= read -r -d '' f; do
        [ -f "$ROOT/$f" ] || continue
        listed["$f"]=1
        if ! cmp -s "$ROOT/$f" "$SRC/$f"; then
            mkdir -p "$SRC/$(dirname "$f")" && cp "$ROOT/$f" "$SRC/$f" || return 1
        fi
    done < <(git -C "$ROOT" ls-files -z -co --exclude-standard)
    while IFS= read -r -d '' f; do
        [ -n "${listed["$f"]:-}" ] || rm -f "$SRC/$f"
    done < <(cd "$SRC" && find . -type f -printf '%P\0')
    # The tests find the shared page corpus beside the source folder.
    if [ -d "$ROOT/../shared" ]; then ln -sfn "$(cd "$ROOT/../shared" && pwd)" "$WORK/shared"; fi
}

PLANTED=""      # the file that holds a fault right now
PLANTED_BACKUP="$WORK/planted.orig"
restore() {
    [ -n "$PLANTED" ] || return 0
    cp "$PLANTED_BACKUP" "$SRC/$PLANTED"  # a fresh time: the next build compiles it again
    PLANTED=""
}
exec 3>&1 4>&2  # the run's own outputs, for messages from the signal handler
CHILD=""  # the build or test run in progress
run_child() {
    "$@" &
    CHILD=$!
    wait "$CHILD"
    local rc=$?
    CHILD=""
    return $rc
}
# shellcheck disable=SC2317  # reached through the trap below
on_signal() {
    if [ -n "$CHILD" ]; then
        kill -TERM "$CHILD" 2>/dev/null  # timeout passes it on to the whole run
        wait "$CHILD" 2>/dev/null
    fi
    restore
    # The signal may arrive inside a redirected call: write to the saved outputs.
    echo >&3
    echo "mutate: interrupted; the working tree was never touched" >&4
    exit 130
}
trap restore EXIT
trap on_signal INT TERM

plant() {
    local i=$1 content before after
    slurp content "$SRC/${R_FILE[i]}"
    before=${content%%"${R_FIND[i]}"*}
    after=${content:${#before}+${#R_FIND[i]}}
    cp "$SRC/${R_FILE[i]}" "$PLANTED_BACKUP" || return 1
    PLANTED=${R_FILE[i]}
    printf '%s' "$before${R_REPL[i]}$after" >"$SRC/${R_FILE[i]}"
}

# Targets of the selected faults (the ctest name is the target name).
targets_of() { tr ',' ' ' <<<"${R_TESTS[$1]}"; }
ctest_regex() { echo "^($(tr ',' '|' <<<"${R_TESTS[$1]}"))\$"; }

build() {  # log, targets...
    local log=$1
    shift
    run_child timeout -k 10 "$BUILD_TIMEOUT" cmake --build "$BUILD" -j2 --target "$@" >>"$log" 2>&1
}
run_tests() {  # log, regex, stop at the first failure?
    local log=$1 regex=$2 stop=${3:-yes} args=()
    [ "$stop" = yes ] && args+=(--stop-on-failure)
    run_child timeout -k 10 "$TEST_TIMEOUT" ctest --test-dir "$BUILD" -R "$regex" -j2 --output-on-failure "${args[@]}" \
        >>"$log" 2>&1
}

echo "Private copy: $SRC (build: $BUILD, logs: $LOGS)"
sync_tree || die "could not copy the working tree into $SRC"

# Which faults can be planted at all.
PLANTABLE=() NOT_PLANTED=()
for i in "${SEL[@]}"; do
    problem=$(snippet_problem "$SRC" "$i")
    if [ -n "$problem" ]; then
        NOT_PLANTED+=("${R_ID[i]}: not planted: $problem")
    else
        PLANTABLE+=("$i")
    fi
done

ALL_TARGETS=$(for i in "${PLANTABLE[@]}"; do targets_of "$i"; echo; done | tr ' ' '\n' | sed '/^$/d' | sort -u | tr '\n' ' ')
ALL_REGEX="^($(tr ' ' '|' <<<"${ALL_TARGETS% }"))\$"

if [ ${#PLANTABLE[@]} -gt 0 ]; then
    log="$LOGS/_unchanged.log"
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        echo "Configuring the private copy..."
        cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >>"$log" 2>&1 ||
            die "configuring the private copy failed; see $log"
    fi
    echo "Building the unchanged tree: $ALL_TARGETS"
    t0=$(date +%s)
    # shellcheck disable=SC2086
    build "$log" $ALL_TARGETS || die "the unchanged tree does not build; see $log"
    echo "  built in $(elapsed "$t0"); running its tests..."
    t0=$(date +%s)
    run_tests "$log" "$ALL_REGEX" no || die "the unchanged tree fails its tests; see $log"
    echo "  tests pass in $(elapsed "$t0")"
fi

# ---- one fault at a time ------------------------------------------------------

CAUGHT=0 NOCOMPILE=0 SURVIVED=() TOTAL=${#PLANTABLE[@]}
k=0
for i in "${PLANTABLE[@]}"; do
    k=$((k + 1))
    id=${R_ID[i]}
    log="$LOGS/$id.log"
    t0=$(date +%s)
    printf '[%2d/%d] %-32s ' "$k" "$TOTAL" "$id"
    {
        echo "fault: $id (${R_FILE[i]}): ${R_WHAT[i]}"
        echo "--- find"; printf '%s\n' "${R_FIND[i]}"
        echo "--- replace"; printf '%s\n' "${R_REPL[i]}"
        echo "---"
    } >"$log"
    if ! plant "$i"; then
        restore
        NOT_PLANTED+=("$id: not planted: could not write ${R_FILE[i]}")
        TOTAL=$((TOTAL - 1))
        echo "NOT PLANTED"
        continue
    fi
    # shellcheck disable=SC2046
    if ! build "$log" $(targets_of "$i"); then
        result="caught (does not compile)"
        CAUGHT=$((CAUGHT + 1)) NOCOMPILE=$((NOCOMPILE + 1))
    else
        run_tests "$log" "$(ctest_regex "$i")"
        rc=$?
        if [ $rc -eq 0 ]; then
            result="SURVIVED"
            SURVIVED+=("$i")
        elif [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
            result="caught (tests timed out)"
            CAUGHT=$((CAUGHT + 1))
        else
            result="caught"
            CAUGHT=$((CAUGHT + 1))
        fi
    fi
    restore
    echo "$result  ($(elapsed "$t0"), ${R_TESTS[i]})"
done

# ---- summary ----------------------------------------------------------------

echo
echo "$CAUGHT of $TOTAL planted faults caught$([ $NOCOMPILE -gt 0 ] && echo " ($NOCOMPILE of them do not compile)")"
if [ ${#SURVIVED[@]} -gt 0 ]; then
    echo "Survived (no test noticed them):"
    for i in "${SURVIVED[@]}"; do
        printf '  %-32s %s: %s\n' "${R_ID[i]}" "${R_FILE[i]}" "${R_WHAT[i]}"
    done
fi
if [ ${#NOT_PLANTED[@]} -gt 0 ]; then
    echo "Not planted (update $FAULTS):"
    for line in "${NOT_PLANTED[@]}"; do echo "  $line"; done
fi
echo "Time: $(elapsed "$START")"
[ ${#SURVIVED[@]} -eq 0 ] && [ ${#NOT_PLANTED[@]} -eq 0 ] && exit 0
exit 1
