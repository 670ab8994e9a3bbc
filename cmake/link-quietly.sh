#!/usr/bin/env bash
# Runs a link command, leaving out wasm-opt's warning for each name of the Asyncify remove list
# that the program doesn't contain (the list names every function of the libraries it links).
# Everything else the link says is passed on, and so is its exit code.
"$@" 2>&1 | { grep -v -E '^warning: Asyncify removelist contained a non-(existing function name|matching pattern): ' || true; }
exit "${PIPESTATUS[0]}"
