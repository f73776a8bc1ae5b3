#!/bin/sh
# A pause reply that names a command runs nothing in the browser's build: standard error says so
# in one line, and the session goes on as after a blank reply, byte for byte the native one's.
#   command_not_run.sh WEB_CROUT NATIVE_CROUT
set -eu
web=$1 native=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
printf '1\nls\n\n\n\n3\n' | "$web" >web.out 2>web.err
mv resul3.doc web.doc
printf '1\n\n\n\n\n3\n' | "$native" >native.out 2>native.err
cmp web.out native.out
cmp web.doc resul3.doc
test ! -s native.err
test "$(cat web.err)" = "The command was not run: this build runs no commands."
