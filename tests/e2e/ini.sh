#!/usr/bin/env bash
# Vantrel's own INI file against the Windows profile functions under Wine: both read the same
# files alike, and each reads what the other wrote. Compared by what is read back, not by bytes,
# since Wine rewrites the whole file when it writes.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

INICLI=${VANTREL_INICLI:-$E2E_ROOT/build/native/tools/inicli/inicli}
[[ -f "$INICLI" ]] || INICLI=$E2E_ROOT/build/native/tools/inicli

# One query on one side: "wine" (the profile functions) or "native" (Vantrel's file).
ini_query() {  # ini_query SIDE FILE COMMAND ARGS...
  local side=$1 file=$2 command=$3 out _
  shift 3
  [[ "$side" == wine ]] || { "$INICLI" "$command" "$file" "$@"; return; }
  # A loaded machine sometimes fails to start a Wine process at all: ask again, not differ.
  for _ in 1 2 3; do
    out=$(drv ini "$command" "$(e2e_win_path "$file")" "$@") || continue
    [[ -z "$out" ]] || printf '%s\n' "$out"
    return 0
  done
  return 1
}

# Splits a "|"-separated table row into QUERY.
split_row() { IFS='|' read -r -a QUERY <<<"$1"; }

# Reads every query of the table on FILE with both sides; all answers must agree.
# Rows "intrule|SECTION|KEY|DEFAULT|WINE|NATIVE" state where the two integer rules differ by
# design ("12abc" is 12 for Windows and the default for Vantrel).
compare_reads() {  # compare_reads LABEL FILE ROWS...
  local label=$1 file=$2 row wine native
  shift 2
  for row in "$@"; do
    split_row "$row"
    case "${QUERY[0]}" in
      set) continue ;;
      intrule)
        wine=$(ini_query wine "$file" getint "${QUERY[@]:1:3}")
        native=$(ini_query native "$file" getint "${QUERY[@]:1:3}")
        expect_eq "$label: profile functions, getint ${QUERY[*]:1:2}" "${QUERY[4]}" "$wine"
        expect_eq "$label: Vantrel, getint ${QUERY[*]:1:2}" "${QUERY[5]}" "$native"
        ;;
      *)
        wine=$(ini_query wine "$file" "${QUERY[@]}")
        native=$(ini_query native "$file" "${QUERY[@]}")
        expect_eq "$label: ${QUERY[*]}" "$wine" "$native"
        ;;
    esac
  done
}

# The rows of a case, from standard input, without blank lines.
read_rows() { ROWS=(); local row; while IFS= read -r row; do [[ -n "$row" ]] && ROWS+=("$row"); done; }

# ini_table NAME CONTENT: CONTENT is a printf format for the starting file's bytes; the rows
# come from standard input. Reads are compared on the file as it is; when there are "set" rows,
# each side applies them to its own copy, and both sides read both copies alike, including
# the keys that were written.
ini_table() {
  local name=$1 content=$2
  read_rows
  local dir=$E2E_WORK/ini/$name
  rm -rf "$dir"
  mkdir -p "$dir"
  # shellcheck disable=SC2059 # the content is a format on purpose
  printf "$content" >"$dir/start.ini"
  compare_reads "$name, as written by hand" "$dir/start.ini" "${ROWS[@]}"

  local row side sets=() reads=("${ROWS[@]}")
  for row in "${ROWS[@]}"; do
    split_row "$row"
    [[ "${QUERY[0]}" == set ]] || continue
    sets+=("$row")
    reads+=("get|${QUERY[1]}|${QUERY[2]}|<absent>" "keys|${QUERY[1]}")
  done
  ((${#sets[@]})) || return 0
  for side in wine native; do
    cp "$dir/start.ini" "$dir/$side.ini"
    for row in "${sets[@]}"; do
      split_row "$row"
      ini_query "$side" "$dir/$side.ini" "${QUERY[@]}" || fail "$name: $side could not ${QUERY[*]}"
    done
  done
  compare_reads "$name, written by the profile functions" "$dir/wine.ini" "${reads[@]}"
  compare_reads "$name, written by Vantrel" "$dir/native.ini" "${reads[@]}"
  local r
  for r in "${reads[@]}"; do
    split_row "$r"
    [[ "${QUERY[0]}" == intrule ]] && continue
    expect_eq "$name: ${QUERY[*]} after each side's writes" \
      "$(ini_query wine "$dir/wine.ini" "${QUERY[@]}")" \
      "$(ini_query wine "$dir/native.ini" "${QUERY[@]}")"
  done
}

case_spaces() {
  ini_table spaces '  [ Sec ]  \r\n  key  =  value with  spaces  \r\n\tk2\t=\t tab\t\r\n' <<'ROWS'
get|Sec|key|d
get|sec|KEY|d
get|Sec|k2|d
keys|Sec
sections
set|Sec|key|new value
set|Sec|added|  padded  
ROWS
}

case_quotes() {
  ini_table quotes '[Q]\r\nq1="quoted"\r\nq2='"'"'single'"'"'\r\nq3="unbalanced\r\nq4=""\r\nq5="a" b\r\nq6= "spaced" \r\nq7="mixed'"'"'\r\n' <<'ROWS'
get|Q|q1|d
get|Q|q2|d
get|Q|q3|d
get|Q|q4|d
get|Q|q5|d
get|Q|q6|d
get|Q|q7|d
set|Q|q8|"written"
ROWS
}

case_comments() {
  ini_table comments ';top=1\r\n[S]\r\n;k=2\r\nk=v ; x\r\n  ; k3=3\r\n#k4=4\r\n[T]\r\nt=1\r\n' <<'ROWS'
get|S|k|d
get|S|k3|d
get|S|#k4|d
keys|S
sections
set|S|new|1
set|T|t|2
ROWS
}

case_duplicates() {
  ini_table duplicates '[S]\r\nk=1\r\nK=2\r\n[s]\r\nk=3\r\nz=9\r\n' <<'ROWS'
get|S|k|d
get|s|K|d
get|S|z|d
keys|S
sections
set|s|k|5
set|S|z|7
ROWS
}

case_missing_sections() {
  ini_table missing '[A]\r\na=1\r\n' <<'ROWS'
get|Nope|k|fallback
getint|Nope|k|42
keys|Nope
set|Nope|k|17
set|Later|x|y
ROWS
}

case_line_ends() {
  ini_table cr-only '[S]\rk=v\rn=5\r[T]\rt=x' <<'ROWS'
get|S|k|d
getint|S|n|0
get|T|t|d
keys|S
sections
set|S|k|w
ROWS
  ini_table lf-only '[S]\nk=v\nn= 7\n[T]\nt=x\n' <<'ROWS'
get|S|k|d
getint|S|n|0
get|T|t|d
sections
set|T|u|1
ROWS
}

case_integers() {
  ini_table integers '[N]\r\na=12abc\r\nb=-1\r\nc= 7\r\nd=\r\ne=+3\r\nf=B42\r\ng="5"\r\nh=2147483647\r\ni=-0\r\nj= -5 \r\nw=4294967297\r\nm=- 4\r\n' <<'ROWS'
getint|N|b|9
getint|N|c|9
getint|N|d|9
getint|N|e|9
getint|N|g|9
getint|N|h|9
getint|N|i|9
getint|N|j|9
getint|N|missing|9
intrule|N|a|9|12|9
intrule|N|f|9|0|9
intrule|N|w|9|1|9
intrule|N|m|9|0|9
get|N|a|d
set|N|b|-2
ROWS
}

case_odd_lines() {
  ini_table odd-lines 'k=top\r\n[S] trailing\r\nnoequals\r\n\r\nurl=a=b\r\nempty=\r\n[Run]\r\nLang=Fran\xe7ais\r\n' <<'ROWS'
get|S|noequals|d
get|S|url|d
get|S|empty|d
get|Run|Lang|d
keys|S
sections
set|S|noequals|now
set|Run|Lang|English
ROWS
  ini_table empty-file '' <<'ROWS'
get|S|k|d
sections
set|S|k|v
ROWS
}

suite_ini() {
  e2e_require "$DRIVER_EXE" "$INICLI" || return 1
  e2e_begin_suite ini || return 1
  e2e_cases spaces quotes comments duplicates missing_sections line_ends integers odd_lines
  e2e_end_suite
}

[[ "${BASH_SOURCE[0]}" != "$0" ]] || e2e_run_suites suite_ini
