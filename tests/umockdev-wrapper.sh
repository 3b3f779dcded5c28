#!/bin/sh
# umockdev-wrapper, also for sanitizer builds: the preload then comes before
# the AddressSanitizer runtime, which it must be told to accept.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
export ASAN_OPTIONS
exec umockdev-wrapper "$@"
