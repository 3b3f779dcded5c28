#!/bin/sh
# SPDX-License-Identifier: MIT
# What umockdev-wrapper does, also for sanitizer builds (the preload then
# comes before the AddressSanitizer runtime, which it must be told to accept)
# and with $RUNNETLUME_PRELOAD_FIRST before umockdev's preload, so that a
# test's own fault can sit between a program and umockdev's emulation.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
LD_PRELOAD="${RUNNETLUME_PRELOAD_FIRST:+$RUNNETLUME_PRELOAD_FIRST:}libumockdev-preload.so.0${LD_PRELOAD:+:$LD_PRELOAD}"
export ASAN_OPTIONS LD_PRELOAD
exec "$@"
