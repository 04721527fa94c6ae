# Sourced by the packaging tests, after they have made $work.
#   check NAME FUNCTION   a check passes when its function succeeds; whatever
#                         the function prints is shown only when it fails
#   checks_done WHAT      the tally; exits 1 if any check failed
checks=0
failed=0
check() {
  checks=$((checks + 1))
  if "$2" >"$work/out" 2>&1; then
    echo "ok      $1"
  else
    failed=$((failed + 1))
    echo "FAILED  $1"
    sed 's/^/        /' "$work/out"
  fi
}
checks_done() {
  if [ "$failed" -ne 0 ]; then
    echo "$1: $failed of $checks checks failed"
    exit 1
  fi
  echo "$1: all $checks checks passed"
}
