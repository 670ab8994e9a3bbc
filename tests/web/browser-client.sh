# Sourced by the browser tests: installs the browsers when missing (Debian's chromium,
# firefox-esr, and WebKitGTK's WebKitWebDriver with Xvfb for its MiniBrowser) and the client
# that package-lock.json pins into build/web-test, and leaves its folder in $client. The caller
# may set $engines, the engines to run in (comma-separated; all three when unset), which
# in_each_engine runs a test in.
scripts/install-deps.sh --with-browser
client=build/web-test
if ! cmp -s tests/web/package-lock.json "$client/package-lock.json" || [ ! -d "$client/node_modules" ]; then
  rm -rf "$client"
  mkdir -p "$client"
  cp tests/web/package.json tests/web/package-lock.json "$client/"
  # Its install scripts would fetch a browser of its own; the test takes Debian's.
  (cd "$client" && npm ci --no-audit --no-fund --ignore-scripts)
fi

: "${engines:=chromium,firefox,webkit}"
for engine in ${engines//,/ }; do
  case $engine in
    chromium | firefox | webkit) ;;
    *)
      echo "no engine \"$engine\": the engines are chromium, firefox and webkit" >&2
      exit 2
      ;;
  esac
done

# in_each_engine TEST ARGS...: runs node TEST ENGINE ARGS... in each engine, all of them even when
# one fails, says how long each took, and fails when any did.
in_each_engine() {
  local test=$1 engine start failed=()
  shift
  for engine in ${engines//,/ }; do
    echo "== $test in $engine"
    start=$SECONDS
    node "$test" "$engine" "$@" || failed+=("$engine")
    echo "== $test in $engine: $((SECONDS - start)) s"
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "$test FAILED in ${failed[*]}"
    return 1
  fi
}
