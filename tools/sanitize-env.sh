# Sourced by the scripts that run sanitized programs: every report is fatal and
# names its source line; the browser engine's own allocations are not ours.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# new_delete_type_mismatch is off because the browser engine frees some of its
# own objects with a size other than the allocated one, wholly inside its
# library; our own code is held to that by -Wdelete-non-virtual-dtor.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:new_delete_type_mismatch=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=${here}/lsan.supp:print_suppressions=0"
export ASAN_SYMBOLIZER_PATH="$(command -v llvm-symbolizer || true)"
