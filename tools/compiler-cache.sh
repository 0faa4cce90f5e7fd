# Sourced by the build scripts: the compiler cache is used when the machine has
# one, so that several checkouts of the project share their object files.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
