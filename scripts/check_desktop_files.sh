#!/usr/bin/env bash
# Validates the desktop entry (desktop-file-validate) and the AppStream file (appstreamcli,
# offline); fails on any error or warning. Hints and pedantic notes pass.
set -uo pipefail
entry=$1 metainfo=$2
status=0

out=$(desktop-file-validate "$entry" 2>&1) || status=1
if grep -Eq ': (error|warning): ' <<<"$out"; then status=1; fi
[ -n "$out" ] && echo "$out"

out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || status=1
if grep -Eq '^(E|W): ' <<<"$out"; then status=1; fi
echo "$out"
exit $status
