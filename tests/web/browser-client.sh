# Sourced by the browser tests: installs Debian's chromium when missing and the DevTools client
# that package-lock.json pins into build/web-test, and leaves its folder in $client.
scripts/install-deps.sh --with-browser
client=build/web-test
if ! cmp -s tests/web/package-lock.json "$client/package-lock.json" || [ ! -d "$client/node_modules" ]; then
  rm -rf "$client"
  mkdir -p "$client"
  cp tests/web/package.json tests/web/package-lock.json "$client/"
  # Its install scripts would fetch a browser of its own; the test takes Debian's.
  (cd "$client" && npm ci --no-audit --no-fund --ignore-scripts)
fi
