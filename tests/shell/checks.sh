# Sourced by the shell services' scripts: Wine's test environment, the
# service runner ($cli), a work folder ($work, removed at the end unless the
# script sets its own EXIT trap) and a tally of checks.
. "$(dirname "${BASH_SOURCE[0]}")/../harness/env.sh"
cli=$TOLVANE_BUILD/tolvane-shell-cli.exe
work=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-shell.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

check() {  # WHAT GOT WANT
  if [ "$2" = "$3" ]; then
    echo "ok   $1"
  else
    printf 'FAIL %s: got\n%s\nexpected\n%s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

# The result of the script: whether every check passed.
all_passed() {
  [ "$failures" -eq 0 ]
}
