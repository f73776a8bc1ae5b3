#!/bin/sh
# A pause reply that names a command runs nothing in the browser's build: standard error says so
# in one line, and the whole session goes on as after a blank reply, byte for byte the native one's.
#   command_not_run.sh WEB_CROUT NATIVE_CROUT
set -eu
web=$1 native=$2 session=$(cd "$(dirname "$0")/../support" && pwd)/whole_session.txt
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
sed '2s/^$/ls/' "$session" | "$web" >web.out 2>web.err
mv resul3.doc web.doc
"$native" <"$session" >native.out 2>native.err
cmp web.out native.out
cmp web.doc resul3.doc
test ! -s native.err
test "$(cat web.err)" = "The command was not run: this build runs no commands."
